// frame-bench: the cost of whole frames (the game step, the drawing, and the rasterizer finishing
// it) in the real game, idle or under load. The game starts as a player's does, from its folder,
// with the window size of its data/game.ini; the clock advances a fixed 1/60 s per frame, so two
// builds measured one after the other play the same frames. A measurement, not a test.
//
//   frame-bench [--stress] [--frames N] [--data DIR]
//
// Prints the GL renderer, how long start-up and the first frame took, and then the median and
// 95th percentile of the frame and of the game step alone, in milliseconds, on lines starting
// with "frame-bench:". With --frames 0 it stops after the first frame.
#include <GL/glew.h>  // before any other GL header
#include <GL/freeglut.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "app/input.h"
#include "app/shell.h"
#include "core/globals.h"
#include "platform/game_folder.h"
#include "platform/perf_counter.h"
#include "render/particles.h"
#include "stress.h"

namespace {

constexpr int64_t kFrequency = 1000000000;  // the fixed clock counts nanoseconds
constexpr int64_t kStep = kFrequency / 60;
constexpr int kWarmUpFrames = 30;

int64_t clockCount = 100 * kFrequency;
int64_t FixedClock() {
    return clockCount;
}

double Millis(std::chrono::steady_clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

double Percentile(std::vector<double> values, int percent) {
    std::sort(values.begin(), values.end());
    return values[std::min(values.size() - 1, values.size() * percent / 100)];
}

[[noreturn]] void Usage() {
    std::fprintf(stderr, "usage: frame-bench [--stress] [--frames N] [--data DIR]\n");
    std::exit(2);
}

}  // namespace

int main(int argc, char** argv) {
    bool stressed = false;
    int frames = 200;
    const char* folder = nullptr;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--stress") == 0) {
            stressed = true;
        } else if (std::strcmp(argv[i], "--frames") == 0 && i + 1 < argc) {
            frames = std::atoi(argv[++i]);
            if (frames < 0) Usage();
        } else if (std::strcmp(argv[i], "--data") == 0 && i + 1 < argc) {
            folder = argv[++i];
        } else {
            Usage();
        }
    }
    std::string error;
    if (!EnterGameFolder(folder, error)) {
        std::fprintf(stderr, "frame-bench: %s\n", error.c_str());
        return 1;
    }
    InstallPerformanceClock(kFrequency, FixedClock);
    char* gameArgv[] = {argv[0], nullptr};
    const auto launch = std::chrono::steady_clock::now();
    GameStart(1, gameArgv);
    const auto started = std::chrono::steady_clock::now();
    std::printf("frame-bench: renderer %s\n", glGetString(GL_RENDERER));
    bench::Stress stress;
    if (stressed) stress.Start();

    std::vector<double> frameMillis, stepMillis;
    frameMillis.reserve(frames);
    stepMillis.reserve(frames);
    for (int i = -kWarmUpFrames; i < frames; ++i) {
        clockCount += kStep;
        if (stressed) stress.KeepUp();
        auto start = std::chrono::steady_clock::now();
        Idle();
        auto stepped = std::chrono::steady_clock::now();
        Display();
        glFinish();  // the rasterizer's work counts to the frame that asked for it
        auto end = std::chrono::steady_clock::now();
        glutMainLoopEvent();
        if (i == -kWarmUpFrames) {
            std::printf("frame-bench: start-up %.1f ms, to the end of the first frame %.1f ms\n",
                        Millis(started - launch), Millis(end - launch));
            if (frames == 0) break;
        }
        if (i < 0) continue;
        frameMillis.push_back(Millis(end - start));
        stepMillis.push_back(Millis(stepped - start));
    }
    if (frames > 0)
        std::printf(
            "frame-bench: %dx%d %s, %d frames: frame median %.3f p95 %.3f ms, step median %.3f p95 "
            "%.3f ms (%zu enemies, %zu projectiles, %d particles at the end)\n",
            winResX, winResY, stressed ? "stress" : "idle", frames, Percentile(frameMillis, 50),
            Percentile(frameMillis, 95), Percentile(stepMillis, 50), Percentile(stepMillis, 95),
            enemies.size(), projectiles.size(), particles->particleCount());
    std::fflush(stdout);
    Keyboard(27, 0, 0);  // Escape: the game's own exit path
}
