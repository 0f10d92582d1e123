#include "app/level_files.h"

#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <filesystem>

#include "physics/mesh_cache.h"
#include "platform/game_path.h"
#include "render/model.h"
#include "render/ms3d_file.h"
#include "render/sky_box.h"

namespace {

// A cooked file older than its model by more than this was cooked from an earlier version of
// the model. The slack keeps copies of a whole folder, which give every file a new time, quiet.
constexpr int kStaleSeconds = 60;

bool Exists(const std::string& gamePath) {
    FILE* file = GameOpen(gamePath.c_str(), "rb");
    if (file == nullptr) return false;
    std::fclose(file);
    return true;
}

bool EndsWith(const std::string& text, const char* end) {
    const size_t n = std::strlen(end);
    if (text.size() < n) return false;
    for (size_t i = 0; i < n; ++i)
        if (std::tolower(static_cast<unsigned char>(text[text.size() - n + i])) != end[i])
            return false;
    return true;
}

// Edits (insert, delete, replace one letter) from a to b, ignoring case.
size_t Distance(const std::string& a, const std::string& b) {
    std::vector<size_t> row(b.size() + 1);
    for (size_t j = 0; j <= b.size(); ++j) row[j] = j;
    for (size_t i = 1; i <= a.size(); ++i) {
        size_t diagonal = row[0];
        row[0] = i;
        for (size_t j = 1; j <= b.size(); ++j) {
            const bool same = std::tolower(static_cast<unsigned char>(a[i - 1])) ==
                              std::tolower(static_cast<unsigned char>(b[j - 1]));
            const size_t next = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (same ? 0 : 1)});
            diagonal = row[j];
            row[j] = next;
        }
    }
    return row[b.size()];
}

std::string Quoted(const std::string& text) {
    return "\"" + text + "\"";
}

std::string Suggestion(const std::string& word, const std::vector<std::string>& candidates) {
    const std::string closest = ClosestName(word, candidates);
    return closest.empty() ? "" : " (is " + Quoted(closest) + " meant?)";
}

}  // namespace

std::string ClosestName(const std::string& word, const std::vector<std::string>& candidates) {
    const size_t allowed = std::max<size_t>(2, word.size() / 4);
    std::string best;
    size_t bestDistance = allowed + 1;
    for (const std::string& candidate : candidates) {
        const size_t d = Distance(word, candidate);
        if (d < bestDistance) {
            best = candidate;
            bestDistance = d;
        }
    }
    return best;
}

std::vector<FileProblem> LevelFiles::visualModel(const std::string& name) {
    const std::string path = "models\\" + name + ".ms3d";
    if (!Exists(path)) {
        if (!listed_) {
            listed_ = true;
            std::error_code error;
            for (const auto& entry :
                 std::filesystem::directory_iterator(GamePath("models"), error)) {
                const std::string file = entry.path().filename().string();
                if (EndsWith(file, ".ms3d")) modelNames_.push_back(file.substr(0, file.size() - 5));
            }
        }
        return {{false, path + " does not exist: the object is invisible, though it collides" +
                            Suggestion(name, modelNames_)}};
    }
    if (!seen_.insert(path).second) return {};

    CMS3DFile file;
    if (!file.Load(path.c_str()))
        return {{false, path + " is not a MilkShape 3D version 4 file the game can read (" +
                            file.LastRead().Where() +
                            "): the object is invisible, though it collides"}};
    std::vector<FileProblem> problems;
    const std::vector<std::string> indices = IndexProblems(file);
    if (!indices.empty())
        problems.push_back(
            {false, path + ": triangles whose indices point at nothing are not drawn (" +
                        std::to_string(indices.size()) + " such indices; the first: " + indices[0] +
                        ")"});
    for (int i = 0; i < file.MaterialCount(); ++i) {
        ms3d_material_t* material = nullptr;
        file.MaterialAt(i, &material);
        const std::string texture = TextureFileName(*material);
        if (texture.empty()) continue;
        const std::string named =
            path + ": its material " +
            Quoted(std::string(material->name, strnlen(material->name, sizeof material->name))) +
            " names the texture " +
            Quoted(std::string(material->texture,
                               strnlen(material->texture, sizeof material->texture)));
        if (!Exists(texture))
            problems.push_back(
                {false, named + ", and " + texture + " does not exist: it shows a checker"});
        else if (EndsWith(texture, ".bmp"))
            problems.push_back({false, named + ", a BMP, whose rows come bottom-up and show "
                                               "upside down on a model: use a JPEG"});
    }
    return problems;
}

std::vector<FileProblem> LevelFiles::cookedMesh(const std::string& name, bool concave) {
    const std::string path = CookedMeshPath(name.c_str(), concave);
    if (!seen_.insert(path).second) return {};
    bool readable = Exists(path);
    if (readable && sdk_ != nullptr)
        readable = concave ? CookedTriangleMesh(*sdk_, path.c_str()) != nullptr
                           : CookedConvexMesh(*sdk_, path.c_str()) != nullptr;
    if (!readable) return {{true, CookedMeshProblem(name.c_str(), path)}};

    struct stat model {
    }, cooked{};
    const std::string modelPath = "models\\" + name + ".ms3d";
    if (stat(GamePath(modelPath.c_str()).c_str(), &model) == 0 &&
        stat(GamePath(path.c_str()).c_str(), &cooked) == 0 &&
        model.st_mtime > cooked.st_mtime + kStaleSeconds)
        return {{false, modelPath + " is newer than " + path +
                            ", which was cooked from an earlier version; cook it again: "
                            "zorvan-cook models/" +
                            name + ".ms3d"}};
    return {};
}

std::vector<FileProblem> LevelFiles::skyBox(const std::string& prefix) {
    std::string missing;
    int count = 0;
    for (const char* face : SkyBox::kFaceFiles) {
        if (Exists(prefix + face)) continue;
        missing += (count++ == 0 ? "" : ", ") + std::string(face);
    }
    if (count == 0) return {};
    std::string text = count == SkyBox::kFaces
                           ? "the folder " + Quoted(prefix) +
                                 " holds none of the sky box's faces (" + missing + ")"
                           : "the sky box's folder " + Quoted(prefix) + " lacks " + missing;
    text += ": the sky shows magenta checkers";
    if (!prefix.empty() && prefix.back() != '\\' && prefix.back() != '/')
        text += " (the folder must end in a backslash)";
    return {{false, text}};
}
