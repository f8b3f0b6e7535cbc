#pragma once

#include <functional>
#include <optional>
#include <string>

#include "app/window.h"
#include "scene/render_pass.h"
#include "scene/room_scene.h"

// Where the start-up chain stopped.
enum class StartupFailure {
    None,
    Window,          // no window or GL context: GLEW did not start; error is GLEW's text
    GlRequirements,  // the context lacks what the passes need, or cannot render this size
    TargetMemory,    // the render targets do not fit in memory
};

// What the chain makes, held by the caller as a local for the whole run (the
// scene in place, not on the heap).
struct Startup {
    AppWindow window;
    std::optional<RoomScene> scene;
};

// The start of rtg and rtg-bench, in order: window and GL context with GLEW,
// onContext (may be empty) once the context is current, the GL checks, the
// scene (telling buildObserver, which may be null, each step). Stops at the
// first step that fails and returns it, with error the line to show (without
// a prefix): each program reports it in its own words.
StartupFailure startUp(const WindowOptions& options, const std::function<void()>& onContext,
                       SceneBuildObserver* buildObserver, Startup& out, std::string& error);
