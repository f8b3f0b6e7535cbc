#pragma once

#include <GL/glew.h>

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

constexpr int kFramePassCount = static_cast<int>(RenderPass::FrameEnd);
// The name each pass gives itself ("geometry", "ssao", ...), for reports.
const char* passName(RenderPass pass);

// What a texture that a pass writes holds, so that a tool can show it.
enum class BufferContent {
    ViewPosition,       // RGB float: view-space position, 0 where nothing was drawn
    OctahedralNormal,   // RGB float: a unit normal octahedral-encoded in x and y
    Albedo,             // the colour of an RGBA8 texture
    SpecularIntensity,  // the alpha of an RGBA8 texture
    Occlusion,          // R (the driver's size for unsized GL_RED; 8-bit here): visibility in [0, 1]
    PackedOcclusion,    // R 8-bit: a visibility level in the high four bits, a depth class in the low four
    ShadowDepth,        // a depth cube map: each face's window depth
    WindowColor,        // the window's back buffer before the swap
};

// One texture of a pass under the name its picture takes.
struct PassBuffer {
    const char* name;
    BufferContent content;
    GLuint texture;  // 0 for the window
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
