// zorvan-run: plays the real game under a script with a fixed or real clock, writes a trace line
// per frame and takes screenshots. It starts the game as a player does and ends it through the
// game's own Escape handler.
#include <GL/freeglut.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "common/leak_check.h"
#include "app/input.h"
#include "app/shell.h"
#include "platform/perf_counter.h"
#include "run/screenshot.h"
#include "run/script.h"
#include "run/soak.h"
#include "run/trace.h"
#include "run/window_sync.h"

namespace {

constexpr int kUsageError = 2;
constexpr int64_t kClockFrequency = 1000000000;  // the fixed clock counts nanoseconds
constexpr double kFirstReading = 100.0;          // seconds
constexpr int kSettledFrame = 1000;

struct Options {
    int frames = -1;
    double dt = 0;         // 0: the real clock
    long randomSeed = -1;  // -1: no random input
    bool randomFunctionKeys = true;
    std::string scriptFile, traceFile;
    std::multimap<int, std::string> shots;
};

[[noreturn]] void Fail(const std::string& message) {
    std::fprintf(stderr, "zorvan-run: %s\n", message.c_str());
    std::exit(kUsageError);
}

const char* kUsage =
    "usage: zorvan-run [--frames N] [--dt SECONDS] [--script FILE] [--trace FILE] "
    "[--shot FRAME:FILE.png]... [--random SEED [--random-function-keys on|off]]";

// Accepts a decimal number of seconds or a fraction such as 1/60.
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

Options ParseOptions(int argc, char** argv) {
    Options o;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (i + 1 >= argc) Fail(std::string(kUsage));
        const char* value = argv[++i];
        if (arg == "--frames") {
            char* end;
            long n = std::strtol(value, &end, 10);
            if (*end != '\0' || n < 0 || n > 100000000) Fail("--frames takes a count");
            o.frames = static_cast<int>(n);
        } else if (arg == "--dt") {
            if (!ParseSeconds(value, o.dt)) Fail("--dt takes seconds, such as 0.01 or 1/60");
        } else if (arg == "--script") {
            o.scriptFile = value;
        } else if (arg == "--random") {
            char* end;
            o.randomSeed = std::strtol(value, &end, 10);
            if (*end != '\0' || o.randomSeed < 0 || o.randomSeed > UINT32_MAX)
                Fail("--random takes a seed from 0 to 4294967295");
        } else if (arg == "--random-function-keys") {
            if (std::strcmp(value, "on") != 0 && std::strcmp(value, "off") != 0)
                Fail("--random-function-keys takes on or off");
            o.randomFunctionKeys = std::strcmp(value, "on") == 0;
        } else if (arg == "--trace") {
            o.traceFile = value;
        } else if (arg == "--shot") {
            const char* colon = std::strchr(value, ':');
            int frame = std::atoi(value);
            if (colon == nullptr || frame < 0) Fail("--shot takes FRAME:FILE.png");
            o.shots.emplace(frame, colon + 1);
        } else {
            Fail(std::string(kUsage));
        }
    }
    return o;
}

std::vector<ScriptStep> LoadScript(const std::string& file) {
    std::vector<ScriptStep> steps;
    if (file.empty()) return steps;
    std::ifstream in(file, std::ios::binary);
    if (!in) Fail("cannot open script " + file);
    std::stringstream text;
    text << in.rdbuf();
    std::string error;
    if (!ParseScript(text.str(), steps, error)) Fail(file + ": " + error);
    std::stable_sort(steps.begin(), steps.end(),
                     [](const ScriptStep& a, const ScriptStep& b) { return a.frame < b.frame; });
    return steps;
}

// The fixed clock: the runner moves it on by one step before every game step.
int64_t fixedCount = 0;
int64_t FixedCounter() {
    return fixedCount;
}

bool Apply(const ScriptStep& step, std::multimap<int, std::string>& shots, int frame) {
    switch (step.action) {
        case ScriptAction::KeyDown: Keyboard(step.key, 0, 0); break;
        case ScriptAction::KeyUp: KeyboardUp(step.key, 0, 0); break;
        case ScriptAction::FunctionKey: SpecialKeys(step.number, 0, 0); break;
        case ScriptAction::Press: MouseButton(step.number, GLUT_DOWN, 0, 0); break;
        case ScriptAction::Release: MouseButton(step.number, GLUT_UP, 0, 0); break;
        case ScriptAction::Move: MouseMotion(step.x, step.y); break;
        case ScriptAction::Shot: shots.emplace(frame, step.file); break;
        case ScriptAction::Quit: return false;
    }
    return true;
}

// The runner draws each frame itself, so GLUT's own redisplay does nothing.
void NoDisplay() {}

}  // namespace

int main(int argc, char** argv) {
    Options options = ParseOptions(argc, argv);
    std::vector<ScriptStep> steps = LoadScript(options.scriptFile);
    if (options.frames < 0) options.frames = steps.empty() ? 1 : steps.back().frame + 1;

    FILE* trace = nullptr;
    if (!options.traceFile.empty()) {
        trace = std::fopen(options.traceFile.c_str(), "w");
        if (trace == nullptr) Fail("cannot write trace " + options.traceFile);
    }
    int64_t stepCount = 0;
    if (options.dt > 0) {
        stepCount = std::llround(options.dt * kClockFrequency);
        fixedCount = std::llround(kFirstReading * kClockFrequency) - stepCount;
        InstallPerformanceClock(kClockFrequency, FixedCounter);
    }

    char* gameArgv[] = {argv[0], nullptr};
    auto startUp = std::chrono::steady_clock::now();
    GameStart(1, gameArgv);
    CheckLeaksBeforeLibrariesUnload();
    std::fprintf(
        stderr, "zorvan-run: start-up took %.0f ms\n",
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - startUp)
            .count());
    glutDisplayFunc(NoDisplay);

    std::optional<RandomInput> random;
    if (options.randomSeed >= 0)
        random.emplace(static_cast<uint32_t>(options.randomSeed), options.randomFunctionKeys);
    size_t next = 0;
    std::string line;
    int frame = 0;
    for (; frame < options.frames; ++frame) {
        bool running = true;
        for (; next < steps.size() && steps[next].frame == frame; ++next)
            running = Apply(steps[next], options.shots, frame) && running;
        if (!running) break;
        if (random) {
            random->Apply();
            // Memory after the start-up's caches have settled, for a soak to compare with.
            if (frame == kSettledFrame) ReportSoak(frame);
        }
        fixedCount += stepCount;
        Idle();
        Display();
        // Let the pointer warp of the step arrive before GLUT reads the window's events.
        SyncWindowSystem();
        glutMainLoopEvent();
        if (trace != nullptr) {
            line.clear();
            TraceFrame(frame, line);
            line += '\n';
            std::fputs(line.c_str(), trace);
        }
        auto [first, last] = options.shots.equal_range(frame);
        for (auto it = first; it != last; ++it)
            if (!SaveScreenshot(it->second.c_str()))
                std::fprintf(stderr, "zorvan-run: cannot save %s\n", it->second.c_str());
    }
    if (trace != nullptr) std::fclose(trace);
    if (random) {
        random->RestoreSwitches();
        ReportSoak(frame);
    }
    Keyboard(27, 0, 0);  // Escape: the game's own exit path
    return 0;
}
