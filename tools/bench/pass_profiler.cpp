#include "tools/bench/pass_profiler.h"

PassProfiler::PassProfiler(bool useGpuTimer) : useGpuTimer_(useGpuTimer) {
    if (useGpuTimer_) glGenQueries(kFramePassCount, queries_.data());
}

PassProfiler::~PassProfiler() {
    if (useGpuTimer_) glDeleteQueries(kFramePassCount, queries_.data());
}

void PassProfiler::passBoundary(RenderPass next) {
    const int nextIndex = next == RenderPass::FrameEnd ? -1 : static_cast<int>(next);
    if (useGpuTimer_) {
        if (current_ >= 0) glEndQuery(GL_TIME_ELAPSED);
        if (nextIndex >= 0) glBeginQuery(GL_TIME_ELAPSED, queries_[nextIndex]);
    } else {
        glFinish();
        const Clock::time_point now = Clock::now();
        if (current_ >= 0) frameMs_[current_] = std::chrono::duration<double, std::milli>(now - started_).count();
        started_ = now;
    }
    if (nextIndex >= 0) seen_[nextIndex] = true;
    current_ = nextIndex;
}

void PassProfiler::finishFrame() {
    for (int i = 0; i < kFramePassCount; ++i) {
        if (!seen_[i]) continue;
        if (useGpuTimer_) {
            GLuint64 nanoseconds = 0;
            glGetQueryObjectui64v(queries_[i], GL_QUERY_RESULT, &nanoseconds);
            frameMs_[i] = static_cast<double>(nanoseconds) / 1.0e6;
        }
        samples_[i].push_back(frameMs_[i]);
        seen_[i] = false;
    }
    current_ = -1;
}
