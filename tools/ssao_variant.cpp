#include "tools/ssao_variant.h"

#include <regex>

namespace {

struct Replacement {
    const char* pattern;  // must match exactly one place
    const char* replacement;
    const char* what;
};

// Every pixel takes all the samples, as one subset starting at sample 0.
const Replacement kReplacements[] = {
    {R"(const int kSamplesPerPixel = \d+;)", "const int kSamplesPerPixel = 32;", "const int kSamplesPerPixel = N;"},
    {R"(int subset = [^;]*;)", "int subset = 0;", "int subset = ...;"},
};

}  // namespace

std::string bruteForceSsaoSource(const std::string& interleavedSource, std::string& error) {
    std::string source = interleavedSource;
    for (const Replacement& r : kReplacements) {
        const std::regex pattern(r.pattern);
        const auto count = std::distance(std::sregex_iterator(source.begin(), source.end(), pattern),
                                         std::sregex_iterator());
        if (count != 1) {
            error = std::string("the SSAO shader has no single line \"") + r.what + "\"";
            return {};
        }
        source = std::regex_replace(source, pattern, r.replacement);
    }
    error.clear();
    return source;
}
