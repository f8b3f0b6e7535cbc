#pragma once

#include <string>

// A window dimension from the command line: a positive decimal integer that
// fits an int, digits only. Anything else is rejected instead of becoming 0,
// with a line such as "Invalid window width: 'abc' (expected a positive
// integer)"; what names the dimension ("width", "height").
bool parseWindowDimension(const char* what, const char* text, int& out, std::string& error);

// What the GL implementation can render: the render targets are textures and
// a renderbuffer of the window's size.
struct RenderSizeLimits {
    int maxViewportWidth = 0;
    int maxViewportHeight = 0;
    int maxRenderbufferSize = 0;
    int maxTextureSize = 0;
};

// False, with the line to print, when a window of this size cannot be rendered.
bool checkRenderSize(int width, int height, const RenderSizeLimits& limits, std::string& error);

// The line when the render targets of a window this size do not fit in memory.
std::string renderTargetMemoryMessage(int width, int height);
