#pragma once

#include <string>
#include <vector>

// What one rtg-bench run does; defaults give a short 1280 x 720 measurement.
struct BenchOptions {
    int width = 1280;
    int height = 720;
    int frames = 300;          // measured frames, unless seconds > 0
    double seconds = 0.0;      // measure for this long (wall clock) instead
    double step = 1.0 / 60.0;  // simulated seconds per frame
    int warmup = 10;           // frames rendered before the measurement
    int profileFrames = 60;    // frames of the per-pass profiling run; 0 skips it
    std::string csvPath;
    std::string jsonPath;
    std::string captureDir;
    std::vector<double> captureTimes;  // simulated seconds, ascending (capture, SSAO check)
    bool ssaoCheck = false;            // compare interleaved SSAO with 32 samples per pixel
    // --capture with no option of the measurement (--frames, --seconds,
    // --warmup, --profile-frames, --csv, --json): take the pictures, measure nothing.
    bool picturesOnly = false;
    bool help = false;
};

// Frame counts and frame indexes (warm-up, measured and profiled frames, the
// frame of each --at time) are bounded so that their sums stay within an int.
constexpr int kMaxBenchFrames = 1000000000;

// Views compared by --ssao-check when no --at times are given.
extern const std::vector<double> kDefaultSsaoCheckTimes;

// Parses argv[1..argc-1] into out. Unknown options, missing or malformed
// values, counts beyond kMaxBenchFrames and contradictory combinations are
// rejected: false with the one-line reason.
bool parseBenchOptions(int argc, const char* const* argv, BenchOptions& out, std::string& error);

// The frame that shows simulated time `time` with frames of `step` seconds
// (rounded to the nearest); time / step must be at most kMaxBenchFrames,
// which parseBenchOptions ensures for the times it accepts.
int frameIndexAt(double time, double step);

// The one-line usage printed after a bad option.
std::string benchUsage(const std::string& program);
// --help: the usage, then every option with what it does and its default.
std::string benchHelp(const std::string& program);
