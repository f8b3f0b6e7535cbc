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

bool windowSystemAcceptsSize(int width, int height, std::string& error) {
    if (width <= kMaxWindowSide && height <= kMaxWindowSide) return true;
    error = "Window size too large: " + std::to_string(width) + "x" + std::to_string(height) +
            " exceeds the window system's limit of " + std::to_string(kMaxWindowSide) + "x" +
            std::to_string(kMaxWindowSide);
    return false;
}

std::string noDisplayMessage(const char* display) {
    const std::string why = display == nullptr || *display == '\0'
                                ? std::string("DISPLAY is not set")
                                : "cannot open the X display '" + std::string(display) + "'";
    return "No display: " + why + "; run under X, or headless under Xvfb (scripts/xvfb.sh or xvfb-run)";
}

std::string renderTargetMemoryMessage(int width, int height) {
    return "Out of memory: the render targets of a " + std::to_string(width) + "x" + std::to_string(height) +
           " window do not fit (GL_OUT_OF_MEMORY)";
}
