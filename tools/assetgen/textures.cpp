#include "textures.h"

#include <filesystem>

namespace {

constexpr int kSkySize = 512;

bool Save(const Image& image, const std::filesystem::path& path, std::string& error) {
    return SaveImage(image, path.string(), error);
}

}  // namespace

bool WriteTextures(const std::string& texturesDir, std::string& error) {
    std::filesystem::path dir = texturesDir;
    std::filesystem::create_directories(dir / "sky");
    for (const auto* list : {&SurfaceTextures(), &CharacterTextures(), &EffectTextures()})
        for (const TextureAsset& texture : *list) {
            Image image(texture.width, texture.height);
            image.paint(texture.paint);
            if (!Save(image, dir / texture.file, error)) return false;
        }
    if (!Save(PaintSpriteSheet(), dir / "sprites.bmp", error)) return false;
    for (const SkyFace& face : PaintSky(kSkySize))
        if (!Save(face.image, dir / "sky" / face.file, error)) return false;
    return true;
}
