#include "tools/bench/session.h"

#include <chrono>
#include <ctime>

#include "scene/room_scene.h"

namespace {

// Times the render call; then hands the finished frame on.
class RenderTimer : public FrameObserver {
public:
    RenderTimer(FrameCost& cost, const std::function<void()>& afterRender) : cost_(cost), afterRender_(afterRender) {}

    void beforeRender() override {
        wallStart_ = std::chrono::steady_clock::now();
        cpuStart_ = threadCpuSeconds();
    }
    void afterRender() override {
        cost_.renderCpuMs = (threadCpuSeconds() - cpuStart_) * 1000.0;
        cost_.renderCallMs =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - wallStart_).count();
        if (afterRender_) afterRender_();
    }

private:
    FrameCost& cost_;
    const std::function<void()>& afterRender_;
    std::chrono::steady_clock::time_point wallStart_;
    double cpuStart_ = 0.0;
};

}  // namespace

double threadCpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

BenchSession::BenchSession(RoomScene& scene, AppWindow& window, double step)
    : scene_(scene), loop_(scene, window.window, false), step_(step) {
    restart();
}

void BenchSession::restart() {
    loop_.restart();
    frameIndex_ = 0;
}

double BenchSession::simulatedTime() const { return frameIndex_ * step_; }

// As in the demo: the first frame has no elapsed time, so nothing moves.
float BenchSession::nextDeltaTime() const { return frameIndex_ == 0 ? 0.0f : static_cast<float>(step_); }

bool BenchSession::frame(FrameCost& cost, const std::function<void()>& afterRender) {
    RenderTimer timer(cost, afterRender);
    const bool open = loop_.frame(nextDeltaTime(), &timer);
    ++frameIndex_;
    return open;
}

bool BenchSession::redraw(FrameCost& cost, const std::function<void()>& afterRender) {
    RenderTimer timer(cost, afterRender);
    return loop_.redraw(&timer);
}

void BenchSession::skipTo(int frameIndex) {
    for (; frameIndex_ < frameIndex; ++frameIndex_) loop_.advance(nextDeltaTime());
}
