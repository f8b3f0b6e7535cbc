#pragma once

#include <GL/glew.h>

// What the passes' render targets share.

// A texture of the window's size without data, with nearest filtering, left
// bound to GL_TEXTURE_2D so that the caller can set more of it.
GLuint createScreenTexture(int width, int height, GLint internalFormat, GLenum format, GLenum type);

// Prints message (one flushed line) when the bound framebuffer is not complete.
void reportIfIncomplete(const char* message);
