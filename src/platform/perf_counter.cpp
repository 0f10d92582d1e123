#include "platform/perf_counter.h"

#include <ctime>

namespace {

constexpr int64_t kMonotonicFrequency = 1000000000;  // nanoseconds

int64_t MonotonicCount() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<int64_t>(now.tv_sec) * kMonotonicFrequency + now.tv_nsec;
}

int64_t clockFrequency = kMonotonicFrequency;
int64_t (*clockCounter)() = MonotonicCount;

}  // namespace

BOOL QueryPerformanceFrequency(LARGE_INTEGER* frequency) {
    frequency->QuadPart = clockFrequency;
    return 1;
}

BOOL QueryPerformanceCounter(LARGE_INTEGER* count) {
    count->QuadPart = clockCounter();
    return 1;
}

void InstallPerformanceClock(int64_t frequency, int64_t (*counter)()) {
    if (counter == nullptr) {
        clockFrequency = kMonotonicFrequency;
        clockCounter = MonotonicCount;
    } else {
        clockFrequency = frequency;
        clockCounter = counter;
    }
}
