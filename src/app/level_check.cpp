#include "app/level_check.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "app/level_files.h"
#include "core/settings.h"
#include "platform/game_path.h"
#include "platform/profile.h"

namespace {

// More entries than any level holds; a larger count is a broken file, not a level.
constexpr int32_t kMaxCount = 100000;
// The world's bounding planes stand at x and z of -1000 and 1000.
constexpr float kWorldBound = 1000.0f;
// The camera sees this far; a larger sky box lies beyond its reach.
constexpr int32_t kLargestSky = 100000;

const std::vector<std::string> kSections = {"level", "models", "enemies", "rings", "doors"};
const std::vector<std::string> kLevelKeys = {"numModels", "numEnemies", "numRings",
                                             "numDoors",  "skyboxDir",  "skyboxDim"};

// The keys of one entry of a counted section, without the entry's number.
std::vector<std::string> EntryKeys(const std::string& section) {
    if (section == "models") return {"model", "physicModel", "matrix", "density", "concave"};
    if (section == "enemies") return {"kind", "matrix"};
    return {"matrix"};
}

std::string Lower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

std::string Key(const std::string& name, int index) {
    return name + std::to_string(index);
}

// The entry number of a numbered key of `section` ("matrix12" gives 12), or 0.
int EntryOf(const std::string& section, const std::string& key) {
    for (const std::string& name : EntryKeys(section)) {
        if (key.size() <= name.size() || Lower(key.substr(0, name.size())) != Lower(name)) continue;
        const std::string digits = key.substr(name.size());
        if (digits[0] == '0' || digits.size() > 9 ||
            digits.find_first_not_of("0123456789") != std::string::npos)
            continue;
        return std::atoi(digits.c_str());
    }
    return 0;
}

std::string Trimmed(const char* text) {
    while (*text == ' ' || *text == '\t') ++text;
    std::string rest = text;
    rest.erase(rest.find_last_not_of(" \t") + 1);
    return rest;
}

std::string Entries(int first, int last) {
    return first == last ? "entry " + std::to_string(first)
                         : "entries " + std::to_string(first) + " to " + std::to_string(last);
}

std::string Shortened(const std::string& text) {
    return text.size() <= 48 ? text : text.substr(0, 45) + "...";
}

class Checker {
public:
    Checker(const char* file, NxPhysicsSDK* sdk) : file_(file), files_(sdk) {}

    std::vector<LevelProblem> run() {
        if (FILE* f = GameOpen(file_.c_str(), "rb")) {
            std::fclose(f);
        } else {
            add(true, "", "", file_ + " is missing");
            return problems_;
        }
        int32_t counts[std::size(kCountedSections)];
        for (size_t p = 0; p < std::size(kCountedSections); ++p) {
            counts[p] = count(kCountedSections[p]);
            if (counts[p] < 0) return problems_;
        }
        layout(counts);
        skyBox();
        for (size_t p = 0; p < std::size(kCountedSections); ++p) entries(p, counts[p]);
        return problems_;
    }

private:
    std::string at(const std::string& section, const std::string& key) const {
        return file_ + ": \"" + key + "\" in section [" + section + "]";
    }
    void add(bool fatal, const std::string& section, const std::string& key,
             const std::string& text) {
        problems_.push_back({fatal, section, key, (fatal ? "Cannot start: " : "") + text});
    }
    void missing(bool fatal, const std::string& section, const std::string& key,
                 const std::string& consequence) {
        add(fatal, section, key,
            file_ + " has no key \"" + key + "\" in section [" + section + "]" + consequence);
    }
    // The value text of a key; false when it is missing.
    bool read(const std::string& section, const std::string& key, std::string& text) const {
        char buffer[512];
        ReadString(file_.c_str(), section.c_str(), key.c_str(), buffer, sizeof buffer);
        text = buffer;
        return text != NOT_FOUND_TEXT;
    }
    // A number followed by more text reads as the number alone.
    void extraText(const std::string& section, const std::string& key, const std::string& text,
                   const std::string& number, const std::string& rest) {
        std::string hint = rest[0] == ','   ? " (decimals take a point)"
                           : rest[0] == ';' ? " (a comment takes a line of its own)"
                                            : "";
        add(false, section, key,
            at(section, key) + " is \"" + Shortened(text) + "\", which reads as " + number +
                ": the rest is not part of the number" + hint);
    }

