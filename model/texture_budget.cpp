#include "model/texture_budget.h"

namespace {

std::string mebibytes(std::uint64_t bytes) { return std::to_string((bytes + (1u << 20) - 1) >> 20) + " MiB"; }

}  // namespace

bool textureSidesFit(int width, int height, int maxSide) { return width <= maxSide && height <= maxSide; }

bool texturePixelsFit(int width, int height, std::string& error) {
    const std::uint64_t pixels = static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height);
    if (pixels <= kMaxTexturePixels) return true;
    error = std::to_string(width) + " x " + std::to_string(height) + " is " + std::to_string(pixels) +
            " pixels, above the limit of " + std::to_string(kMaxTexturePixels) + " for one image";
    return false;
}

bool TextureBudget::reserve(std::uint64_t bytes, std::string& error) {
    if (bytes <= limit_ - used_) {
        used_ += bytes;
        return true;
    }
    error = "needs " + mebibytes(bytes) + " while " + mebibytes(used_) + " of the " + mebibytes(limit_) +
            " for all textures are in use";
    return false;
}

void TextureBudget::release(std::uint64_t bytes) { used_ -= bytes < used_ ? bytes : used_; }
