#include "app/args.h"

#include <algorithm>
#include <climits>

std::optional<int> parseWindowDimension(const char* text) {
    if (text == nullptr || *text == '\0') return std::nullopt;
    long long value = 0;
    for (const char* c = text; *c != '\0'; ++c) {
        if (*c < '0' || *c > '9') return std::nullopt;
        value = value * 10 + (*c - '0');
        if (value > INT_MAX) return std::nullopt;
    }
    if (value <= 0) return std::nullopt;
    return static_cast<int>(value);
}

std::string invalidDimensionMessage(const char* what, const char* text) {
    return std::string("Invalid window ") + what + ": '" + (text ? text : "") + "' (expected a positive integer)";
}

std::string windowSizeLimitMessage(int width, int height, int maxViewportWidth, int maxViewportHeight,
                                   int maxRenderbufferSize, int maxTextureSize) {
    // The render targets are textures and a renderbuffer of the window's size.
    const int maxWidth = std::min({maxViewportWidth, maxRenderbufferSize, maxTextureSize});
    const int maxHeight = std::min({maxViewportHeight, maxRenderbufferSize, maxTextureSize});
    if (width <= maxWidth && height <= maxHeight) return {};
    return "Window size too large: " + std::to_string(width) + "x" + std::to_string(height) +
           " exceeds the OpenGL limit of " + std::to_string(maxWidth) + "x" + std::to_string(maxHeight);
}
