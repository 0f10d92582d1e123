// Linked into each test program that draws or loads models: every test of the program runs with
// one hidden window's GL context.
#include "support/gl_context.h"

namespace {

const auto* const glContext = ::testing::AddGlobalTestEnvironment(new GlContext);

}  // namespace
