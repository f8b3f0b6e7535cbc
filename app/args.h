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
