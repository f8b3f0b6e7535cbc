#pragma once

#include "scene/uniforms.h"

// The shadow pass: the room and the lamp into the six faces of the light's depth cube.

inline constexpr ProgramSources kDepthProgramSources{"shaders/depth.vert", "shaders/depth.geom", "shaders/depth.frag"};

// ---- Depth program (shadow cube pass; with a geometry stage) ----

inline constexpr const char* kUniformShadowTransformsPrefix = "shadowTransformMats[";  // mat4 each, per cube face
inline constexpr const char* kUniformModelMat = "modelMat";                            // mat4 (not "model")
inline constexpr const char* kUniformLightPos = "lightPos";                            // vec3, world space
inline constexpr const char* kUniformFarPlane = "farPlane";  // float, also in the lighting program
