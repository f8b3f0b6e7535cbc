#include "model/texture.h"

#include <algorithm>
#include <unordered_map>

#include <stb_image.h>

#include "model/input_file.h"
#include "model/texture_budget.h"

namespace {

constexpr int kRequestedChannels = 4;  // grey and RGB images are expanded to RGBA
constexpr int kMaxErrorsDrained = 16;  // GL keeps at most one flag per error kind

TextureBudget& budget() {
    static TextureBudget textures;
    return textures;
}

// Bytes charged to the budget per texture name, given back when it is deleted.
std::unordered_map<GLuint, std::uint64_t>& charges() {
    static std::unordered_map<GLuint, std::uint64_t> byName;
    return byName;
}

void refund(GLuint name) {
    const auto charge = charges().find(name);
    if (charge == charges().end()) return;
    budget().release(charge->second);
    charges().erase(charge);
}

// Clears GL's error flags; true when there were none.
bool drainGlErrors() {
    bool clean = true;
    for (int i = 0; i < kMaxErrorsDrained && glGetError() != GL_NO_ERROR; ++i) clean = false;
    return clean;
}

bool fail(TextureFault kind, TextureFault& fault) {
    fault = kind;
    return false;
}

}  // namespace

bool createTexture(const char* path, GLuint name, TextureFault& fault, std::string& error) {
    fault = TextureFault::None;
    error.clear();
    if (name == 0) return fail(TextureFault::Unusable, fault);
    InputFile file;
    if (!openInputFile(path, kMaxImageFileBytes, file, error)) return fail(TextureFault::Unusable, fault);
    int width = 0;
    int height = 0;
    int fileChannels = 0;
    if (stbi_info_from_file(file.stream.get(), &width, &height, &fileChannels) == 0) {
        error = std::string(path) + ": " + stbi_failure_reason();
        return fail(TextureFault::Unusable, fault);
    }
    GLint glMaxSide = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &glMaxSide);
    if (!textureSidesFit(width, height, std::min<int>(glMaxSide, kMaxTextureSide))) {
        error = std::string(path) + ": " + std::to_string(width) + " x " + std::to_string(height) +
                " is larger than the GL limit of " + std::to_string(glMaxSide);
        return fail(TextureFault::Unusable, fault);
    }
    std::string why;
    const std::uint64_t bytes =
        static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height) * kTextureBytesPerPixel;
    refund(name);  // the name may have held an image before
    if (!texturePixelsFit(width, height, why) || !budget().reserve(bytes, why)) {
        error = std::string(path) + ": " + why;
        return fail(TextureFault::OverBudget, fault);
    }
    stbi_uc* pixels = stbi_load_from_file(file.stream.get(), &width, &height, &fileChannels, kRequestedChannels);
    if (pixels == nullptr) {
        budget().release(bytes);
        error = std::string(path) + ": " + stbi_failure_reason();
        return fail(TextureFault::Unusable, fault);
    }
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
    if (!drainGlErrors()) {
        budget().release(bytes);
        error = std::string(path) + ": the GL upload of " + std::to_string(width) + " x " + std::to_string(height) +
                " failed";
        return fail(TextureFault::Unusable, fault);
    }
    charges()[name] = bytes;
    return true;
}

void deleteTextures(GLsizei count, const GLuint* names) {
    for (GLsizei i = 0; i < count; ++i) refund(names[i]);
    glDeleteTextures(count, names);
}

std::uint64_t textureMemoryInUse() { return budget().used(); }
