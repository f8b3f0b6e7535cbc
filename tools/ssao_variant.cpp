#include "tools/ssao_variant.h"

namespace {

struct Replacement {
    const char* from;
    const char* to;
};

// One subset holding every sample, taken by every pixel.
constexpr Replacement kReplacements[] = {
    {"const int kSubsetCount = 4;", "const int kSubsetCount = 1;"},
    {"const int kSamplesPerPixel = 8;", "const int kSamplesPerPixel = 32;"},
    {"int subset = (pixel.x & 1) + 2 * (pixel.y & 1);", "int subset = 0;"},
};

}  // namespace

std::string bruteForceSsaoSource(const std::string& interleavedSource, std::string& error) {
    std::string source = interleavedSource;
    for (const Replacement& r : kReplacements) {
        const std::size_t at = source.find(r.from);
        if (at == std::string::npos || source.find(r.from, at + 1) != std::string::npos) {
            error = std::string("the SSAO shader has no single line \"") + r.from + "\"";
            return {};
        }
        source.replace(at, std::string(r.from).size(), r.to);
    }
    error.clear();
    return source;
}
