#pragma once

#include <cstdint>
#include <vector>

// An 8-bit image, rows top first, channels interleaved.
struct Image {
    int width = 0;
    int height = 0;
    int channels = 0;
    std::vector<std::uint8_t> pixels;
};