    // A whole number as the readers take it; false when the text does not start with one.
    bool wholeNumber(const std::string& section, const std::string& key, const std::string& text,
                     long& value) {
        char* end = nullptr;
        value = std::strtol(text.c_str(), &end, 10);
        if (end == text.c_str()) return false;
        const std::string rest = Trimmed(end);
        if (!rest.empty()) extraText(section, key, text, std::to_string(value), rest);
        return true;
    }
    bool decimalNumber(const std::string& section, const std::string& key, const std::string& text,
                       float& value) {
        int used = 0;
        if (std::sscanf(text.c_str(), "%f%n", &value, &used) != 1) return false;
        const std::string rest = Trimmed(text.c_str() + used);
        char number[32];
        std::snprintf(number, sizeof number, "%g", value);
        if (!rest.empty()) extraText(section, key, text, number, rest);
        return true;
    }

    // The count, or -1 with a fatal problem added when it cannot be used.
    int32_t count(const CountedSection& counted) {
        const std::string key = counted.countKey;
        std::string text;
        if (!read(counted.countSection, key, text)) {
            missing(true, "level", key, "");
            return -1;
        }
        long value = 0;
        if (!wholeNumber("level", key, text, value)) {
            add(true, "level", key,
                at("level", key) + " is \"" + Shortened(text) + "\", not a number");
            return -1;
        }
        if (value >= 0 && value <= kMaxCount) return static_cast<int32_t>(value);
        add(true, "level", key,
            at("level", key) + " is " + std::to_string(value) + ", not a count from 0 to " +
                std::to_string(kMaxCount));
        return -1;
    }

    // Sections and keys that the game never reads, or reads only once.
    void layout(const int32_t counts[]) {
        std::set<std::string> seen;
        for (const ProfileSection& s : ProfileOutline(file_.c_str())) {
            const std::string name = Lower(s.name);
            if (std::find(kSections.begin(), kSections.end(), name) == kSections.end()) {
                const std::string closest = ClosestName(s.name, kSections);
                add(false, s.name, "",
                    file_ + ": the game reads no section [" + s.name + "]" +
                        (closest.empty() ? "" : " (is [" + closest + "] meant?)"));
                continue;
            }
            if (!seen.insert(name).second) {
                add(false, s.name, "",
                    file_ + ": section [" + s.name +
                        "] appears again: the game reads only the first, so the keys under "
                        "this header are never read");
                continue;
            }
            int32_t count = 0;
            for (size_t p = 0; p < std::size(kCountedSections); ++p)
                if (name == kCountedSections[p].section) count = counts[p];
            keys(s, name, count);
        }
    }

    void keys(const ProfileSection& s, const std::string& section, int32_t count) {
        std::set<std::string> seen;
        std::set<int>& present = entries_[section];
        int beyondFirst = 0, beyondLast = 0;  // entries past the count
        for (const std::string& key : s.keys) {
            if (!seen.insert(Lower(key)).second) {
                add(false, section, key,
                    at(section, key) + " appears again: the game reads only the first");
                continue;
            }
            if (section == "level") {
                bool known =
                    std::any_of(kLevelKeys.begin(), kLevelKeys.end(),
                                [&](const std::string& k) { return Lower(k) == Lower(key); });
                if (!known) unknownKey(section, key, kLevelKeys);
                continue;
            }
            const int entry = EntryOf(section, key);
            if (entry == 0) {
                const size_t digits = key.find_last_not_of("0123456789") + 1;
                std::vector<std::string> names;
                for (const std::string& name : EntryKeys(section))
                    names.push_back(name + key.substr(digits));
                unknownKey(section, key, names);
            } else if (entry > count) {
                beyondFirst = beyondFirst == 0 ? entry : std::min(beyondFirst, entry);
                beyondLast = std::max(beyondLast, entry);
            } else {
                present.insert(entry);
            }
        }
        if (beyondFirst != 0)
            add(false, section, "",
                file_ + ": section [" + section + "] has keys of " +
                    Entries(beyondFirst, beyondLast) + ", beyond the " + std::to_string(count) +
                    " that its count in [level] says: the "
                    "game never reads them");
    }

