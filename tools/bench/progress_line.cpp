#include "tools/bench/progress_line.h"

#include <cstdio>

namespace {

// Quiet for this long, then one update per interval.
constexpr double kQuietSeconds = 3.0;
constexpr double kIntervalSeconds = 1.0;

double secondsBetween(std::chrono::steady_clock::time_point a, std::chrono::steady_clock::time_point b) {
    return std::chrono::duration<double>(b - a).count();
}

}  // namespace

ProgressLine::ProgressLine(std::string phase) : phase_(std::move(phase)), start_(Clock::now()), lastPrint_(start_) {}

ProgressLine::~ProgressLine() {
    if (printed_) std::fputs("\n", stderr);
}

void ProgressLine::update(int done, int total) {
    const Clock::time_point now = Clock::now();
    const double elapsed = secondsBetween(start_, now);
    if (elapsed < kQuietSeconds || secondsBetween(lastPrint_, now) < kIntervalSeconds) return;
    lastPrint_ = now;
    printed_ = true;
    const double rate = elapsed > 0.0 ? done / elapsed : 0.0;
    if (total > 0) {
        std::fprintf(stderr, "\r%s: frame %d/%d, %.1f frames/s, %.0f s left   ", phase_.c_str(), done, total, rate,
                     rate > 0.0 ? (total - done) / rate : 0.0);
    } else {
        std::fprintf(stderr, "\r%s: frame %d, %.1f frames/s, %.0f s   ", phase_.c_str(), done, rate, elapsed);
    }
    std::fflush(stderr);
}
