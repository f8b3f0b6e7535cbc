#include "tools/bench/options.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

// The largest window side the bench accepts; GL limits are checked later.
constexpr int kMaxSide = 16384;

bool parseInteger(const std::string& text, long long& out) {
    if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos) return false;
    if (text.size() > 12) return false;
    out = std::stoll(text);
    return true;
}

bool parseNumber(const std::string& text, double& out) {
    if (text.empty() || std::isspace(static_cast<unsigned char>(text[0]))) return false;
    errno = 0;
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    if (errno != 0 || end != text.c_str() + text.size() || !std::isfinite(value)) return false;
    out = value;
    return true;
}

std::string quoted(const std::string& text) { return "'" + text + "'"; }

bool parseSize(const std::string& text, int& width, int& height, std::string& error) {
    const std::size_t x = text.find('x');
    long long w = 0;
    long long h = 0;
    if (x == std::string::npos || !parseInteger(text.substr(0, x), w) || !parseInteger(text.substr(x + 1), h) ||
        w < 1 || h < 1 || w > kMaxSide || h > kMaxSide) {
        error = "Invalid --size " + quoted(text) + " (expected WIDTHxHEIGHT, e.g. 1280x720)";
        return false;
    }
    width = static_cast<int>(w);
    height = static_cast<int>(h);
    return true;
}

std::string invalidTimes(const std::string& text) {
    return "Invalid --at " + quoted(text) + " (expected simulated seconds >= 0 separated by commas, e.g. 0,2.5,10)";
}

// Ascending, without duplicates.
bool parseTimeList(const std::string& text, std::vector<double>& out, std::string& error) {
    std::vector<double> times;
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = text.find(',', start);
        double value = 0.0;
        if (!parseNumber(text.substr(start, comma == std::string::npos ? std::string::npos : comma - start), value) ||
            value < 0.0) {
            error = invalidTimes(text);
            return false;
        }
        times.push_back(value);
        if (comma == std::string::npos) break;
        start = comma + 1;
    }
    std::sort(times.begin(), times.end());
    times.erase(std::unique(times.begin(), times.end()), times.end());
    out = times;
    return true;
}

bool parseFrameCount(const std::string& name, const std::string& value, bool zeroAllowed, int& out,
                     std::string& error) {
    long long n = 0;
    if (!parseInteger(value, n) || n > kMaxBenchFrames || (n == 0 && !zeroAllowed)) {
        error = "Invalid " + name + " " + quoted(value) +
                (zeroAllowed ? " (expected a whole number)" : " (expected a positive whole number)");
        return false;
    }
    out = static_cast<int>(n);
    return true;
}

std::string invalidSeconds(const std::string& name, const std::string& value) {
    return "Invalid " + name + " " + quoted(value) + " (expected a positive number of seconds)";
}

bool parseSeconds(const std::string& name, const std::string& value, double& out, std::string& error) {
    if (!parseNumber(value, out) || out <= 0.0) {
        error = invalidSeconds(name, value);
        return false;
    }
    return true;
}

// The --at and --step values as given, for messages about the two together.
struct TimeTexts {
    std::string at;
    std::string step;
};

bool parseOption(const std::string& name, const std::string& value, BenchOptions& o, TimeTexts& texts,
                 std::string& error) {
    if (name == "--size") return parseSize(value, o.width, o.height, error);
    if (name == "--frames") return parseFrameCount(name, value, false, o.frames, error);
    if (name == "--warmup") return parseFrameCount(name, value, true, o.warmup, error);
    if (name == "--profile-frames") return parseFrameCount(name, value, true, o.profileFrames, error);
    if (name == "--seconds") return parseSeconds(name, value, o.seconds, error);
    if (name == "--step") {
        texts.step = value;
        return parseSeconds(name, value, o.step, error);
    }
    if (name == "--at") {
        texts.at = value;
        return parseTimeList(value, o.captureTimes, error);
    }
    if (value.empty()) {
        error = "Empty path after " + name;
        return false;
    }
    (name == "--csv" ? o.csvPath : name == "--json" ? o.jsonPath : o.captureDir) = value;
    return true;
}

bool takesValue(const std::string& name) {
    for (const char* option : {"--size", "--frames", "--seconds", "--step", "--warmup", "--profile-frames", "--csv",
                               "--json", "--capture", "--at"}) {
        if (name == option) return true;
    }
    return false;
}

}  // namespace

// Far apart in the flight: high above the hall, at floor level among the
// pillars, and near the end of the hall.
const std::vector<double> kDefaultSsaoCheckTimes = {0.0, 30.0, 60.0};

