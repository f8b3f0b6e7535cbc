#pragma once

#include <optional>
#include <string>
#include <vector>

// What one rtg-bench run does; defaults give a short 1280 x 720 measurement.
struct BenchOptions {
    int width = 1280;
    int height = 720;
    int frames = 300;        // measured frames, unless seconds > 0
    double seconds = 0.0;    // measure for this long (wall clock) instead
    double step = 1.0 / 60.0;  // simulated seconds per frame
    int warmup = 10;         // frames rendered before the measurement
    int profileFrames = 60;  // frames of the per-pass profiling run; 0 skips it
    std::string csvPath;
    std::string jsonPath;
    std::string captureDir;
    std::vector<double> captureTimes;  // simulated seconds, ascending (capture, SSAO check)
    bool ssaoCheck = false;  // compare interleaved SSAO with 32 samples per pixel
    bool help = false;
};

struct BenchOptionsResult {
    BenchOptions options;
    std::string error;  // empty on success
};

// Parses argv[1..argc-1]. Unknown options, missing or malformed values and
// contradictory combinations are rejected with a one-line reason.
BenchOptionsResult parseBenchOptions(int argc, const char* const* argv);

std::string benchUsage(const std::string& program);

// Pieces of the command line, exposed for their own tests.
std::optional<std::pair<int, int>> parseSize(const std::string& text);
std::optional<std::vector<double>> parseTimeList(const std::string& text);
