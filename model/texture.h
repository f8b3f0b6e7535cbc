#pragma once

#include <cstdint>
#include <string>

#include <GL/glew.h>

enum class TextureFault {
    None,
    Unusable,    // cannot be opened, decoded or uploaded: reported like a missing map
    OverBudget,  // refused by the texture memory rules, with a line of its own
};

// Decodes the image at path as 8-bit RGBA and gives it to texture name as
// level 0 (GL_RGBA8, linear filters, mirrored repeat). Rows arrive bottom-up
// when the decoder's vertical flip is on. Only a regular file is read, and
// its header is checked before decoding: a side above GL_MAX_TEXTURE_SIZE (or
// kMaxTextureSide) makes the map Unusable, as does a GL error in the upload;
// the per-image pixel limit and the memory budget of all maps make it
// OverBudget with error saying why. Returns false, leaving the texture without
// an image, on any fault or when name is 0. Leaves name bound to
// GL_TEXTURE_2D on success.
bool createTexture(const char* path, GLuint name, TextureFault& fault, std::string& error);

// Deletes texture names made by createTexture and gives their memory back
// to the budget.
void deleteTextures(GLsizei count, const GLuint* names);

// Decoded bytes of all images that createTexture gave to live texture names.
std::uint64_t textureMemoryInUse();
