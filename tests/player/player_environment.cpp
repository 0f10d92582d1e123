// Every test of this program runs with one hidden window's GL context: the model store uploads
// the avatar's, the weapons' and the level pieces' models.
#include "support/gl_context.h"

namespace {

const auto* const glContext = ::testing::AddGlobalTestEnvironment(new GlContext);

}  // namespace
