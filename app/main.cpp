// rtg: the room demo. Command line: <window_width> <window_height>.
#include <cstdio>
#include <iostream>

#include <GL/glew.h>
#include <SDL.h>

#include "app/args.h"
#include "app/frame_clock.h"
#include "app/input.h"
#include "app/window.h"
#include "camera/flight.h"
#include "camera/floating_camera.h"
#include "scene/room_scene.h"

namespace {

int failStartup(const std::string& error) {
    std::cout << "Error: " << error << std::endl;
    std::getchar();  // keep a console window open until the user has read it
    return -1;
}

void applyCommand(const InputAction& action, InputState& input, FloatingCamera& camera, Flight& flight,
                  bool& quitRequested) {
    switch (action.command) {
        case InputCommand::Quit: quitRequested = true; break;
        case InputCommand::ToggleProjection: toggleProjection(input, camera); break;
        case InputCommand::ToggleFlight: flight.toggle(camera); break;
        case InputCommand::CaptureMouse: SDL_SetRelativeMouseMode(SDL_TRUE); break;
        case InputCommand::ReleaseMouse: SDL_SetRelativeMouseMode(SDL_FALSE); break;
        case InputCommand::Look: camera.rotate(action.lookX, action.lookY); break;
        case InputCommand::None: break;
    }
}

}  // namespace

int main(int argc, char** argv) {
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
    if (!checkWindowSizeLimits(options.width, options.height, error)) {
        std::cout << error << std::endl;
        return 1;
    }
    const int width = options.width;
    const int height = options.height;

    // Loads every shader, model and texture and builds the render targets.
    RoomScene scene(width, height);
    FloatingCamera camera(static_cast<float>(width) / static_cast<float>(height));
    camera.translate(glm::vec3(0.0f, 5.0f, 5.0f));
    camera.update();
    Flight flight;
    InputState input;
    bool quitRequested = false;

    const Uint64 frequency = SDL_GetPerformanceFrequency();
    Uint64 previousCounter = SDL_GetPerformanceCounter();
    float deltaTime = 0.0f;

    glEnable(GL_CULL_FACE);
    glFrontFace(GL_CCW);
    glEnable(GL_DEPTH_TEST);

    while (true) {
        SDL_Event event;
        while (SDL_PollEvent(&event) != 0) {
            const InputAction action =
                mapEvent(event, input, SDL_GetRelativeMouseMode() == SDL_TRUE, flight.flying);
            applyCommand(action, input, camera, flight, quitRequested);
        }
        glClearColor(0.0f, 0.0f, 0.0f, 0.1f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        applyHeldKeys(input, camera, deltaTime);
        flight.step(camera, deltaTime);
        camera.update();
        scene.render(camera, deltaTime);
        SDL_GL_SwapWindow(window.window);

        const Uint64 now = SDL_GetPerformanceCounter();
        const FrameTiming timing = measureFrame(previousCounter, now, frequency);
        deltaTime = timing.deltaTime;
        previousCounter = now;
        std::cout << "Frames per Second: " << timing.framesPerSecond << std::endl;
        if (quitRequested) break;
    }
    // The flight is released first, then the scene (declared before it).
    return 0;
}