    void unknownKey(const std::string& section, const std::string& key,
                    const std::vector<std::string>& expected) {
        const std::string closest = ClosestName(key, expected);
        add(false, section, key,
            at(section, key) + " is not a key the game reads" +
                (closest.empty() ? "" : " (is \"" + closest + "\" meant?)"));
    }

    void skyBox() {
        std::string text;
        if (!read("level", "skyboxDir", text))
            missing(false, "level", "skyboxDir", ": the sky shows magenta checkers");
        else
            for (const FileProblem& p : files_.skyBox(text))
                add(p.fatal, "level", "skyboxDir", at("level", "skyboxDir") + ": " + p.text);

        const std::string dim = "skyboxDim";
        long edge = 0;
        if (!read("level", dim, text))
            missing(false, "level", dim,
                    ": it reads as 12345678, a sky box beyond the camera's reach: the sky is "
                    "black");
        else if (!wholeNumber("level", dim, text, edge) || edge <= 0 || edge > kLargestSky)
            add(false, "level", dim,
                at("level", dim) + " is \"" + Shortened(text) +
                    "\", not an edge length from 1 to " + std::to_string(kLargestSky) +
                    ": the sky is black or hides the level");
    }

    void entries(size_t p, int32_t count) {
        const std::string section = kCountedSections[p].section;
        const std::string countKey = kCountedSections[p].countKey;
        const std::set<int>& present = entries_[section];
        if (count > 0 && present.empty()) {
            add(true, section, "",
                file_ + " has no entries in section [" + section + "], though \"" + countKey +
                    "\" in section [level] is " + std::to_string(count));
            return;
        }
        for (int i = 1; i <= count; ++i) {
            if (present.count(i) == 0) {
                int last = i;
                while (last < count && present.count(last + 1) == 0) ++last;
                add(true, section, Key(EntryKeys(section)[0], i),
                    file_ + ": section [" + section + "] has no keys of " + Entries(i, last) +
                        ", though \"" + countKey + "\" in section [level] is " +
                        std::to_string(count));
                i = last;
                continue;
            }
            if (section == "models") model(i);
            if (section == "enemies") kind(i);
            matrix(section, i);
        }
    }

    void model(int i) {
        const std::string visualKey = Key("model", i), physicKey = Key("physicModel", i);
        std::string visual, physic;
        if (read("models", visualKey, visual)) {
            for (const FileProblem& p : files_.visualModel(visual))
                add(p.fatal, "models", visualKey, at("models", visualKey) + ": " + p.text);
        } else {
            missing(false, "models", visualKey, ": the object is invisible, though it collides");
        }
        const bool hasPhysic = read("models", physicKey, physic);
        if (!hasPhysic)
            missing(true, "models", physicKey,
                    ": every model needs a collision mesh, as a rule its own model's");
        const float density = this->density(i);
        const bool concave = this->concave(i, density);
        if (hasPhysic)
            for (const FileProblem& p : files_.cookedMesh(physic, concave))
                add(p.fatal, "models", physicKey, at("models", physicKey) + ": " + p.text);
    }

    float density(int i) {
        const std::string key = Key("density", i);
        std::string text;
        float value = 0;
        if (!read("models", key, text)) {
            missing(false, "models", key,
                    ": it reads as 12345678, a moving object of that density; write 0 for one "
                    "that stays in place");
            return static_cast<float>(NOT_FOUND_VALUE);
        }
        if (!decimalNumber("models", key, text, value)) {
            add(false, "models", key,
                at("models", key) + " is \"" + Shortened(text) +
                    "\", not a number: it reads as 0, an object that stays in place");
            return 0;
        }
        if (!(value >= 0) || std::isinf(value))
            add(true, "models", key,
                at("models", key) + " is \"" + Shortened(text) +
                    "\": a density is 0 (an object that stays in place) or a number above 0");
        return value;
    }

