#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "io/image.h"

// PNG bytes of an 8-bit image (1, 3 or 4 channels, rows top first).
std::vector<std::uint8_t> encodePng(const Image& image);

// Writes bytes to path; false when the file cannot be written.
bool writeBytes(const std::string& path, const std::vector<std::uint8_t>& bytes);
