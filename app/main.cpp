// rtg: the room demo. Command line: <window_width> <window_height>.
#include <cstdio>
#include <iostream>

#include <GL/glew.h>

#include "app/args.h"
#include "app/frame_loop.h"
#include "app/startup.h"
#include "app/window.h"
#include "io/standard_streams.h"

namespace {

int failStartup(const std::string& error) {
    std::cout << "Error: " << error << std::endl;
    std::getchar();  // keep a console window open until the user has read it
    return -1;
}

}  // namespace

int main(int argc, char** argv) {
    // Before anything opens a file or a connection that could take their place.
    reopenClosedStandardStreams();
    if (argc != 3) {
        std::cout << "Usage: " << argv[0] << " <window_width> <window_height>\n";
        return 1;
    }
    WindowOptions options;
    std::string error;
    if (!parseWindowDimension("width", argv[1], options.width, error) ||
        !parseWindowDimension("height", argv[2], options.height, error)) {
        std::cout << error << std::endl;
        return 1;
    }
    Startup app;
    const auto printVersion = [] { std::cout << "OpenGL version: " << glGetString(GL_VERSION) << std::endl; };
    const StartupFailure failure = startUp(options, printVersion, nullptr, app, error);
    if (failure == StartupFailure::Window) return failStartup(error);
    if (failure != StartupFailure::None) {
        std::cout << error << std::endl;
        return 1;
    }
    FrameLoop loop(*app.scene, app.window.window);
    loop.run();
    // The loop (camera and flight) goes first, then the scene (app, declared before it).
    return 0;
}
