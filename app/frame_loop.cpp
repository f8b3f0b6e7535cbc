#include "app/frame_loop.h"

#include <iostream>

#include <GL/glew.h>

#include "app/frame_clock.h"
#include "scene/room_scene.h"

namespace {

const glm::vec3 kCameraStart(0.0f, 5.0f, 5.0f);

float aspectOf(const RoomScene& scene) {
    return static_cast<float>(scene.screenWidth) / static_cast<float>(scene.screenHeight);
}

}  // namespace

void setFixedFrameState() {
    glEnable(GL_CULL_FACE);
    glFrontFace(GL_CCW);
    glEnable(GL_DEPTH_TEST);
}

void clearFrame() {
    glClearColor(0.0f, 0.0f, 0.0f, 0.1f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

FloatingCamera startCamera(float aspect) {
    FloatingCamera camera(aspect);
    camera.translate(kCameraStart);
    camera.update();
    return camera;
}

FrameLoop::FrameLoop(RoomScene& scene, SDL_Window* window, bool followInput)
    : scene_(scene), window_(window), followInput_(followInput), camera_(startCamera(aspectOf(scene))) {}

void FrameLoop::run() {
    const Uint64 frequency = SDL_GetPerformanceFrequency();
    Uint64 previousCounter = SDL_GetPerformanceCounter();
    float deltaTime = 0.0f;
    while (true) {
        frame(deltaTime);
        const Uint64 now = SDL_GetPerformanceCounter();
        const FrameTiming timing = measureFrame(previousCounter, now, frequency);
        deltaTime = timing.deltaTime;
        previousCounter = now;
        std::cout << "Frames per Second: " << timing.framesPerSecond << std::endl;
        if (quitRequested_) break;
    }
}

bool FrameLoop::frame(float deltaTime, FrameObserver* observer) {
    beginFrame();
    moveCamera(deltaTime);
    if (observer != nullptr) observer->beforeRender();
    scene_.render(camera_, deltaTime);
    return endFrame(observer);
}

bool FrameLoop::redraw(FrameObserver* observer) {
    beginFrame();
    camera_.update();
    if (observer != nullptr) observer->beforeRender();
    scene_.renderAgain(camera_);
    return endFrame(observer);
}

void FrameLoop::advance(float deltaTime) {
    moveCamera(deltaTime);
    scene_.advanceLamp(deltaTime);
}

void FrameLoop::restart() {
    camera_ = startCamera(aspectOf(scene_));
    flight_ = Flight();
    scene_.setLampState(LampState::atStart());
}

void FrameLoop::handleEvents() {
    SDL_Event event;
    while (SDL_PollEvent(&event) != 0) {
        if (!followInput_) {
            quitRequested_ = quitRequested_ || event.type == SDL_QUIT;
            continue;
        }
        const InputAction action = mapEvent(event, input_, SDL_GetRelativeMouseMode() == SDL_TRUE, flight_.flying);
        switch (action.command) {
            case InputCommand::Quit: quitRequested_ = true; break;
            case InputCommand::ToggleProjection: toggleProjection(input_, camera_); break;
            case InputCommand::ToggleFlight: flight_.toggle(camera_); break;
            case InputCommand::CaptureMouse: SDL_SetRelativeMouseMode(SDL_TRUE); break;
            case InputCommand::ReleaseMouse: SDL_SetRelativeMouseMode(SDL_FALSE); break;
            case InputCommand::Look: camera_.rotate(action.lookX, action.lookY); break;
            case InputCommand::None: break;
        }
    }
}

void FrameLoop::moveCamera(float deltaTime) {
    applyHeldKeys(input_, camera_, deltaTime);
    flight_.step(camera_, deltaTime);
    camera_.update();
}

void FrameLoop::beginFrame() {
    if (!fixedStateSet_) {
        setFixedFrameState();
        fixedStateSet_ = true;
    }
    handleEvents();
    clearFrame();
}

bool FrameLoop::endFrame(FrameObserver* observer) {
    if (observer != nullptr) observer->afterRender();
    SDL_GL_SwapWindow(window_);
    return !quitRequested_;
}
