// zorvan-run: plays the real game under a script with a fixed or real clock, writes a trace line
// per frame, takes screenshots and records a player's game as a script. It starts the game as a
// player does and ends it through the game's own Escape handler.
#include <GL/freeglut.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <type_traits>
#include <vector>

#include "app/input.h"
#include "app/shell.h"
#include "common/leak_check.h"
#include "platform/game_folder.h"
#include "platform/perf_counter.h"
#include "run/options.h"
#include "run/recorder.h"
#include "run/screenshot.h"
#include "run/script.h"
#include "run/soak.h"
#include "run/sound_log.h"
#include "run/trace.h"
#include "run/window_sync.h"

namespace fs = std::filesystem;

namespace {

constexpr int64_t kClockFrequency = 1000000000;  // the fixed clock counts nanoseconds
constexpr double kFirstReading = 100.0;          // seconds
constexpr int kSettledFrame = 1000;

int64_t Counts(double seconds) {
    return std::llround(seconds * kClockFrequency);
}

// A screenshot's file, named relative to the folder the runner was started in; refused before
// anything runs when its folder cannot take it.
std::string ShotFile(const std::string& file) {
    fs::path path = fs::absolute(file);
    if (access(path.parent_path().c_str(), W_OK) != 0)
        Refuse(kRunner, "cannot write screenshot " + file);
    return path.string();
}

std::vector<ScriptStep> LoadScript(const std::string& file) {
    std::vector<ScriptStep> steps;
    if (file.empty()) return steps;
    std::ifstream in(file, std::ios::binary);
    if (!in) Refuse(kRunner, "cannot open script " + file);
    std::stringstream text;
    text << in.rdbuf();
    std::string error;
    if (!ParseScript(text.str(), steps, error)) Refuse(kRunner, file + ": " + error);
    std::stable_sort(steps.begin(), steps.end(),
                     [](const ScriptStep& a, const ScriptStep& b) { return a.frame < b.frame; });
    for (ScriptStep& step : steps)
        if (step.action == ScriptAction::Shot) step.file = ShotFile(step.file);
    return steps;
}

// Opens a file named relative to the folder the runner was started in, once the game's folder is
// the working directory.
FILE* OpenOutput(const fs::path& startFolder, const std::string& file, const char* what) {
    if (file.empty()) return nullptr;
    FILE* out = std::fopen((startFolder / file).c_str(), "w");
    if (out == nullptr) Refuse(kRunner, std::string("cannot write ") + what + " " + file);
    return out;
}

// The fixed clock: the runner moves it on by each frame's step before the frame's game step,
// from a first reading of 100 s.
int64_t fixedCount = 0;
int64_t FixedCounter() {
    return fixedCount;
}

// Where the frames' steps come from: --dt and a script's dt lines, or, when recording without
// them, the real time between the starts of two frames. The first step is the first reading.
class FrameClock {
public:
    FrameClock(const Options& options, const std::vector<ScriptStep>& steps, bool recording) {
        auto dt = std::find_if(steps.begin(), steps.end(), [](const ScriptStep& s) {
            return s.action == ScriptAction::StepTime;
        });
        if (options.dt > 0)
            step_ = Counts(options.dt);
        else if (dt != steps.end())
            step_ = Counts(dt->seconds);
        measured_ = recording && step_ == 0;
        if (step_ == 0 && !measured_) return;  // the real clock
        fixedCount = Counts(kFirstReading) - step_;
        InstallPerformanceClock(kClockFrequency, FixedCounter);
    }
    // A script's dt line.
    void setStep(double seconds) { step_ = Counts(seconds); }
    // Before each frame's input; a recording's step is the real time since the last frame.
    void startFrame(int frame) {
        auto now = std::chrono::steady_clock::now();
        if (measured_ && frame > 0) step_ = (now - last_).count();
        last_ = now;
    }
    double stepSeconds() const { return static_cast<double>(step_) / kClockFrequency; }
    // After the frame's input, before its game step.
    void advance() { fixedCount += step_; }

private:
    int64_t step_ = 0;
    bool measured_ = false;
    std::chrono::steady_clock::time_point last_;
};
static_assert(std::is_same_v<std::chrono::steady_clock::duration, std::chrono::nanoseconds>);

// This frame's input in the order the game gets it: the window's since the last frame (when
// recording), then the script's. A script's step times go to the clock first. A recording notes
// the frame's step time and input before the game gets any of it, since an input may end the
// game.
std::vector<ScriptStep> FrameInput(int frame, const std::vector<ScriptStep>& steps, size_t& next,
                                   FrameClock& clock, Recorder* recorder) {
    clock.startFrame(frame);
    size_t end = next;
    for (; end < steps.size() && steps[end].frame == frame; ++end)
        if (steps[end].action == ScriptAction::StepTime) clock.setStep(steps[end].seconds);
    std::vector<ScriptStep> input;
    if (recorder) {
        recorder->WriteStepTime(frame, clock.stepSeconds());
        input = recorder->TakeWindowInput(frame);
    }
    for (; next < end; ++next) {
        if (steps[next].action == ScriptAction::StepTime) continue;
        input.push_back(steps[next]);
        if (recorder) recorder->Write(steps[next]);
    }
    if (recorder) recorder->Flush();
    return input;
}

// Hands a step to the game; false for quit.
bool Apply(const ScriptStep& step, std::multimap<int, std::string>& shots) {
    switch (step.action) {
        case ScriptAction::KeyDown: Keyboard(step.key, 0, 0); break;
        case ScriptAction::KeyUp: KeyboardUp(step.key, 0, 0); break;
        case ScriptAction::FunctionKey: SpecialKeys(step.number, 0, 0); break;
        case ScriptAction::Press: MouseButton(step.number, GLUT_DOWN, 0, 0); break;
        case ScriptAction::Release: MouseButton(step.number, GLUT_UP, 0, 0); break;
        case ScriptAction::Move: MouseMotion(step.x, step.y); break;
        case ScriptAction::StepTime: break;  // taken by the clock before the frame's input
        case ScriptAction::Shot: shots.emplace(step.frame, step.file); break;
        case ScriptAction::Close: RequestWindowClose(); break;
        case ScriptAction::Quit: return false;
    }
    return true;
}

// The runner draws each frame itself, so GLUT's own redisplay does nothing.
void NoDisplay() {}

}  // namespace

