// Runner scripts: one action a line, "FRAME ACTION [ARGS]", applied at the start of that frame.
#pragma once

#include <string>
#include <vector>

enum class ScriptAction { KeyDown, KeyUp, FunctionKey, Press, Release, Move, Shot, Quit };

struct ScriptStep {
    int frame = 0;
    ScriptAction action = ScriptAction::Quit;
    unsigned char key = 0;  // KeyDown, KeyUp
    int number = 0;         // FunctionKey: 1-12; Press/Release: GLUT button code
    int x = 0, y = 0;       // Move
    std::string file;       // Shot
    int line = 0;           // line number in the script, for messages
};

// Parses a script text. On a malformed line returns false and sets `error` to a message that
// names the line.
bool ParseScript(const std::string& text, std::vector<ScriptStep>& steps, std::string& error);
