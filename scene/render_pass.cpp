#include "scene/render_pass.h"

#include "scene/passes/forward.h"
#include "scene/passes/gbuffer.h"
#include "scene/passes/lighting.h"
#include "scene/passes/shadow.h"
#include "scene/passes/ssao.h"

const char* passName(RenderPass pass) {
    switch (pass) {
        case RenderPass::Geometry: return gbuffer_pass::kName;
        case RenderPass::Ssao: return ssao_pass::kName;
        case RenderPass::SsaoBlur: return ssao_pass::kBlurName;
        case RenderPass::Shadow: return shadow_pass::kName;
        case RenderPass::Lighting: return lighting_pass::kName;
        case RenderPass::DepthCopy: return lighting_pass::kDepthCopyName;
        case RenderPass::Forward: return forward_pass::kName;
        case RenderPass::FrameEnd: break;
    }
    return "frame_end";
}
