#pragma once

#include <string>

#include <GL/glew.h>

// Handle on one linked GLSL program, built from two or three stage files.
// Failures are printed and never stop the caller: the program name is kept
// whether or not the stages compiled and the program linked.
struct Shader {
    GLuint program = 0;

    // geometryPath may be null for a program without a geometry stage.
    Shader(const char* vertexPath, const char* geometryPath, const char* fragmentPath);
    virtual ~Shader();
    Shader(const Shader&) = delete;
    Shader& operator=(const Shader&) = delete;

    static GLuint createProgram(const char* vertexPath, const char* geometryPath, const char* fragmentPath);
    // The compiled stage's name, or 0 when it did not compile.
    static GLuint compileShader(const std::string& source, GLenum type);
    // The file's bytes exactly (no line-end translation), or empty when the
    // file cannot be opened, is not a regular file or does not fit in memory.
    static std::string readFile(const char* path);
};
