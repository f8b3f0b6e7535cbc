#pragma once

#include <string>
#include <vector>

// Console text split into lines, without their newlines.
inline std::vector<std::string> outputLines(const std::string& text) {
    std::vector<std::string> out;
    std::string::size_type start = 0;
    while (start < text.size()) {
        const auto end = text.find('\n', start);
        if (end == std::string::npos) {
            out.push_back(text.substr(start));
            break;
        }
        out.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return out;
}
