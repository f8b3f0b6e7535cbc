// rtg: the room demo. Command line: <window_width> <window_height>.
#include <cstdio>
#include <iostream>

#include <GL/glew.h>
#include <SDL.h>

#include "app/args.h"
#include "app/flight.h"
#include "app/frame_clock.h"
#include "app/input.h"
#include "app/window.h"
#include "camera/floating_camera.h"
#include "model/standard_streams.h"
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
    // Before anything opens a file or a connection that could take their place.
    reopenClosedStandardStreams();
    if (argc != 3) {
        std::cout << "Usage: " << argv[0] << " <window_width> <window_height>\n";
        return 1;
    }
    const std::optional<int> width = parseWindowDimension(argv[1]);
    if (!width) {
        std::cout << invalidDimensionMessage("width", argv[1]) << std::endl;
        return 1;
    }
    const std::optional<int> height = parseWindowDimension(argv[2]);
    if (!height) {
        std::cout << invalidDimensionMessage("height", argv[2]) << std::endl;
        return 1;
    }

    // Conditions the user can mend end with one line and status 1, without
    // the wait for a key of a failed start.
    std::string refusal;
    if (!windowSystemAcceptsSize(*width, *height, refusal) || !findDisplay(refusal)) {
        std::cout << refusal << std::endl;
        return 1;
    }

    WindowOptions options;
    options.width = *width;
    options.height = *height;
    AppWindow window;
    const std::string error = openWindow(options, window);
    if (!error.empty()) return failStartup(error);
    std::cout << "OpenGL version: " << glGetString(GL_VERSION) << std::endl;
    if (!checkGlRequirements(refusal)) {
        std::cout << refusal << std::endl;
        return 1;
    }
    const std::string sizeError = checkWindowSizeLimits(*width, *height);
    if (!sizeError.empty()) {
        std::cout << sizeError << std::endl;
        return 1;
    }

    // Loads every shader, model and texture and builds the render targets.
    RoomScene scene(*width, *height);
    if (scene.renderTargetsOutOfMemory) {
        std::cout << renderTargetMemoryMessage(*width, *height) << std::endl;
        return 1;
    }
    FloatingCamera camera(static_cast<float>(*width) / static_cast<float>(*height));
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