    bool concave(int i, float density) {
        const std::string key = Key("concave", i);
        std::string text;
        long value = 0;
        if (!read("models", key, text)) {
            missing(false, "models", key, ": it reads as 1, a collision mesh of triangles");
            value = 1;
        } else if (!wholeNumber("models", key, text, value)) {
            add(false, "models", key,
                at("models", key) + " is \"" + Shortened(text) +
                    "\", not a number: it reads as 0, the model's convex hull");
        }
        if (value != 0 && density > 0 && std::isfinite(density))
            add(false, "models", key,
                at("models", key) + " asks for triangles for an object that moves (\"" +
                    Key("density", i) + "\" is not 0): it collides as its convex hull");
        return value != 0;
    }

    void kind(int i) {
        const std::string key = Key("kind", i);
        std::string text;
        long value = 0;
        if (!read("enemies", key, text)) {
            missing(false, "enemies", key, ": the enemy is left out");
        } else if (!wholeNumber("enemies", key, text, value)) {
            add(false, "enemies", key,
                at("enemies", key) + " is \"" + Shortened(text) +
                    "\", not a number: it reads as 0, a cube cannon");
        } else if (value < 0 || value > 3) {
            add(false, "enemies", key,
                at("enemies", key) + " is " + std::to_string(value) +
                    ", not a kind from 0 to 3 (0 cube cannon, 1 moving bomb, 2 fly, 3 jumping "
                    "block): the enemy is left out");
        }
    }

    void matrix(const std::string& section, int i) {
        const std::string key = Key("matrix", i);
        std::string text;
        if (!read(section, key, text)) {
            missing(true, section, key, "");
            return;
        }
        float m[16] = {};
        const char* rest = nullptr;
        const int numbers = ScanMatrix(text.c_str(), m, &rest);
        for (float value : m) {
            if (std::isfinite(value)) continue;
            add(true, section, key, at(section, key) + " holds a number that is not finite");
            return;
        }
        if (numbers < 16) {
            const bool commas = text.find(',') != std::string::npos;
            add(false, section, key,
                at(section, key) + " is \"" + Shortened(text) + "\": " + std::to_string(numbers) +
                    " of its 16 numbers read" +
                    (commas ? "" : " (the numbers are separated by commas)") +
                    ", and the others read as 0");
            return;
        }
        if (!Trimmed(rest).empty())
            add(false, section, key,
                at(section, key) + " has more than 16 numbers: the rest is ignored");
        if (m[3] != 0 || m[7] != 0 || m[11] != 0 || m[15] != 1)
            add(false, section, key,
                at(section, key) +
                    " does not end in 0, 0, 0, 1 at the 4th, 8th, 12th and 16th number: the "
                    "numbers go column by column, with the position in the 13th to 15th");
        else if (!Rotation(m))
            add(false, section, key,
                at(section, key) +
                    " scales or shears: the game keeps only the rotation and the position, "
                    "so use numbers 1-3, 5-7 and 9-11 for a rotation and scale the model itself");
        if (std::fabs(m[12]) > kWorldBound || std::fabs(m[14]) > kWorldBound) {
            char where[120];
            std::snprintf(where, sizeof where,
                          " places it at (%g, %g, %g), beyond the world's bounds at x and z of "
                          "+-%g",
                          m[12], m[13], m[14], kWorldBound);
            add(false, section, key, at(section, key) + where);
        }
    }

    // Whether the matrix's three axes have length 1 and stand square to each other.
    static bool Rotation(const float m[16]) {
        constexpr float kTolerance = 1e-2f;
        for (int a = 0; a < 3; ++a) {
            for (int b = a; b < 3; ++b) {
                const float dot =
                    m[4 * a] * m[4 * b] + m[4 * a + 1] * m[4 * b + 1] + m[4 * a + 2] * m[4 * b + 2];
                if (std::fabs(dot - (a == b ? 1.0f : 0.0f)) > kTolerance) return false;
            }
        }
        return true;
    }

    const std::string file_;
    LevelFiles files_;
    std::map<std::string, std::set<int>> entries_;  // the entries each counted section holds
    std::vector<LevelProblem> problems_;
};

}  // namespace

std::vector<LevelProblem> CheckLevelFile(const char* file, NxPhysicsSDK* sdk) {
    return Checker(file, sdk).run();
}
