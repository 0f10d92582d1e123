#include "run/script.h"

#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <sstream>

namespace {

bool ToInt(const std::string& word, int& value) {
    if (word.empty()) return false;
    char* end = nullptr;
    errno = 0;
    long parsed = std::strtol(word.c_str(), &end, 10);
    if (*end != '\0' || errno != 0 || parsed < INT_MIN || parsed > INT_MAX) return false;
    value = static_cast<int>(parsed);
    return true;
}

constexpr unsigned char kEscape = 27;

// A key is one character, "space", "esc", or "x" and two hex digits for any other code (a
// recording holds whatever the keyboard sent, "#" and control characters included).
bool ToKey(const std::string& word, unsigned char& key) {
    unsigned code = 0;
    char extra;
    if (word == "space")
        key = ' ';
    else if (word == "esc")
        key = kEscape;
    else if (word.size() == 1)
        key = static_cast<unsigned char>(word[0]);
    else if (word.size() == 3 && word[0] == 'x' &&
             std::sscanf(word.c_str(), "x%2x%c", &code, &extra) == 1)
        key = static_cast<unsigned char>(code);
    else
        return false;
    return true;
}

std::string KeyWord(unsigned char key) {
    if (key == ' ') return "space";
    if (key == kEscape) return "esc";
    if (key > ' ' && key < 127 && key != '#') return std::string(1, static_cast<char>(key));
    char word[4];
    std::snprintf(word, sizeof word, "x%02x", key);
    return word;
}

bool ToButton(const std::string& word, int& button) {
    if (word == "left")
        button = 0;  // GLUT_LEFT_BUTTON
    else if (word == "right")
        button = 2;  // GLUT_RIGHT_BUTTON
    else
        return false;
    return true;
}

// Parses the words after the frame number; false for an unknown action or wrong arguments.
bool ParseAction(const std::vector<std::string>& w, ScriptStep& step) {
    const std::string& name = w[1];
    size_t args = w.size() - 2;
    if ((name == "down" || name == "up") && args == 1) {
        step.action = name == "down" ? ScriptAction::KeyDown : ScriptAction::KeyUp;
        return ToKey(w[2], step.key);
    }
    if (name == "fkey" && args == 1) {
        step.action = ScriptAction::FunctionKey;
        return ToInt(w[2], step.number) && step.number >= 1 && step.number <= 12;
    }
    if ((name == "press" || name == "release") && args == 1) {
        step.action = name == "press" ? ScriptAction::Press : ScriptAction::Release;
        return ToButton(w[2], step.number);
    }
    if (name == "move" && args == 2) {
        step.action = ScriptAction::Move;
        return ToInt(w[2], step.x) && ToInt(w[3], step.y);
    }
    if (name == "dt" && args == 1) {
        step.action = ScriptAction::StepTime;
        return ParseSeconds(w[2].c_str(), step.seconds);
    }
    if (name == "close" && args == 0) {
        step.action = ScriptAction::Close;
        return true;
    }
    if (name == "shot" && args == 1) {
        step.action = ScriptAction::Shot;
        step.file = w[2];
        return true;
    }
    if (name == "quit" && args == 0) {
        step.action = ScriptAction::Quit;
        return true;
    }
    return false;
}

}  // namespace

bool ParseScript(const std::string& text, std::vector<ScriptStep>& steps, std::string& error) {
    std::istringstream lines(text);
    std::string line;
    for (int number = 1; std::getline(lines, line); ++number) {
        size_t hash = line.find('#');
        if (hash != std::string::npos) line.erase(hash);
        std::istringstream words(line);
        std::vector<std::string> w;
        for (std::string word; words >> word;) w.push_back(word);
        if (w.empty()) continue;

        ScriptStep step;
        step.line = number;
        if (w.size() < 2 || !ToInt(w[0], step.frame) || step.frame < 0 || !ParseAction(w, step)) {
            error = "script line " + std::to_string(number) + ": cannot read \"" + line + "\"";
            return false;
        }
        steps.push_back(step);
    }
    return true;
}

std::string FormatStep(const ScriptStep& step) {
    std::string line = std::to_string(step.frame) + ' ';
    const char* button = step.number == 0 ? "left" : "right";
    switch (step.action) {
        case ScriptAction::KeyDown: return line + "down " + KeyWord(step.key);
        case ScriptAction::KeyUp: return line + "up " + KeyWord(step.key);
        case ScriptAction::FunctionKey: return line + "fkey " + std::to_string(step.number);
        case ScriptAction::Press: return line + "press " + button;
        case ScriptAction::Release: return line + "release " + button;
        case ScriptAction::Move:
            return line + "move " + std::to_string(step.x) + ' ' + std::to_string(step.y);
        case ScriptAction::StepTime: {
            // Nanoseconds, the runner's clock's unit: read back, they give the same count.
            char seconds[40];
            std::snprintf(seconds, sizeof seconds, "%.9f", step.seconds);
            return line + "dt " + seconds;
        }
        case ScriptAction::Shot: return line + "shot " + step.file;
        case ScriptAction::Close: return line + "close";
        case ScriptAction::Quit: return line + "quit";
    }
    return line;
}

bool ParseSeconds(const char* text, double& seconds) {
    double numerator = 0, denominator = 1;
    char extra;
    if (std::sscanf(text, "%lf/%lf%c", &numerator, &denominator, &extra) == 2 ||
        std::sscanf(text, "%lf%c", &numerator, &extra) == 1) {
        seconds = numerator / denominator;
        return std::isfinite(seconds) && seconds > 0;
    }
    return false;
}
