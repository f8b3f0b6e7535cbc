#pragma once

#include "scene/uniforms.h"

// The SSAO pass and its blur: occlusion from the G-buffer, then smoothed.

inline constexpr ProgramSources kSsaoProgramSources{"shaders/ssao.vert", nullptr, "shaders/ssao.frag"};
inline constexpr ProgramSources kSsaoBlurProgramSources{"shaders/ssao.vert", nullptr, "shaders/ssao_blur.frag"};
// The SSAO program's brute-force twin, built only when a tool asks for it.
inline constexpr ProgramSources kBruteForceSsaoProgramSources{"shaders/ssao.vert", nullptr, "shaders/ssao_full.frag"};

// ---- SSAO program ----

inline constexpr const char* kUniformSamplesPrefix = "samples[";  // vec3 each, see indexedUniformName
inline constexpr const char* kUniformPower = "power";             // float
inline constexpr const char* kUniformRadius = "radius";           // float
inline constexpr const char* kUniformNoiseScale = "noiseScale";   // vec2
inline constexpr SamplerUnit kSsaoSamplerUnits[] = {{"gPosition", 0}, {"gNormal", 1}, {"texNoise", 2}};

// ---- SSAO blur program ----

inline constexpr SamplerUnit kSsaoBlurSamplerUnits[] = {{"ssaoInput", 0}};
