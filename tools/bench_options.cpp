#include "tools/bench_options.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdlib>

namespace {

// The largest window side the bench accepts; GL limits are checked later.
constexpr int kMaxSide = 16384;

std::optional<long long> parseInteger(const std::string& text) {
    if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos) return std::nullopt;
    if (text.size() > 12) return std::nullopt;
    return std::stoll(text);
}

std::optional<double> parseNumber(const std::string& text) {
    if (text.empty() || std::isspace(static_cast<unsigned char>(text[0]))) return std::nullopt;
    errno = 0;
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    if (errno != 0 || end != text.c_str() + text.size() || !std::isfinite(value)) return std::nullopt;
    return value;
}

std::string quoted(const std::string& text) { return "'" + text + "'"; }

}  // namespace

std::optional<std::pair<int, int>> parseSize(const std::string& text) {
    const std::size_t x = text.find('x');
    if (x == std::string::npos) return std::nullopt;
    const auto w = parseInteger(text.substr(0, x));
    const auto h = parseInteger(text.substr(x + 1));
    if (!w || !h || *w < 1 || *h < 1 || *w > kMaxSide || *h > kMaxSide) return std::nullopt;
    return std::make_pair(static_cast<int>(*w), static_cast<int>(*h));
}

std::optional<std::vector<double>> parseTimeList(const std::string& text) {
    std::vector<double> times;
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = text.find(',', start);
        const auto value = parseNumber(text.substr(start, comma == std::string::npos ? std::string::npos : comma - start));
        if (!value || *value < 0.0) return std::nullopt;
        times.push_back(*value);
        if (comma == std::string::npos) break;
        start = comma + 1;
    }
    std::sort(times.begin(), times.end());
    times.erase(std::unique(times.begin(), times.end()), times.end());
    return times;
}

std::string benchUsage(const std::string& program) {
    return "Usage: " + program +
           " [--size WxH] [--frames N | --seconds S] [--step SEC] [--warmup N] [--profile-frames N]"
           " [--csv FILE] [--json FILE] [--capture DIR --at T1,T2,...] [--ssao-check]";
}

BenchOptionsResult parseBenchOptions(int argc, const char* const* argv) {
    BenchOptionsResult result;
    BenchOptions& o = result.options;
    bool sawFrames = false;
    bool sawSeconds = false;
    bool sawAt = false;
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
        const bool takesValue = name == "--size" || name == "--frames" || name == "--seconds" || name == "--step" ||
                                name == "--warmup" || name == "--profile-frames" || name == "--csv" ||
                                name == "--json" || name == "--capture" || name == "--at";
        if (!takesValue) {
            result.error = "Unknown option " + quoted(name);
            return result;
        }
        if (i + 1 >= argc) {
            result.error = "Missing value after " + name;
            return result;
        }
        const std::string value = argv[++i];
        if (name == "--size") {
            const auto size = parseSize(value);
            if (!size) {
                result.error = "Invalid --size " + quoted(value) + " (expected WIDTHxHEIGHT, e.g. 1280x720)";
                return result;
            }
            o.width = size->first;
            o.height = size->second;
        } else if (name == "--frames" || name == "--warmup" || name == "--profile-frames") {
            const auto n = parseInteger(value);
            const bool zeroAllowed = name != "--frames";
            if (!n || *n > INT_MAX || (*n == 0 && !zeroAllowed)) {
                result.error = "Invalid " + name + " " + quoted(value) +
                               (zeroAllowed ? " (expected a whole number)" : " (expected a positive whole number)");
                return result;
            }
            (name == "--frames" ? o.frames : name == "--warmup" ? o.warmup : o.profileFrames) = static_cast<int>(*n);
            sawFrames = sawFrames || name == "--frames";
        } else if (name == "--seconds" || name == "--step") {
            const auto seconds = parseNumber(value);
            if (!seconds || *seconds <= 0.0) {
                result.error = "Invalid " + name + " " + quoted(value) + " (expected a positive number of seconds)";
                return result;
            }
            (name == "--seconds" ? o.seconds : o.step) = *seconds;
            sawSeconds = sawSeconds || name == "--seconds";
        } else if (name == "--at") {
            const auto times = parseTimeList(value);
            if (!times) {
                result.error = "Invalid --at " + quoted(value) +
                               " (expected simulated seconds >= 0 separated by commas, e.g. 0,2.5,10)";
                return result;
            }
            o.captureTimes = *times;
            sawAt = true;
        } else {
            if (value.empty()) {
                result.error = "Empty path after " + name;
                return result;
            }
            (name == "--csv" ? o.csvPath : name == "--json" ? o.jsonPath : o.captureDir) = value;
        }
    }
    if (o.help) return result;
    if (sawFrames && sawSeconds) {
        result.error = "Give either --frames or --seconds, not both";
    } else if (!o.captureDir.empty() && !sawAt) {
        result.error = "--capture needs --at with the simulated times to capture";
    } else if (sawAt && o.captureDir.empty() && !o.ssaoCheck) {
        result.error = "--at needs --capture (or --ssao-check) to say what to do at those times";
    }
    return result;
}
