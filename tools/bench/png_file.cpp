#include "tools/bench/png_file.h"

// Private copy of the encoder: static functions, so no other user of the
// header in the same link can clash with it.
#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image_write.h>

bool writePng(const std::string& path, const Image8& image) {
    if (image.width <= 0 || image.height <= 0) return false;
    return stbi_write_png(path.c_str(), image.width, image.height, image.channels, image.pixels.data(),
                          image.width * image.channels) != 0;
}
