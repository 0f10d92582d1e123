// Runner scripts: one action a line, "FRAME ACTION [ARGS]", applied at the start of that frame.
#pragma once

#include <string>
#include <vector>

enum class ScriptAction {
    KeyDown,
    KeyUp,
    FunctionKey,
    Press,
    Release,
    Move,
    StepTime,  // "dt SECONDS": this frame's step and the next ones' take SECONDS
    Shot,
    Close,  // the window's close button
    Quit
};

struct ScriptStep {
    int frame = 0;
    ScriptAction action = ScriptAction::Quit;
    unsigned char key = 0;  // KeyDown, KeyUp
    int number = 0;         // FunctionKey: 1-12; Press/Release: GLUT button code
    int x = 0, y = 0;       // Move
    double seconds = 0;     // StepTime
    std::string file;       // Shot
    int line = 0;           // line number in the script, for messages
};

// Parses a script text. On a malformed line returns false and sets `error` to a message that
// names the line.
bool ParseScript(const std::string& text, std::vector<ScriptStep>& steps, std::string& error);

// The script line of a step, without the line feed; ParseScript reads it back as it was.
std::string FormatStep(const ScriptStep& step);

// Reads a step time: a decimal number of seconds or a fraction such as 1/60, finite and above 0.
bool ParseSeconds(const char* text, double& seconds);
