#include "models.h"

#include <filesystem>

bool WriteModels(const std::string& modelsDir, std::string& error) {
    std::filesystem::path dir = modelsDir;
    std::filesystem::create_directories(dir);
    for (const auto* list : {&PlayerModels(), &WorldModels(), &EnemyModels(), &LevelPieces()})
        for (const ModelAsset& asset : *list) {
            Mesh mesh;
            asset.build(mesh);
            if (!WriteMs3d(mesh.toMs3d(), (dir / (asset.name + ".ms3d")).string(), error))
                return false;
        }
    return true;
}
