// Records the game's glDrawArrays calls while a DrawCallLog lives. The test program defines
// glDrawArrays itself, which takes the place of the GL library's for the code linked into it, and
// forwards every call to the GL library.
#pragma once

#include <GL/glew.h>

#include <vector>

struct DrawCall {
    GLenum mode;
    GLint first;
    GLsizei count;
    GLint texCoordBuffer;  // the buffer the texture-coordinate array read from at the call
};

class DrawCallLog {
public:
    DrawCallLog();
    ~DrawCallLog();
    const std::vector<DrawCall>& Calls() const;
};
