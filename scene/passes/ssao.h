#pragma once

#include "scene/ssao_kernel.h"
#include "scene/uniforms.h"

// The SSAO pass (pass 2) and its blur (pass 3): occlusion from the G-buffer's
// positions and normals, oriented by the noise tile, then smoothed over one tile.
namespace ssao_pass {

inline constexpr const char* kName = "ssao";
inline constexpr const char* kBlurName = "blur";
inline constexpr ProgramSources kProgram{"shaders/ssao.vert", nullptr, "shaders/ssao.frag"};
inline constexpr ProgramSources kBlurProgram{"shaders/ssao.vert", nullptr, "shaders/ssao_blur.frag"};
// The SSAO program's brute-force twin, built only when a tool asks for it.
inline constexpr ProgramSources kBruteForceProgram{"shaders/ssao.vert", nullptr, "shaders/ssao_full.frag"};

inline constexpr const char* kUniformSamplesPrefix = "samples[";  // vec3 each, see indexedUniformName
inline constexpr const char* kUniformProjection = "projection";   // mat4
inline constexpr const char* kUniformPower = "power";             // float
inline constexpr const char* kUniformRadius = "radius";           // float
inline constexpr const char* kUniformNoiseScale = "noiseScale";   // vec2
inline constexpr SamplerUnit kSamplerUnits[] = {{"gPosition", 0}, {"gNormal", 1}, {"texNoise", 2}};
inline constexpr SamplerUnit kBlurSamplerUnits[] = {{"ssaoInput", 0}};

inline constexpr float kPower = 1.0f;
inline constexpr float kRadius = 5.0f;
// "noiseScale" is the screen size counted in noise tiles.
inline constexpr float kNoiseTilesPerPixel = 1.0f / static_cast<float>(kSsaoNoiseSide);

}  // namespace ssao_pass
