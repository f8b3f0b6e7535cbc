#pragma once

#include "scene/uniforms.h"

// The forward pass (pass 7): the light cube over the lit scene, depth-tested
// against the copied depth, with the transforms of setObjectUniforms.
namespace forward_pass {

inline constexpr const char* kName = "forward";
inline constexpr ProgramSources kProgram{"shaders/standard.vert", nullptr, "shaders/standard.frag"};

// Lower-case "position", unlike the lighting program's "pointLight.Position".
inline constexpr const char* kUniformLightPosition = "pointLight.position";        // vec3, view space
inline constexpr const char* kUniformModelViewProjMat = "modelViewProjMat";        // mat4
inline constexpr const char* kUniformModelViewMat = "modelViewMat";                // mat4
inline constexpr const char* kUniformInverseModelViewMat = "inverseModelViewMat";  // mat4

}  // namespace forward_pass
