#pragma once

#include <cstddef>
#include <string>

#include <GL/glew.h>
#include <glm/glm.hpp>

#include "gpu/shader.h"

// What a pass hands its program: the program's stage files, its uniforms by
// name and its textures on the units of its samplers.

// A program's stage files, relative to the working directory.
struct ProgramSources {
    const char* vertex;
    const char* geometry;  // null: no geometry stage
    const char* fragment;
};

// The program of these files; the caller owns it.
Shader* buildProgram(const ProgramSources& sources);

// A sampler uniform and the texture unit it is pointed at once, at set-up.
struct SamplerUnit {
    const char* name;
    GLint unit;
};

// The name of element index of an array uniform: prefix + index + "]".
inline std::string indexedUniformName(const char* prefix, int index) { return prefix + std::to_string(index) + "]"; }

// Each set looks its location up by name in program right before setting it:
// the frame caches no location. A name the program lacks gives -1, which GL
// ignores.
void setUniform(GLuint program, const char* name, const glm::mat4& value);
void setUniform(GLuint program, const char* name, const glm::vec3& value);
void setUniform(GLuint program, const char* name, const glm::vec2& value);
void setUniform(GLuint program, const char* name, float value);
// For sampler uniforms: the texture unit.
void setSamplerUnit(GLuint program, const char* name, GLint unit);
// Every sampler of a table at its unit, in table order.
template <std::size_t N>
void setSamplerUnits(GLuint program, const SamplerUnit (&samplers)[N]) {
    for (const SamplerUnit& sampler : samplers) setSamplerUnit(program, sampler.name, sampler.unit);
}

void bindTexture(GLint unit, GLenum target, GLuint texture);

// textures[i] on the unit of samplers[i], in table order: the same tables
// that pointed the samplers at their units at set-up.
template <std::size_t N>
void bindTextures(const SamplerUnit (&samplers)[N], const GLuint (&textures)[N]) {
    for (std::size_t i = 0; i < N; ++i) bindTexture(samplers[i].unit, GL_TEXTURE_2D, textures[i]);
}
