#pragma once

#include <cstdint>
#include <vector>

#include <glm/glm.hpp>

#include "io/image.h"

// A square field of values over the unit texture square. Pixel (x, y) covers
// u = (x + 0.5) / size and v = 1 - (y + 0.5) / size: row 0 is the top of the
// image, which the loader places at v = 1.
template <typename T>
struct Field {
    int size = 0;
    std::vector<T> values;

    explicit Field(int n = 0, T fill = T()) : size(n), values(static_cast<std::size_t>(n) * n, fill) {}
    T& at(int x, int y) { return values[static_cast<std::size_t>(y) * size + x]; }
    const T& at(int x, int y) const { return values[static_cast<std::size_t>(y) * size + x]; }
    // Wrapping access: the textures tile.
    const T& wrapped(int x, int y) const { return at(((x % size) + size) % size, ((y % size) + size) % size); }
    float u(int x) const { return (static_cast<float>(x) + 0.5f) / static_cast<float>(size); }
    float v(int y) const { return 1.0f - (static_cast<float>(y) + 0.5f) / static_cast<float>(size); }
};

using ColorField = Field<glm::vec3>;
using ScalarField = Field<float>;

// The four maps of one surface before encoding: colour (linear 0..1),
// height (0 low .. 1 high) and specular intensity (0..1).
struct SurfaceMaps {
    ColorField albedo;
    ScalarField height;
    ScalarField specular;
    // Height 1 stands this far (world units) above height 0, and one tile
    // spans texSize world units: together they set the normal map's slopes.
    float bumpDepth = 0.0f;
    float texSize = 1.0f;
};

// The field at 1/factor of its size, each pixel the mean of a factor x
// factor block (size a multiple of factor).
template <typename T>
Field<T> downsampled(const Field<T>& field, int factor) {
    const int n = field.size / factor;
    Field<T> out(n);
    const float weight = 1.0f / static_cast<float>(factor * factor);
    for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x) {
            T sum = T();
            for (int j = 0; j < factor; ++j)
                for (int i = 0; i < factor; ++i) sum += field.at(x * factor + i, y * factor + j);
            out.at(x, y) = sum * weight;
        }
    return out;
}

Image toRgbImage(const ColorField& field);
Image toGreyImage(const ScalarField& field);

// Tangent-space normal map of the height field: x along +u, y along +v
// (image up), z out of the surface, encoded as n * 0.5 + 0.5. With factor
// above 1 the map is that many times smaller, each pixel the normalised mean
// of the normals of its block.
Image normalMapFromHeight(const ScalarField& height, float bumpDepth, float texSize, int factor = 1);

// The displacement map as a depth map: white is deepest (1 - height).
Image depthMapFromHeight(const ScalarField& height);
