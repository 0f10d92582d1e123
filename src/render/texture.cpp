// Textures are decoded by DevIL, converted to the channel layout that the file's extension
// declares and uploaded at once; the decoded image is released right after the upload, since
// nothing reads it again and keeping it would hold every texture twice in memory.
#include "render/texture.h"

#include <GL/glew.h>
#include <GL/glu.h>
#include <IL/il.h>

#include <array>
#include <cstdio>
#include <cstring>

#include "platform/game_path.h"

namespace {

// ".bmp" files are uploaded as BGR and everything else (".jpg" and names the game's data never
// uses) as RGB. The decoded image is converted to that layout, 8 bits per channel, so an image
// shows its true colours whatever bit depth or palette it was stored with.
GLenum DeclaredFormat(const char* file) {
    const char* dot = std::strrchr(file, '.');
    return dot != nullptr && std::strcmp(dot, ".bmp") == 0 ? GL_BGR : GL_RGB;
}

// An 8 x 8 magenta and black checker: a missing image is plain to see in the game.
constexpr int kPlaceholderSize = 8;
constexpr std::array<unsigned char, kPlaceholderSize * kPlaceholderSize * 3> MakePlaceholder() {
    std::array<unsigned char, kPlaceholderSize * kPlaceholderSize * 3> pixels{};
    for (int y = 0; y < kPlaceholderSize; ++y) {
        for (int x = 0; x < kPlaceholderSize; ++x) {
            unsigned char level = (x + y) % 2 == 0 ? 255 : 0;
            unsigned char* pixel = &pixels[(y * kPlaceholderSize + x) * 3];
            pixel[0] = level;
            pixel[1] = 0;
            pixel[2] = level;
        }
    }
    return pixels;
}
constexpr auto kPlaceholder = MakePlaceholder();

void Upload(int width, int height, GLenum format, const void* pixels, bool bilinear, bool mipmap) {
    GLint minFilter = mipmap ? (bilinear ? GL_LINEAR_MIPMAP_LINEAR : GL_NEAREST_MIPMAP_NEAREST)
                             : (bilinear ? GL_LINEAR : GL_NEAREST);
    GLint magFilter = bilinear ? GL_LINEAR : GL_NEAREST;
    // DevIL's rows are packed without padding; GL's default expects rows padded to 4 bytes.
    GLint alignment = 4;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    if (mipmap) {
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, minFilter);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, magFilter);
        gluBuild2DMipmaps(GL_TEXTURE_2D, 3, width, height, format, GL_UNSIGNED_BYTE, pixels);
    } else {
        glTexImage2D(GL_TEXTURE_2D, 0, 3, width, height, 0, format, GL_UNSIGNED_BYTE, pixels);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, minFilter);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, magFilter);
    }
    glPixelStorei(GL_UNPACK_ALIGNMENT, alignment);
}

}  // namespace

uint32_t LoadTexture(const char* file, bool bilinear, bool mipmap) {
    GLenum format = DeclaredFormat(file);
    ILuint image = 0;
    ilGenImages(1, &image);
    ilBindImage(image);
    // DevIL's own row order is kept (no forced origin): BMP rows arrive bottom-up, JPEG rows
    // top-down, and the game's texture coordinates are laid out for exactly that.
    bool decoded = ilLoadImage(GamePath(file).c_str()) &&
                   ilConvertImage(format == GL_BGR ? IL_BGR : IL_RGB, IL_UNSIGNED_BYTE);
    if (!decoded) std::printf("Textur konnte nicht geladen werden: %s\n", file);

    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    if (decoded) {
        Upload(ilGetInteger(IL_IMAGE_WIDTH), ilGetInteger(IL_IMAGE_HEIGHT), format, ilGetData(),
               bilinear, mipmap);
    } else {
        Upload(kPlaceholderSize, kPlaceholderSize, GL_RGB, kPlaceholder.data(), bilinear, mipmap);
    }
    ilDeleteImages(1, &image);
    return texture;
}

void DeleteTexture(uint32_t texture) {
    GLuint name = texture;
    glDeleteTextures(1, &name);
}

void BindTexture(uint32_t texture) {
    glBindTexture(GL_TEXTURE_2D, texture);
}
