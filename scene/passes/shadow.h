#pragma once

#include "scene/uniforms.h"

// The shadow pass (pass 4): the room and the lamp into the six faces of the
// light's depth cube, in one layered draw per mesh.
namespace shadow_pass {

inline constexpr const char* kName = "shadow";
inline constexpr ProgramSources kProgram{"shaders/depth.vert", "shaders/depth.geom", "shaders/depth.frag"};

inline constexpr const char* kUniformShadowTransformsPrefix = "shadowTransformMats[";  // mat4 each, per cube face
inline constexpr const char* kUniformModelMat = "modelMat";                            // mat4 (not "model")
inline constexpr const char* kUniformLightPos = "lightPos";                            // vec3, world space
inline constexpr const char* kUniformFarPlane = "farPlane";                            // float: kShadowFarPlane

}  // namespace shadow_pass
