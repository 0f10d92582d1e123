#include "draw_call_log.h"

#include <dlfcn.h>

namespace {

std::vector<DrawCall> calls;
bool recording = false;

}  // namespace

extern "C" void glDrawArrays(GLenum mode, GLint first, GLsizei count) {
    using DrawArrays = void (*)(GLenum, GLint, GLsizei);
    static const auto forward = reinterpret_cast<DrawArrays>(dlsym(RTLD_NEXT, "glDrawArrays"));
    if (recording) {
        GLint texCoordBuffer = 0;
        glGetIntegerv(GL_TEXTURE_COORD_ARRAY_BUFFER_BINDING, &texCoordBuffer);
        calls.push_back({mode, first, count, texCoordBuffer});
    }
    forward(mode, first, count);
}

DrawCallLog::DrawCallLog() {
    calls.clear();
    recording = true;
}

DrawCallLog::~DrawCallLog() {
    recording = false;
}

const std::vector<DrawCall>& DrawCallLog::Calls() const {
    return calls;
}
