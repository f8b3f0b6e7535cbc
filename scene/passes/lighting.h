#pragma once

#include <glm/glm.hpp>

#include "scene/uniforms.h"

// The lighting pass (pass 5): the window shaded from the G-buffer, the
// blurred occlusion and the shadow cube; then the depth copy (pass 6), the
// G-buffer's depth into the window for the forward pass.
namespace lighting_pass {

inline constexpr const char* kName = "lighting";
inline constexpr const char* kDepthCopyName = "depth_copy";
inline constexpr ProgramSources kProgram{"shaders/ssao.vert", nullptr, "shaders/ssao_lighting.frag"};

inline constexpr const char* kUniformPointLightPosition = "pointLight.Position";    // vec3, view space
inline constexpr const char* kUniformPointLightColor = "pointLight.Color";          // vec3
inline constexpr const char* kUniformPointLightLinear = "pointLight.Linear";        // float
inline constexpr const char* kUniformPointLightQuadratic = "pointLight.Quadratic";  // float
inline constexpr const char* kUniformFarPlane = "farPlane";                         // float: kShadowFarPlane
inline constexpr const char* kUniformViewMatrix = "viewMatrix";                     // mat4
inline constexpr SamplerUnit kSamplerUnits[] = {{"gPosition", 0}, {"gNormal", 1}, {"gAlbedoSpec", 2}, {"ssao", 3}};
// Set up with the shadow map it samples.
inline constexpr SamplerUnit kShadowSamplerUnits[] = {{"depthCubeMap", 4}};

inline constexpr glm::vec3 kLightColor(1.0f, 1.0f, 1.0f);
inline constexpr float kLightLinear = 0.09f;
inline constexpr float kLightQuadratic = 0.0028f;

}  // namespace lighting_pass
