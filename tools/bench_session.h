#pragma once

#include <functional>
#include <memory>

#include <glm/glm.hpp>

#include "app/window.h"
#include "camera/flight.h"
#include "camera/floating_camera.h"
#include "scene/lamp_swing.h"

class RoomScene;

// The scene's moving state as construction leaves it, kept so that every
// run of the bench (timing, profiling, capture) starts from simulated time 0.
struct SceneStart {
    glm::mat4 lampModelMatrix{1.0f};
    glm::mat4 lightCubeModelMatrix{1.0f};
    glm::vec3 lightPosition{0.0f};
    LampSwing swing;
};
SceneStart recordSceneStart(const RoomScene& scene);

struct FrameCost {
    double renderCallMs = 0.0;  // wall clock inside render
    double renderCpuMs = 0.0;   // this thread's CPU time inside render
};

// The demo's frame loop with a fixed simulated step instead of the measured
// frame time: the same camera, flight, clear and render call as rtg, so that
// every run renders the same frames.
class BenchSession {
public:
    BenchSession(RoomScene& scene, AppWindow& window, double step);

    // Back to simulated time 0: scene swing, camera and flight as at start.
    void restart();
    // One frame: events, clear, flight, camera, render, swap. beforeSwap
    // (may be empty) sees the finished frame before it is shown. Returns false
    // once the window was asked to close.
    bool frame(FrameCost& cost, const std::function<void()>& beforeSwap = {});
    // The last frame once more, with no time passing (the same view and
    // lamp), e.g. to render it with a different program.
    bool redraw(FrameCost& cost, const std::function<void()>& beforeSwap = {});

    int frameIndex() const { return frameIndex_; }  // frames since restart
    double simulatedTime() const;                  // of the next frame
    RoomScene& scene() { return scene_; }
    float aspect() const;

private:
    bool draw(float deltaTime, bool advanceFlight, FrameCost& cost, const std::function<void()>& beforeSwap);

    RoomScene& scene_;
    AppWindow& window_;
    double step_;
    SceneStart start_;
    std::unique_ptr<FloatingCamera> camera_;
    std::unique_ptr<Flight> flight_;
    int frameIndex_ = 0;
};

// Seconds of CPU time this thread has used.
double threadCpuSeconds();
