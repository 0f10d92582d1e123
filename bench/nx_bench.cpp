// nx-bench: the reference scene through the physics layer and, in the same run, directly on
// the engine; prints the cost of one 1/60 s step for each and their ratio. A measurement, not a
// test: figures depend on the machine and its load.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <numeric>
#include <vector>

#include "bench_side.h"

namespace {

constexpr int kWarmUpFrames = 60;
constexpr int kFramesPerRound = 1200;  // 20 s of game time
constexpr int kRounds = 3;

struct Figures {
    double median, p99, max, mean;
};

Figures Summarise(std::vector<double> micros) {
    std::sort(micros.begin(), micros.end());
    double sum = std::accumulate(micros.begin(), micros.end(), 0.0);
    return {micros[micros.size() / 2], micros[micros.size() * 99 / 100], micros.back(),
            sum / micros.size()};
}

// Runs frames [first, first + count) and appends each frame's duration in microseconds.
void Measure(bench::BenchSide& side, int first, int count, std::vector<double>& micros) {
    for (int frame = first; frame < first + count; ++frame) {
        auto start = std::chrono::steady_clock::now();
        side.frame(frame);
        auto end = std::chrono::steady_clock::now();
        micros.push_back(std::chrono::duration<double, std::micro>(end - start).count());
    }
}

void Print(const char* name, const Figures& f) {
    std::printf("  %-7s median %7.1f us   p99 %7.1f us   max %7.1f us   mean %7.1f us\n", name,
                f.median, f.p99, f.max, f.mean);
}

}  // namespace

int main() {
    bench::ReferenceScene scene = bench::MakeReferenceScene();
    std::printf(
        "nx-bench: %zu-triangle level, avatar, %d boxes, %d CCD projectiles relaunched "
        "every %d frames, %d triggers, 4 planes\n",
        scene.level.indices.size() / 3, bench::kBoxes, bench::kProjectiles, bench::kRelaunchFrames,
        bench::kTriggers);
    auto layer = bench::MakeLayerSide(scene);
    auto direct = bench::MakeDirectSide(scene);
    std::vector<double> layerMicros, directMicros, unused;
    Measure(*layer, 0, kWarmUpFrames, unused);
    Measure(*direct, 0, kWarmUpFrames, unused);
    // Alternate the two in rounds, so that both meet the same load on a shared machine.
    for (int round = 0; round < kRounds; ++round) {
        int first = kWarmUpFrames + round * kFramesPerRound;
        Measure(*layer, first, kFramesPerRound, layerMicros);
        Measure(*direct, first, kFramesPerRound, directMicros);
    }
    Figures viaLayer = Summarise(layerMicros), viaEngine = Summarise(directMicros);
    std::printf("one step of 1/60 s, %d steps each:\n", kRounds * kFramesPerRound);
    Print("layer", viaLayer);
    Print("direct", viaEngine);
    std::printf("  layer / direct: median %.3f, mean %.3f\n", viaLayer.median / viaEngine.median,
                viaLayer.mean / viaEngine.mean);
    layer->summary();
    direct->summary();
    return 0;
}
