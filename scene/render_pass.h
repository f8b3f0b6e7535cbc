#pragma once

// The frame's passes in the order they run, for whoever wants to time them.
enum class RenderPass {
    Geometry,
    Ssao,
    SsaoBlur,
    Shadow,
    Lighting,
    DepthCopy,
    Forward,
    FrameEnd,  // after the last pass
};

// Told at every pass boundary which pass starts next (FrameEnd once the
// frame is drawn). A benchmark can glFinish there and read a clock.
class RenderPassObserver {
public:
    virtual void passBoundary(RenderPass next) = 0;

protected:
    ~RenderPassObserver() = default;
};
