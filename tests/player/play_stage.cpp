#include "play_stage.h"

#include <gtest/gtest.h>

#include <regex>
#include <sstream>

std::string LevelWith(const std::vector<LevelPiece>& pieces) {
    std::ostringstream ini;
    ini << "[level]\nnumModels=" << pieces.size()
        << "\nnumEnemies=0\nnumRings=0\nnumDoors=0\nskyboxDir=textures\\sky\\\nskyboxDim=3000\n"
        << "[models]\n";
    for (size_t i = 1; i <= pieces.size(); ++i) {
        const LevelPiece& p = pieces[i - 1];
        ini << "model" << i << '=' << p.model << "\nphysicModel" << i << '=' << p.model
            << "\nmatrix" << i << "=1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, " << p.x << ", " << p.y
            << ", " << p.z << ", 1\ndensity" << i << "=0\nconcave" << i << "=0\n";
    }
    return ini.str();
}

std::string WithRingsAndDoors(const std::string& level, const std::vector<Placement>& rings,
                              const std::vector<Placement>& doors) {
    std::ostringstream counts, sections;
    counts << "numRings=" << rings.size() << "\nnumDoors=" << doors.size();
    for (auto [section, list] : {std::pair{"rings", &rings}, std::pair{"doors", &doors}}) {
        sections << '[' << section << "]\n";
        for (size_t i = 1; i <= list->size(); ++i) {
            const Placement& p = (*list)[i - 1];
            sections << "matrix" << i << '=' << p.axes << ", " << p.x << ", " << p.y << ", " << p.z
                     << ", 1\n";
        }
    }
    return std::regex_replace(level, std::regex("numRings=0\nnumDoors=0"), counts.str()) +
           sections.str();
}

PlayStage::PlayStage(const std::string& level) {
    std::string settings = ReadFile(stage_.path() + "/data/game.ini");
    settings = std::regex_replace(settings, std::regex("winResX=\\d+"), "winResX=160");
    settings = std::regex_replace(settings, std::regex("winResY=\\d+"), "winResY=120");
    stage_.write("data/game.ini", settings);
    if (!level.empty()) stage_.write("data/level1.ini", level);
}

std::string PlayStage::play(const std::string& script, const std::string& dt) {
    stage_.write("play.txt", script);
    RunResult r = stage_.run("--dt " + dt + " --script play.txt --trace play.jsonl");
    EXPECT_EQ(r.exitCode, 0) << r.output;
    output_ = r.output;
    return ReadFile(stage_.path() + "/play.jsonl");
}

std::vector<Json> PlayStage::trace(const std::string& script, const std::string& dt) {
    return ParseTrace(play(script, dt));
}

double AvatarNumber(const Json& frame, const char* field) {
    return frame["avatar"][field].number;
}

double AvatarItem(const Json& frame, const char* field, int i) {
    return frame["avatar"][field][static_cast<size_t>(i)].number;
}
