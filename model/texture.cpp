#include "model/texture.h"

#include <cstdint>
#include <string>

#include <stb_image.h>

#include "gpu/gl_errors.h"
#include "io/input_file.h"

namespace {

constexpr int kRequestedChannels = 4;  // grey and RGB images are expanded to RGBA

}  // namespace

bool createTexture(const char* path, GLuint name) {
    if (name == 0) return false;
    InputFile file;
    std::string unopened;
    if (!openInputFile(path, file, unopened)) return false;
    int width = 0;
    int height = 0;
    int fileChannels = 0;
    if (stbi_info_from_file(file.stream.get(), &width, &height, &fileChannels) == 0) return false;
    // A side above GL's limit would fail the upload: the header tells before
    // anything is decoded.
    GLint glMaxSide = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &glMaxSide);
    if (width > glMaxSide || height > glMaxSide) return false;
    // The decoded image and the GL's copy of it must fit in the memory left:
    // where memory is overcommitted, filling more than that would not fail
    // but get the program killed.
    const std::uint64_t decodedBytes =
        static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height) * kRequestedChannels;
    if (2 * decodedBytes > availableMemoryBytes()) return false;
    // The decoder returns null, rather than failing, when memory runs out.
    stbi_uc* pixels = stbi_load_from_file(file.stream.get(), &width, &height, &fileChannels, kRequestedChannels);
    if (pixels == nullptr) return false;
    glBindTexture(GL_TEXTURE_2D, name);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_MIRRORED_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_MIRRORED_REPEAT);
    // Errors raised before are not this upload's; its own (out of memory,
    // above a limit) leave the texture without an image.
    drainGlErrors();
    // A map without an image samples as a 1 x 1 texture on Mesa, so the
    // shaders take 1 x 1 as "no image"; a real one-texel image goes up as
    // 2 x 2 copies of its texel, which samples the same everywhere.
    if (width == 1 && height == 1) {
        const stbi_uc* t = pixels;
        const stbi_uc block[16] = {t[0], t[1], t[2], t[3], t[0], t[1], t[2], t[3],
                                   t[0], t[1], t[2], t[3], t[0], t[1], t[2], t[3]};
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, 2, 2, 0, GL_RGBA, GL_UNSIGNED_BYTE, block);
    } else {
        // RGBA rows are a multiple of 4 bytes, so the default unpack alignment fits.
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels);
    }
    stbi_image_free(pixels);
    return !drainGlErrors().any;
}
