#include "support/play_stage.h"

#include <gtest/gtest.h>

#include <cmath>
#include <regex>
#include <sstream>

std::string LevelWith(const std::vector<LevelPiece>& pieces,
                      const std::vector<EnemyPiece>& enemies) {
    std::ostringstream ini;
    ini << "[level]\nnumModels=" << pieces.size() << "\nnumEnemies=" << enemies.size()
        << "\nnumRings=0\nnumDoors=0\nskyboxDir=textures\\sky\\\nskyboxDim=3000\n"
        << "[models]\n";
    for (size_t i = 1; i <= pieces.size(); ++i) {
        const LevelPiece& p = pieces[i - 1];
        ini << "model" << i << '=' << p.model << "\nphysicModel" << i << '=' << p.model
            << "\nmatrix" << i << "=1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, " << p.x << ", " << p.y
            << ", " << p.z << ", 1\ndensity" << i << "=0\nconcave" << i << "=0\n";
    }
    ini << "[enemies]\n";
    for (size_t i = 1; i <= enemies.size(); ++i) {
        const EnemyPiece& e = enemies[i - 1];
        float c = std::cos(e.heading), s = std::sin(e.heading);
        ini << "kind" << i << '=' << e.kind << "\nmatrix" << i << '=' << c << ", 0, " << -s
            << ", 0, 0, 1, 0, 0, " << s << ", 0, " << c << ", 0, " << e.x << ", " << e.y << ", "
            << e.z << ", 1\n";
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
    stage_.useSmallWindow(160, 120);
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
    return frame["avatar"][field].get<double>();
}

double AvatarItem(const Json& frame, const char* field, int i) {
    return frame["avatar"][field][static_cast<size_t>(i)].get<double>();
}

double EnemyItem(const Json& frame, size_t n, const char* field, int i) {
    return frame["enemies"][n][field][static_cast<size_t>(i)].get<double>();
}

double EnemyNumber(const Json& frame, size_t n, const char* field) {
    return frame["enemies"][n][field].get<double>();
}

std::string ForTheSmallWindow(const std::string& script) {
    std::string out;
    std::regex move("move (\\d+) (\\d+)");
    auto end = std::sregex_iterator();
    size_t copied = 0;
    for (auto m = std::sregex_iterator(script.begin(), script.end(), move); m != end; ++m) {
        out += script.substr(copied, m->position() - copied);
        out += "move " + std::to_string(std::stoi((*m)[1]) - 512 + 80) + ' ' +
               std::to_string(std::stoi((*m)[2]) - 384 + 60);
        copied = m->position() + m->length();
    }
    return out + script.substr(copied);
}

size_t Count(const std::string& text, const std::string& line) {
    size_t n = 0;
    for (size_t at = text.find(line); at != std::string::npos; at = text.find(line, at + 1)) ++n;
    return n;
}
