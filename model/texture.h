#pragma once

#include <GL/glew.h>

// Decodes the image at path as 8-bit RGBA and gives it to texture name as
// level 0 (GL_RGBA8, linear filters, mirrored repeat). Rows arrive bottom-up
// when the decoder's vertical flip is on. Returns false, leaving the texture
// without an image, when the image cannot be opened or decoded or name is 0.
// Leaves name bound to GL_TEXTURE_2D on success.
bool createTexture(const char* path, GLuint name);
