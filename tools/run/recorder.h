// --record: writes what reached the game (the window's input and the script's, and each frame's
// step time) as a script that --script plays back to the same trace. The window's input is held
// back to the start of the next frame, where a script's input is applied, so that a replay hands
// every input to the game at the same point of the game step, under the same clock reading.
#pragma once

#include <cstdio>
#include <vector>

#include "run/script.h"

class Recorder {
public:
    explicit Recorder(FILE* file) : file_(file) {}
    ~Recorder() { std::fclose(file_); }

    // Takes the window's input for the recording; again after every game step, whose pointer
    // warp hands the motion callbacks back to the game.
    void Listen();
    // At the start of `frame`: the window's input since the last frame started, as steps of
    // this frame, written.
    std::vector<ScriptStep> TakeWindowInput(int frame);
    // The frame that the window's input now arriving belongs to.
    int nextFrame() const { return nextFrame_; }
    // Whether a close is written: a script's close reaches the window's close callback too.
    bool closeWritten() const { return closeWritten_; }
    void Write(const ScriptStep& step);
    // A frame's step time, when it differs from the last one written.
    void WriteStepTime(int frame, double seconds);
    // Everything written so far reaches the file (the game may end the process at any input).
    void Flush() { std::fflush(file_); }

private:
    FILE* file_;
    int nextFrame_ = 0;
    bool closeWritten_ = false;
    double stepTime_ = 0;
};
