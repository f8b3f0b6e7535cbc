#pragma once

#include <array>
#include <chrono>
#include <vector>

#include <GL/glew.h>

#include "scene/render_pass.h"

// Times each pass of the frames it observes. On a software renderer the CPU
// clock is read after a glFinish at every pass boundary (the finishes
// serialise the frame, so this belongs in a run of its own); on a GPU one
// GL_TIME_ELAPSED query brackets each pass. Needs a current GL context.
class PassProfiler : public RenderPassObserver {
public:
    explicit PassProfiler(bool useGpuTimer);
    ~PassProfiler();
    PassProfiler(const PassProfiler&) = delete;
    PassProfiler& operator=(const PassProfiler&) = delete;

    void passBoundary(RenderPass next) override;
    // Once the frame is complete: files this frame's times (waits for the
    // query results on a GPU).
    void finishFrame();

    bool usesGpuTimer() const { return useGpuTimer_; }
    // Milliseconds per pass, one entry per finished frame, in frame order.
    const std::array<std::vector<double>, kFramePassCount>& samples() const { return samples_; }

private:
    using Clock = std::chrono::steady_clock;

    bool useGpuTimer_;
    std::array<GLuint, kFramePassCount> queries_{};
    std::array<double, kFramePassCount> frameMs_{};
    std::array<bool, kFramePassCount> seen_{};
    int current_ = -1;  // pass being timed, -1 between frames
    Clock::time_point started_;
    std::array<std::vector<double>, kFramePassCount> samples_;
};
