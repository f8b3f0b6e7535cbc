#pragma once

#include <functional>

#include "app/frame_loop.h"
#include "app/window.h"

class RoomScene;

struct FrameCost {
    double renderCallMs = 0.0;  // wall clock inside render
    double renderCpuMs = 0.0;   // this thread's CPU time inside render
};

// The demo's frame loop driven with a fixed simulated step instead of the
// measured frame time, and deaf to input, so that every run of the bench
// (timing, profiling, capture) renders the same frames.
class BenchSession {
public:
    BenchSession(RoomScene& scene, AppWindow& window, double step);

    // Back to simulated time 0: camera, flight and lamp swing as at start.
    void restart();
    // One frame of the loop. afterRender (may be empty) sees the finished
    // frame before it is shown. Returns false once the window was asked to
    // close (SDL turns SIGINT and SIGTERM into that request too).
    bool frame(FrameCost& cost, const std::function<void()>& afterRender = {});
    // The last frame once more, with nothing moving (the same view and lamp),
    // e.g. to render it with a different program.
    bool redraw(FrameCost& cost, const std::function<void()>& afterRender = {});
    // The frames before frameIndex advanced without drawing them.
    void skipTo(int frameIndex);

    int frameIndex() const { return frameIndex_; }  // frames since restart
    double simulatedTime() const;                   // of the next frame
    RoomScene& scene() { return scene_; }

private:
    float nextDeltaTime() const;

    RoomScene& scene_;
    FrameLoop loop_;
    double step_;
    int frameIndex_ = 0;
};

// Seconds of CPU time this thread has used.
double threadCpuSeconds();
