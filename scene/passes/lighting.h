#pragma once

#include "scene/uniforms.h"

// The lighting pass: the window shaded from the G-buffer, the blurred
// occlusion and the shadow cube; then the G-buffer's depth copied into the window.

inline constexpr ProgramSources kLightingProgramSources{"shaders/ssao.vert", nullptr, "shaders/ssao_lighting.frag"};

// ---- Lighting program ----

inline constexpr const char* kUniformPointLightPosition = "pointLight.Position";    // vec3, view space
inline constexpr const char* kUniformPointLightColor = "pointLight.Color";          // vec3
inline constexpr const char* kUniformPointLightLinear = "pointLight.Linear";        // float
inline constexpr const char* kUniformPointLightQuadratic = "pointLight.Quadratic";  // float
inline constexpr const char* kUniformViewMatrix = "viewMatrix";                     // mat4
inline constexpr SamplerUnit kLightingSamplerUnits[] = {
    {"gPosition", 0}, {"gNormal", 1}, {"gAlbedoSpec", 2}, {"ssao", 3}};
// Set up with the shadow map it samples.
inline constexpr SamplerUnit kLightingShadowSamplerUnits[] = {{"depthCubeMap", 4}};
