#include "run/recorder.h"

#include <GL/freeglut.h>

#include <string>

#include "app/shell.h"

namespace {

// GLUT's callbacks are plain functions: the input they catch waits here for its frame.
Recorder* listening = nullptr;
std::vector<ScriptStep> pending;

void Hold(ScriptAction action, int number = 0, unsigned char key = 0, int x = 0, int y = 0) {
    ScriptStep step;
    step.action = action;
    step.number = number;
    step.key = key;
    step.x = x;
    step.y = y;
    pending.push_back(step);
}

void KeyDown(unsigned char key, int, int) {
    Hold(ScriptAction::KeyDown, 0, key);
}
void KeyUp(unsigned char key, int, int) {
    Hold(ScriptAction::KeyUp, 0, key);
}
// Only the keys and buttons the game acts on: the function keys and the left and right buttons.
void FunctionKey(int key, int, int) {
    if (key >= GLUT_KEY_F1 && key <= GLUT_KEY_F12) Hold(ScriptAction::FunctionKey, key);
}
void Button(int button, int state, int, int) {
    if (button != GLUT_LEFT_BUTTON && button != GLUT_RIGHT_BUTTON) return;
    Hold(state == GLUT_DOWN ? ScriptAction::Press : ScriptAction::Release, button);
}
void Motion(int x, int y) {
    Hold(ScriptAction::Move, 0, 0, x, y);
}

// The window is going: there is no next frame to wait for. What came before it and the close
// itself are written, and the game ends as its own close button ends it.
void Close() {
    if (!listening->closeWritten()) {
        ScriptStep close;
        close.frame = listening->nextFrame();
        close.action = ScriptAction::Close;
        listening->TakeWindowInput(close.frame);
        listening->Write(close);
    }
    listening->Flush();
    ExitGame();
}

}  // namespace

void Recorder::Listen() {
    listening = this;
    glutKeyboardFunc(KeyDown);
    glutKeyboardUpFunc(KeyUp);
    glutSpecialFunc(FunctionKey);
    glutMouseFunc(Button);
    glutMotionFunc(Motion);
    glutPassiveMotionFunc(Motion);
    glutCloseFunc(Close);
}

std::vector<ScriptStep> Recorder::TakeWindowInput(int frame) {
    nextFrame_ = frame + 1;
    std::vector<ScriptStep> steps;
    steps.swap(pending);
    for (ScriptStep& step : steps) {
        step.frame = frame;
        Write(step);
    }
    return steps;
}

void Recorder::Write(const ScriptStep& step) {
    closeWritten_ = closeWritten_ || step.action == ScriptAction::Close;
    std::fputs((FormatStep(step) + "\n").c_str(), file_);
}

void Recorder::WriteStepTime(int frame, double seconds) {
    if (seconds <= 0 || seconds == stepTime_) return;
    ScriptStep step;
    step.frame = frame;
    step.action = ScriptAction::StepTime;
    step.seconds = stepTime_ = seconds;
    Write(step);
}