int main(int argc, char** argv) {
    // Every file named on the command line is read or checked first, and nothing is written
    // before the game's folder is found.
    Options options = ParseOptions(argc, argv);
    std::vector<ScriptStep> steps = LoadScript(options.scriptFile);
    if (options.frames < 0 && !options.recordFile.empty())
        options.frames = INT_MAX;  // a player's game ends with Escape or the close button
    else if (options.frames < 0)
        options.frames = steps.empty() ? 1 : steps.back().frame + 1;
    std::multimap<int, std::string> shots;
    for (const auto& [frame, file] : options.shots) shots.emplace(frame, ShotFile(file));
    const fs::path startFolder = fs::current_path();
    std::string error;
    if (!EnterGameFolder(options.dataFolder, error)) Refuse(kRunner, error, 1);
    FILE* trace = OpenOutput(startFolder, options.traceFile, "trace");
    std::unique_ptr<Recorder> recorder;
    if (FILE* record = OpenOutput(startFolder, options.recordFile, "recording"))
        recorder = std::make_unique<Recorder>(record);
    FrameClock clock(options, steps, recorder != nullptr);
    StartSoundLog(OpenOutput(startFolder, options.soundLogFile, "sound log"));

    char* gameArgv[] = {argv[0], nullptr};
    auto startUp = std::chrono::steady_clock::now();
    GameStart(1, gameArgv);
    CheckLeaksBeforeLibrariesUnload();
    std::fprintf(
        stderr, "zorvan-run: start-up took %.0f ms\n",
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - startUp)
            .count());
    glutDisplayFunc(NoDisplay);
    if (recorder) recorder->Listen();

    std::optional<RandomInput> random;
    if (options.randomSeed >= 0)
        random.emplace(static_cast<uint32_t>(options.randomSeed), options.randomFunctionKeys);
    size_t next = 0;
    std::string line;
    int frame = 0;
    for (; frame < options.frames; ++frame) {
        bool running = true;
        SetSoundLogFrame(frame);
        for (const ScriptStep& step : FrameInput(frame, steps, next, clock, recorder.get()))
            running = Apply(step, shots) && running;
        if (!running) break;
        if (random) {
            random->Apply();
            // Memory after the start-up's caches have settled, for a soak to compare with.
            if (frame == kSettledFrame) ReportSoak(frame);
        }
        clock.advance();
        Idle();
        Display();
        if (recorder) recorder->Listen();
        // Let the pointer warp of the step arrive before GLUT reads the window's events.
        SyncWindowSystem();
        glutMainLoopEvent();
        if (trace != nullptr) {
            line.clear();
            TraceFrame(frame, line);
            line += '\n';
            std::fputs(line.c_str(), trace);
        }
        auto [first, last] = shots.equal_range(frame);
        for (auto it = first; it != last; ++it)
            if (!SaveScreenshot(it->second.c_str()))
                Refuse(kRunner, "cannot save screenshot " + it->second, 1);
    }
    if (trace != nullptr) std::fclose(trace);
    EndSoundLog();
    if (recorder) {
        // A replay ends where this run ended.
        ScriptStep quit;
        quit.frame = frame;
        quit.action = ScriptAction::Quit;
        recorder->Write(quit);
        recorder.reset();
    }
    if (random) {
        random->RestoreSwitches();
        ReportSoak(frame);
    }
    Keyboard(27, 0, 0);  // Escape: the game's own exit path
    return 0;
}
