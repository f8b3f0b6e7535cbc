#pragma once

#include <GL/glew.h>

#include "scene/uniforms.h"

// The G-buffer pass (pass 1): the room and the lamp into three screen-sized
// targets, in view space, with the window-sized depth the depth copy reads.
namespace gbuffer_pass {

inline constexpr const char* kName = "geometry";
inline constexpr ProgramSources kProgram{"shaders/ssao_geometry.vert", nullptr, "shaders/ssao_geometry.frag"};

// The program's colour outputs: the G-buffer's attachments.
inline constexpr GLuint kOutputPosition = 0;
inline constexpr GLuint kOutputNormal = 1;
inline constexpr GLuint kOutputAlbedoSpec = 2;

inline constexpr const char* kUniformProjection = "projection";  // mat4
inline constexpr const char* kUniformView = "view";              // mat4
inline constexpr const char* kUniformModel = "model";            // mat4

}  // namespace gbuffer_pass
