#include "tools/bench_session.h"

#include <chrono>
#include <ctime>

#include <GL/glew.h>
#include <SDL.h>

#include "scene/room_scene.h"

namespace {

// Where the demo puts its camera before the flight takes over.
const glm::vec3 kCameraStart(0.0f, 5.0f, 5.0f);

double millisecondsBetween(std::chrono::steady_clock::time_point a, std::chrono::steady_clock::time_point b) {
    return std::chrono::duration<double, std::milli>(b - a).count();
}

}  // namespace

double threadCpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

SceneStart recordSceneStart(const RoomScene& scene) {
    return SceneStart{scene.lampModelMatrix, scene.lightCubeModelMatrix, scene.lightPosition, RoomScene::swingState()};
}

BenchSession::BenchSession(RoomScene& scene, AppWindow& window, double step)
    : scene_(scene), window_(window), step_(step), start_(recordSceneStart(scene)) {
    restart();
}

float BenchSession::aspect() const {
    return static_cast<float>(scene_.screenWidth) / static_cast<float>(scene_.screenHeight);
}

void BenchSession::restart() {
    scene_.lampModelMatrix = start_.lampModelMatrix;
    scene_.lightCubeModelMatrix = start_.lightCubeModelMatrix;
    scene_.lightPosition = start_.lightPosition;
    RoomScene::swingState() = start_.swing;
    camera_ = std::make_unique<FloatingCamera>(aspect());
    camera_->translate(kCameraStart);
    camera_->update();
    flight_ = std::make_unique<Flight>();
    frameIndex_ = 0;
}

double BenchSession::simulatedTime() const { return frameIndex_ * step_; }

bool BenchSession::frame(FrameCost& cost, const std::function<void()>& beforeSwap) {
    // As in the demo: the first frame has no elapsed time, so nothing moves.
    const bool open = draw(frameIndex_ == 0 ? 0.0f : static_cast<float>(step_), true, cost, beforeSwap);
    ++frameIndex_;
    return open;
}

bool BenchSession::redraw(FrameCost& cost, const std::function<void()>& beforeSwap) {
    // No flight step: even with no time passing it would move the camera to
    // where the next frame starts.
    return draw(0.0f, false, cost, beforeSwap);
}

bool BenchSession::draw(float deltaTime, bool advanceFlight, FrameCost& cost,
                        const std::function<void()>& beforeSwap) {
    bool open = true;
    SDL_Event event;
    while (SDL_PollEvent(&event) != 0) {
        if (event.type == SDL_QUIT) open = false;
    }
    glClearColor(0.0f, 0.0f, 0.0f, 0.1f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    if (advanceFlight) flight_->step(*camera_, deltaTime);
    camera_->update();

    const auto wallStart = std::chrono::steady_clock::now();
    const double cpuStart = threadCpuSeconds();
    scene_.render(*camera_, deltaTime);
    cost.renderCpuMs = (threadCpuSeconds() - cpuStart) * 1000.0;
    cost.renderCallMs = millisecondsBetween(wallStart, std::chrono::steady_clock::now());

    if (beforeSwap) beforeSwap();
    SDL_GL_SwapWindow(window_.window);
    return open;
}
