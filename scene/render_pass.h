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

// The steps of the scene's construction, in the order they run.
enum class SceneBuildStep {
    ShaderPrograms,
    RenderTargets,  // G-buffer, SSAO and shadow targets, kernel, noise
    Models,         // the three models with their textures
    Done,
};

// Told as each construction step begins (Done once the scene is ready), so
// that start-up time can be split by step.
class SceneBuildObserver {
public:
    virtual void buildStep(SceneBuildStep next) = 0;

protected:
    ~SceneBuildObserver() = default;
};
