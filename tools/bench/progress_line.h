#pragma once

#include <chrono>
#include <string>

// A one-line progress report on standard error, rewritten in place, for runs
// that take more than a few seconds; short runs print nothing.
class ProgressLine {
public:
    explicit ProgressLine(std::string phase);
    ~ProgressLine();  // ends the line if one was printed
    ProgressLine(const ProgressLine&) = delete;
    ProgressLine& operator=(const ProgressLine&) = delete;

    // done of total frames (total 0: unknown, e.g. a run bounded by seconds).
    void update(int done, int total);

private:
    using Clock = std::chrono::steady_clock;
    std::string phase_;
    Clock::time_point start_;
    Clock::time_point lastPrint_;
    bool printed_ = false;
};
