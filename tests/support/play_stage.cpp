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
        ini << "model" << i << '=' << p.model << "\nphysicModel" << i << '='
            << (p.physicModel ? p.physicModel : p.model) << "\nmatrix" << i << '=' << p.axes << ", "
            << p.x << ", " << p.y << ", " << p.z << ", 1\ndensity" << i << '=' << p.density
            << "\nconcave" << i << "=0\n";
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

PlayStage::PlayStage(const std::string& level, int width, int height) {
    stage_.useSmallWindow(width, height);
    if (!level.empty()) stage_.write("data/level1.ini", level);
}

std::string PlayStage::play(const std::string& script, const std::string& dt) {
    stage_.write("play.txt", script);
    RunResult r =
        stage_.run("--dt " + dt + " --script play.txt --trace play.jsonl --sound-log sounds.txt");
    EXPECT_EQ(r.exitCode, 0) << r.output;
    output_ = r.output;
    sounds_.clear();
    std::istringstream log(ReadFile(stage_.path() + "/sounds.txt"));
    for (SoundLine s; log >> s.frame >> s.event >> s.pos[0] >> s.pos[1] >> s.pos[2];)
        sounds_.push_back(s);
    return ReadFile(stage_.path() + "/play.jsonl");
}

std::vector<int> FramesOf(const std::vector<SoundLine>& sounds, const std::string& event) {
    std::vector<int> frames;
    for (const SoundLine& s : sounds)
        if (s.event == event) frames.push_back(s.frame);
    return frames;
}

namespace {

double Distance(const double a[3], const Json& b) {
    double squares = 0;
    for (size_t i = 0; i < 3; ++i)
        squares += (a[i] - b[i].get<double>()) * (a[i] - b[i].get<double>());
    return std::sqrt(squares);
}

}  // namespace

void ExpectHeardAsSeen(const std::vector<Json>& trace, const std::vector<SoundLine>& sounds) {
    std::vector<int> shots, launches, rings, ballShots, opening;
    for (size_t f = 1; f < trace.size(); ++f) {
        const int frame = static_cast<int>(f);
        for (double n = AvatarItem(trace[f - 1], "ammo", 0); n > AvatarItem(trace[f], "ammo", 0);
             --n)
            shots.push_back(frame);
        for (double n = AvatarItem(trace[f - 1], "ammo", 1); n > AvatarItem(trace[f], "ammo", 1);
             --n)
            launches.push_back(frame);
        if (AvatarNumber(trace[f], "rings") == AvatarNumber(trace[f - 1], "rings") + 1)
            rings.push_back(frame);
        for (size_t d = 0; d < trace[f]["doors"].size(); ++d)
            if (trace[f]["doors"][d]["state"] == "opening" &&
                trace[f - 1]["doors"][d]["state"] == "closed")
                opening.push_back(frame);
    }
    for (const SoundLine& s : sounds) {
        const Json& frame = trace.at(static_cast<size_t>(s.frame));
        if (s.event == "shot" && Distance(s.pos, frame["avatar"]["pos"]) < 0.5)
            ballShots.push_back(s.frame);
        if (s.event != "ring") continue;
        bool atARing = false;
        for (const Json& ring : frame["rings"])
            atARing = atARing || Distance(s.pos, ring["pos"]) < 0.01;
        EXPECT_TRUE(atARing) << "ring heard in frame " << s.frame;
    }
    EXPECT_EQ(ballShots, shots);
    EXPECT_EQ(FramesOf(sounds, "launch"), launches);
    std::vector<int> bursts = FramesOf(sounds, "explosion");
    ASSERT_EQ(bursts.size(), launches.size());
    for (size_t i = 0; i < bursts.size(); ++i) EXPECT_GT(bursts[i], launches[i]);
    EXPECT_EQ(FramesOf(sounds, "ring"), rings);
    EXPECT_EQ(FramesOf(sounds, "door"), opening);
    EXPECT_EQ(FramesOf(sounds, "enemy-death").size(),
              trace[0]["enemies"].size() - trace.back()["enemies"].size());
    std::vector<int> rolls = FramesOf(sounds, "roll"), stops = FramesOf(sounds, "roll-stop");
    ASSERT_FALSE(rolls.empty());
    ASSERT_GE(rolls.size(), stops.size());
    for (size_t i = 0; i < stops.size(); ++i) EXPECT_LE(rolls[i], stops[i]);
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

void ExpectInOrder(const std::string& text, const std::vector<std::string>& lines) {
    size_t at = 0;
    for (const std::string& line : lines) {
        const size_t found = text.find(line, at);
        ASSERT_NE(found, std::string::npos) << "\"" << line << "\" missing or out of order in\n"
                                            << text;
        at = found + line.size();
    }
}
