#include "gpu/shader.h"

#include <iostream>
#include <vector>

#include "io/input_file.h"

namespace {

void reportMissingFile(const char* path) { std::cout << "File " << path << " not found" << std::endl; }

void attachIfCompiled(GLuint program, GLuint stage) {
    // A stage that failed to compile is 0; attaching 0 is a GL error.
    if (stage != 0) glAttachShader(program, stage);
}

void reportLinkFailure(GLuint program) {
    GLint status = GL_FALSE;
    glGetProgramiv(program, GL_LINK_STATUS, &status);
    if (status == GL_TRUE) return;
    GLint logLength = 0;
    glGetProgramiv(program, GL_INFO_LOG_LENGTH, &logLength);
    std::vector<GLchar> log(static_cast<std::size_t>(logLength > 0 ? logLength : 1), '\0');
    GLsizei written = 0;
    glGetProgramInfoLog(program, static_cast<GLsizei>(log.size()), &written, log.data());
    std::cout << "Shader link error: " << std::string(log.data(), static_cast<std::size_t>(written)) << std::endl;
}

}  // namespace

Shader::Shader(const char* vertexPath, const char* geometryPath, const char* fragmentPath)
    : program(createProgram(vertexPath, geometryPath, fragmentPath)) {}

Shader::~Shader() { glDeleteProgram(program); }

std::string Shader::readFile(const char* path) {
    // Opened without blocking and only if it is a regular file: a FIFO would
    // block the open itself, a device would never end.
    std::string text;
    InputFault fault = InputFault::None;
    std::string error;
    if (!readInputFile(path, text, fault, error)) {
        // A file that opened but could not be read is compiled from what a
        // failed read leaves: nothing.
        if (fault == InputFault::TooLarge) {
            std::cout << "Shader file too large: " << error << std::endl;
        } else if (fault != InputFault::ReadFailed) {
            reportMissingFile(path);
        }
        return std::string();
    }
    return text;
}

GLuint Shader::compileShader(const std::string& source, GLenum type) {
    const GLuint id = glCreateShader(type);
    // No length array: GL reads up to the first NUL, as a C string.
    const GLchar* text = source.c_str();
    glShaderSource(id, 1, &text, nullptr);
    glCompileShader(id);
    GLint status = GL_FALSE;
    glGetShaderiv(id, GL_COMPILE_STATUS, &status);
    if (status == GL_TRUE) return id;

    GLint logLength = 0;
    glGetShaderiv(id, GL_INFO_LOG_LENGTH, &logLength);
    std::vector<GLchar> log(static_cast<std::size_t>(logLength > 0 ? logLength : 1), '\0');
    GLsizei written = 0;
    glGetShaderInfoLog(id, static_cast<GLsizei>(log.size()), &written, log.data());
    std::cout << "Shader compilation error: " << std::string(log.data(), static_cast<std::size_t>(written))
              << std::endl;
    return 0;
}

GLuint Shader::createProgram(const char* vertexPath, const char* geometryPath, const char* fragmentPath) {
    const std::string vertexText = readFile(vertexPath);
    const std::string fragmentText = readFile(fragmentPath);
    const GLuint program = glCreateProgram();
    if (geometryPath != nullptr) {
        const std::string geometryText = readFile(geometryPath);
        attachIfCompiled(program, compileShader(geometryText, GL_GEOMETRY_SHADER));
    }
    const GLuint vertex = compileShader(vertexText, GL_VERTEX_SHADER);
    const GLuint fragment = compileShader(fragmentText, GL_FRAGMENT_SHADER);
    attachIfCompiled(program, vertex);
    attachIfCompiled(program, fragment);
    glLinkProgram(program);
    reportLinkFailure(program);
    return program;
}
