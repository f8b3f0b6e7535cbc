#include "app/args.h"

#include <algorithm>
#include <climits>

bool parseWindowDimension(const char* what, const char* text, int& out, std::string& error) {
    long long value = 0;
    bool valid = text != nullptr && *text != '\0';
    for (const char* c = text; valid && *c != '\0'; ++c) {
        valid = *c >= '0' && *c <= '9';
        value = value * 10 + (*c - '0');
        valid = valid && value <= INT_MAX;
    }
    if (!valid || value <= 0) {
        error = std::string("Invalid window ") + what + ": '" + (text ? text : "") + "' (expected a positive integer)";
        return false;
    }
    out = static_cast<int>(value);
    return true;
}

bool checkRenderSize(int width, int height, const RenderSizeLimits& limits, std::string& error) {
    const int maxWidth = std::min({limits.maxViewportWidth, limits.maxRenderbufferSize, limits.maxTextureSize});
    const int maxHeight = std::min({limits.maxViewportHeight, limits.maxRenderbufferSize, limits.maxTextureSize});
    if (width <= maxWidth && height <= maxHeight) return true;
    error = "Window size too large: " + std::to_string(width) + "x" + std::to_string(height) +
            " exceeds the OpenGL limit of " + std::to_string(maxWidth) + "x" + std::to_string(maxHeight);
    return false;
}

std::string renderTargetMemoryMessage(int width, int height) {
    return "Out of memory: the render targets of a " + std::to_string(width) + "x" + std::to_string(height) +
           " window do not fit (GL_OUT_OF_MEMORY)";
}
