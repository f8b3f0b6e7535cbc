#pragma once

#include <GL/glew.h>

// What the passes' render targets share.

GLuint createScreenTexture(int width, int height, GLint internalFormat, GLenum format, GLenum type);

// Reads GL's error flags (one per kind of error, so few) and says whether
// one of them was GL_OUT_OF_MEMORY.
bool outOfMemoryRaised();

void reportIfIncomplete(const char* message);
