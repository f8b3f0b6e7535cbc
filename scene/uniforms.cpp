#include "scene/uniforms.h"

#include <glm/gtc/type_ptr.hpp>

Shader* buildProgram(const ProgramSources& sources) {
    return new Shader(sources.vertex, sources.geometry, sources.fragment);
}

void setUniform(GLuint program, const char* name, const glm::mat4& value) {
    glUniformMatrix4fv(glGetUniformLocation(program, name), 1, GL_FALSE, glm::value_ptr(value));
}

void setUniform(GLuint program, const char* name, const glm::vec3& value) {
    glUniform3fv(glGetUniformLocation(program, name), 1, glm::value_ptr(value));
}

void setUniform(GLuint program, const char* name, const glm::vec2& value) {
    glUniform2fv(glGetUniformLocation(program, name), 1, glm::value_ptr(value));
}

void setUniform(GLuint program, const char* name, float value) {
    glUniform1f(glGetUniformLocation(program, name), value);
}

void setSamplerUnit(GLuint program, const char* name, GLint unit) {
    glUniform1i(glGetUniformLocation(program, name), unit);
}

void bindTexture(GLint unit, GLenum target, GLuint texture) {
    glActiveTexture(GL_TEXTURE0 + static_cast<GLenum>(unit));
    glBindTexture(target, texture);
}
