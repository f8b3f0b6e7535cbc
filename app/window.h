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
// interval and GLEW start, in that order. On failure returns the text for the
// "Error: " line (SDL's or GLEW's own); on success an empty string.
std::string openWindow(const WindowOptions& options, AppWindow& out);

// The size limit check once a context is current: empty when the GL
// implementation can render a window of this size, else the message.
std::string checkWindowSizeLimits(int width, int height);
