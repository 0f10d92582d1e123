// A GoogleTest environment for test programs that draw: one hidden GLUT window with a
// double-buffered RGBA context and a depth buffer, GLEW and DevIL initialised, once per program.
// A test program registers it once, in one of its files:
//   const auto* const glContext = ::testing::AddGlobalTestEnvironment(new GlContext);
#pragma once

#include <gtest/gtest.h>

class GlContext : public ::testing::Environment {
public:
    void SetUp() override;
    void TearDown() override;
};
