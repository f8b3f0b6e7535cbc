#include "tools/bench/pass_method.h"

const char* passName(RenderPass pass) {
    switch (pass) {
        case RenderPass::Geometry: return "geometry";
        case RenderPass::Ssao: return "ssao";
        case RenderPass::SsaoBlur: return "blur";
        case RenderPass::Shadow: return "shadow";
        case RenderPass::Lighting: return "lighting";
        case RenderPass::DepthCopy: return "depth_copy";
        case RenderPass::Forward: return "forward";
        case RenderPass::FrameEnd: break;
    }
    return "frame_end";
}

bool isSoftwareRenderer(const std::string& glRenderer) {
    for (const char* name : {"llvmpipe", "softpipe", "SVGA3D"}) {
        if (glRenderer.find(name) != std::string::npos) return true;
    }
    return false;
}
