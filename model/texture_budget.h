#pragma once

// What the loader lets a texture image cost, decided from the image's header
// before anything is decoded: a small file may claim a huge image. Pure
// rules, shared with the bmf tool, which has no GL context.

#include <cstdint>
#include <string>

// An image file is read as a stream; larger ones are refused unread.
constexpr std::uint64_t kMaxImageFileBytes = 512ull << 20;
// The widest and tallest map; the GL implementation's own GL_MAX_TEXTURE_SIZE
// lowers it further where it is smaller.
constexpr int kMaxTextureSide = 16384;
// One map of at most 64 Mi pixels (8192 x 8192): 256 MiB of decoded RGBA.
constexpr std::uint64_t kMaxTexturePixels = 64ull << 20;
// Decoded RGBA texels of all maps held at once.
constexpr std::uint64_t kTextureMemoryBytes = 2ull << 30;
constexpr std::uint64_t kTextureBytesPerPixel = 4;

// Whether width and height are both within maxSide.
bool textureSidesFit(int width, int height, int maxSide);

// Whether one image of width x height is within the per-image pixel limit;
// otherwise false with a line such as
// "16384 x 16384 is 268435456 pixels, above the limit of 67108864 for one image".
bool texturePixelsFit(int width, int height, std::string& error);

// The decoded bytes of all maps together.
class TextureBudget {
public:
    explicit TextureBudget(std::uint64_t limitBytes = kTextureMemoryBytes) : limit_(limitBytes) {}
    // Takes bytes from the budget, or returns false with a line saying what
    // is in use when they do not fit.
    bool reserve(std::uint64_t bytes, std::string& error);
    void release(std::uint64_t bytes);
    std::uint64_t used() const { return used_; }

private:
    std::uint64_t limit_;
    std::uint64_t used_ = 0;
};
