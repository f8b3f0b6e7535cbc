#pragma once

#include <GL/glew.h>

#include "scene/uniforms.h"

// The G-buffer pass: the room and the lamp into three targets, in view space.

inline constexpr ProgramSources kGeometryProgramSources{"shaders/ssao_geometry.vert", nullptr,
                                                        "shaders/ssao_geometry.frag"};

// ---- Colour outputs of the geometry program (G-buffer attachments) ----

inline constexpr GLuint kOutputGPosition = 0;
inline constexpr GLuint kOutputGNormal = 1;
inline constexpr GLuint kOutputGAlbedoSpec = 2;

// ---- Geometry program (G-buffer pass) ----

inline constexpr const char* kUniformProjection = "projection";  // mat4, also in the SSAO program
inline constexpr const char* kUniformView = "view";              // mat4
inline constexpr const char* kUniformModel = "model";            // mat4
