#include "model/texture.h"

#include <stb_image.h>

namespace {

constexpr int kRequestedChannels = 4;  // grey and RGB images are expanded to RGBA

}  // namespace

bool createTexture(const char* path, GLuint name) {
    int width = 0;
    int height = 0;
    int fileChannels = 0;
    stbi_uc* pixels = stbi_load(path, &width, &height, &fileChannels, kRequestedChannels);
    if (pixels == nullptr || name == 0) {
        stbi_image_free(pixels);
        return false;
    }
    glBindTexture(GL_TEXTURE_2D, name);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_MIRRORED_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_MIRRORED_REPEAT);
    // RGBA rows are a multiple of 4 bytes, so the default unpack alignment fits.
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels);
    stbi_image_free(pixels);
    return true;
}
