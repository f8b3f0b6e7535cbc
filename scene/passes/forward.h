#pragma once

#include "scene/uniforms.h"

// The forward pass: the light cube drawn over the lit scene.

inline constexpr ProgramSources kStandardProgramSources{"shaders/standard.vert", nullptr, "shaders/standard.frag"};

// ---- Standard program (forward pass of the light cube; material as above) ----

// Lower-case "position", unlike the lighting program's "pointLight.Position".
inline constexpr const char* kUniformStandardLightPosition = "pointLight.position";  // vec3, view space
inline constexpr const char* kUniformModelViewProjMat = "modelViewProjMat";          // mat4
inline constexpr const char* kUniformModelViewMat = "modelViewMat";                  // mat4
inline constexpr const char* kUniformInverseModelViewMat = "inverseModelViewMat";    // mat4