int frameIndexAt(double time, double step) { return static_cast<int>(std::llround(time / step)); }

std::string benchUsage(const std::string& program) {
    return "Usage: " + program +
           " [--size WxH] [--frames N | --seconds S] [--step SEC] [--warmup N] [--profile-frames N]"
           " [--csv FILE] [--json FILE] [--capture DIR --at T1,T2,...] [--ssao-check] [-h | --help]";
}

std::string benchHelp(const std::string& program) {
    const BenchOptions d;
    char step[32];
    std::snprintf(step, sizeof step, "%.6f", d.step);
    const std::string lines[][2] = {
        {"--size WxH",
         "window and render-target size (default " + std::to_string(d.width) + "x" + std::to_string(d.height) + ")"},
        {"--frames N", "frames to measure (default " + std::to_string(d.frames) + ")"},
        {"--seconds S", "measure for S seconds of wall-clock time instead (default: off)"},
        {"--step SEC", "simulated seconds per frame, flight and lamp (default " + std::string(step) + ", 1/60)"},
        {"--warmup N", "frames rendered before the measurement (default " + std::to_string(d.warmup) + ")"},
        {"--profile-frames N",
         "frames of the separate per-pass profiling run; 0 skips it (default " + std::to_string(d.profileFrames) + ")"},
        {"--csv FILE", "per-frame times and resident set size into FILE (default: none)"},
        {"--json FILE", "the summary as JSON into FILE (default: none)"},
        {"--capture DIR", "PNG pictures of every buffer at the --at times into DIR (default: none)"},
        {"--at T1,T2,...", "simulated seconds to capture or check (default: none; 0,30,60 for --ssao-check)"},
        {"--ssao-check", "compare the interleaved SSAO with 32 samples per pixel (default: off)"},
        {"-h, --help", "print this help and exit"},
    };
    std::string text = benchUsage(program) +
                       "\n\nRenders the demo's scene along its camera flight with a fixed simulated step and reports"
                       "\nstart-up, frame and per-pass times and memory. --capture without --frames, --seconds,"
                       "\n--warmup, --profile-frames, --csv or --json takes the pictures and measures nothing.\n\n";
    for (const auto& [option, meaning] : lines) {
        char line[48];
        std::snprintf(line, sizeof line, "  %-20s ", option.c_str());
        text += line + meaning + "\n";
    }
    return text;
}

bool parseBenchOptions(int argc, const char* const* argv, BenchOptions& out, std::string& error) {
    BenchOptions o;
    bool sawFrames = false;
    bool sawSeconds = false;
    bool sawMeasurement = false;
    TimeTexts texts;
    for (int i = 1; i < argc; ++i) {
        const std::string name = argv[i];
        if (name == "--help" || name == "-h") {
            o.help = true;
            continue;
        }
        if (name == "--ssao-check") {
            o.ssaoCheck = true;
            continue;
        }
        if (!takesValue(name)) {
            error = "Unknown option " + quoted(name);
            return false;
        }
        if (i + 1 >= argc) {
            error = "Missing value after " + name;
            return false;
        }
        if (!parseOption(name, argv[++i], o, texts, error)) return false;
        sawFrames = sawFrames || name == "--frames";
        sawSeconds = sawSeconds || name == "--seconds";
        for (const char* option : {"--frames", "--seconds", "--warmup", "--profile-frames", "--csv", "--json"}) {
            sawMeasurement = sawMeasurement || name == option;
        }
    }
    o.picturesOnly = !o.captureDir.empty() && !sawMeasurement;
    const bool sawAt = !texts.at.empty();
    if (!o.help) {
        if (sawFrames && sawSeconds) {
            error = "Give either --frames or --seconds, not both";
        } else if (!o.captureDir.empty() && !sawAt) {
            error = "--capture needs --at with the simulated times to capture";
        } else if (sawAt && o.captureDir.empty() && !o.ssaoCheck) {
            error = "--at needs --capture (or --ssao-check) to say what to do at those times";
        } else if (sawAt && o.captureTimes.back() / o.step > kMaxBenchFrames) {
            // The step may follow the times on the command line: checked once both are known.
            error = invalidTimes(texts.at);
        } else if (!sawAt && o.ssaoCheck && kDefaultSsaoCheckTimes.back() / o.step > kMaxBenchFrames) {
            error = invalidSeconds("--step", texts.step);
        }
        if (!error.empty()) return false;
    }
    out = o;
    error.clear();
    return true;
}
