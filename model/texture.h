#pragma once

#include <GL/glew.h>

// Decodes the image at path as 8-bit RGBA and gives it to texture name as
// level 0 (GL_RGBA8, linear filters, mirrored repeat). Rows arrive bottom-up
// when the decoder's vertical flip is on. Only a regular file is read; a map
// whose header gives a side above GL_MAX_TEXTURE_SIZE is refused before it is
// decoded, as is one whose decoded pixels and their GL copy would not fit in
// the memory left, and a decode that fails (also for want of memory) or a GL error in
// the upload fails it too. Returns false, leaving the texture without an
// image, on any fault or when name is 0. Leaves name bound to GL_TEXTURE_2D on
// success.
bool createTexture(const char* path, GLuint name);
