#pragma once

#include <cstddef>

#include <GL/glew.h>
#include <glm/glm.hpp>

#include "gpu/shader_contract.h"

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
