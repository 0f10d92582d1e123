// Scripted play against enemies.
#include <gtest/gtest.h>
