// The one translation unit that holds the image decoder's implementation.
#include <cstdlib>

namespace {

// The decoder sizes its buffers from the image header, which the loader
// checks first, but the compressed stream can still expand far beyond that
// header (a few megabytes of deflate data make gigabytes); no single buffer
// may exceed what the largest admitted image needs.
constexpr std::size_t kMaxDecoderAllocation = std::size_t{1} << 30;

void* boundedMalloc(std::size_t size) { return size > kMaxDecoderAllocation ? nullptr : std::malloc(size); }
void* boundedRealloc(void* block, std::size_t size) {
    return size > kMaxDecoderAllocation ? nullptr : std::realloc(block, size);
}

}  // namespace

#define STBI_MALLOC(size) boundedMalloc(size)
#define STBI_REALLOC(block, size) boundedRealloc(block, size)
#define STBI_FREE(block) std::free(block)
#define STB_IMAGE_IMPLEMENTATION
#include <stb_image.h>
