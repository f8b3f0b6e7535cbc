#pragma once

#include <string>

#include <SDL.h>

struct WindowOptions {
    int width = 1280;
    int height = 720;
    bool debugContext = false;  // tests ask for KHR_debug output
    bool hidden = false;        // tests need no visible window
    int swapInterval = 1;       // 1 waits for the retrace; benchmarks ask for 0
};

struct AppWindow {
    SDL_Window* window = nullptr;
    SDL_GLContext context = nullptr;
};

// SDL start, context attributes, window "Tarvo RTG", GL context, swap
// interval and GLEW start, in that order. SDL's failures are not checked:
// they leave no context or no X display, so GLEW fails. False with GLEW's own
// text (for the "Error: " line) when it does.
bool openWindow(const WindowOptions& options, AppWindow& out, std::string& error);

// The size limit check once a context is current: false, with the line to
// print, when the GL implementation cannot render a window of this size.
bool checkWindowSizeLimits(int width, int height, std::string& error);

// Once GLEW has started: whether the context has the GL and GLSL versions
// the shaders are written for and the entry points the passes call; false
// with one line naming what is needed and what was found.
bool checkGlRequirements(std::string& error);
