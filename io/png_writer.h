#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "io/image.h"

// PNG bytes of an 8-bit image (1, 3 or 4 channels, rows top first).
std::vector<std::uint8_t> encodePng(const Image& image);

// The image as a PNG file at path. False with the line why (an empty image
// is not written).
bool writePng(const std::string& path, const Image& image, std::string& error);
