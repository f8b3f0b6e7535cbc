// rtg: the room demo. Command line: <window_width> <window_height>.
#include <cstdio>
#include <iostream>

#include <GL/glew.h>

#include "app/args.h"
#include "app/frame_loop.h"
#include "app/window.h"
#include "io/standard_streams.h"
#include "scene/room_scene.h"

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
    AppWindow window;
    if (!openWindow(options, window, error)) return failStartup(error);
    std::cout << "OpenGL version: " << glGetString(GL_VERSION) << std::endl;
    if (!checkGlRequirements(error) || !checkWindowSizeLimits(options.width, options.height, error)) {
        std::cout << error << std::endl;
        return 1;
    }
    // Loads every shader, model and texture and builds the render targets.
    RoomScene scene(options.width, options.height);
    if (scene.renderTargetsOutOfMemory) {
        std::cout << renderTargetMemoryMessage(options.width, options.height) << std::endl;
        return 1;
    }
    FrameLoop loop(scene, window.window);
    loop.run();
    // The loop (camera and flight) goes first, then the scene (declared before it).
    return 0;
}
