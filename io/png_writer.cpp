#include "io/png_writer.h"

#include <cstdlib>

#include <zlib.h>

#include "io/output_file.h"

namespace {

// Generation time is mostly PNG encoding: the encoder's own deflate and its
// per-row filter search are slow, so it gets zlib's fastest level and one
// fixed filter (Paeth), which cost a few percent of file size.
constexpr int kZlibLevel = 1;
constexpr int kPaethFilter = 4;

unsigned char* zlibCompress(unsigned char* data, int length, int* outLength, int /*quality*/) {
    uLongf size = compressBound(static_cast<uLong>(length));
    auto* out = static_cast<unsigned char*>(std::malloc(size));
    if (out == nullptr) return nullptr;
    if (compress2(out, &size, data, static_cast<uLong>(length), kZlibLevel) != Z_OK) {
        std::free(out);
        return nullptr;
    }
    *outLength = static_cast<int>(size);
    return out;
}

}  // namespace

// Private copy of the encoder: static, so it cannot clash with another one linked in.
#define STB_IMAGE_WRITE_STATIC
#define STBIW_ZLIB_COMPRESS zlibCompress
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image_write.h>

namespace {

void appendBytes(void* context, void* data, int size) {
    auto* out = static_cast<std::vector<std::uint8_t>*>(context);
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    out->insert(out->end(), bytes, bytes + size);
}

}  // namespace

std::vector<std::uint8_t> encodePng(const Image& image) {
    std::vector<std::uint8_t> out;
    stbi_write_force_png_filter = kPaethFilter;
    stbi_write_png_to_func(appendBytes, &out, image.width, image.height, image.channels, image.pixels.data(),
                           image.width * image.channels);
    return out;
}

bool writePng(const std::string& path, const Image& image, std::string& error) {
    const std::vector<std::uint8_t> bytes =
        image.width > 0 && image.height > 0 ? encodePng(image) : std::vector<std::uint8_t>();
    if (bytes.empty()) {
        error = "cannot write " + path + ": no picture to encode";
        return false;
    }
    return writeWholeFile(path, bytes.data(), bytes.size(), error);
}
