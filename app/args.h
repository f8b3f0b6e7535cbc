#pragma once

#include <optional>
#include <string>

// A window dimension from the command line: a positive decimal integer that
// fits an int, digits only. Anything else is rejected instead of becoming 0.
std::optional<int> parseWindowDimension(const char* text);

// The one-line message for a rejected dimension, e.g.
// "Invalid window width: 'abc' (expected a positive integer)".
std::string invalidDimensionMessage(const char* what, const char* text);

// The one-line message when the GL implementation cannot render a window of
// this size, or an empty string when it can.
std::string windowSizeLimitMessage(int width, int height, int maxViewportWidth, int maxViewportHeight,
                                   int maxRenderbufferSize, int maxTextureSize);

// SDL refuses to make a window wider or taller than this.
constexpr int kMaxWindowSide = 16384;

// Whether the window system accepts a window of this size; otherwise false
// with the line to print, e.g. "Window size too large: 32768x1 exceeds the
// window system's limit of 16384x16384".
bool windowSystemAcceptsSize(int width, int height, std::string& error);

// The line when no display can be opened; display is the DISPLAY variable
// (null when unset).
std::string noDisplayMessage(const char* display);

// The line when the render targets of a window this size do not fit in memory.
std::string renderTargetMemoryMessage(int width, int height);
