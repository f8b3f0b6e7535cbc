#include "assets/texture/image.h"

#include <algorithm>
#include <cmath>

namespace {

std::uint8_t toByte(float value) {
    return static_cast<std::uint8_t>(std::lround(std::clamp(value, 0.0f, 1.0f) * 255.0f));
}

}  // namespace

Image toRgbImage(const ColorField& field) {
    Image image{field.size, field.size, 3, {}};
    image.pixels.reserve(field.values.size() * 3);
    for (const glm::vec3& c : field.values) {
        image.pixels.push_back(toByte(c.r));
        image.pixels.push_back(toByte(c.g));
        image.pixels.push_back(toByte(c.b));
    }
    return image;
}

Image toGreyImage(const ScalarField& field) {
    Image image{field.size, field.size, 1, {}};
    image.pixels.reserve(field.values.size());
    for (float s : field.values) image.pixels.push_back(toByte(s));
    return image;
}

Image normalMapFromHeight(const ScalarField& height, float bumpDepth, float texSize, int factor) {
    const int n = height.size;
    // Height units per pixel step become world slope.
    const float scale = bumpDepth * static_cast<float>(n) / texSize;
    Field<glm::vec3> normals(n);
    for (int y = 0; y < n; ++y) {
        for (int x = 0; x < n; ++x) {
            const float dhdu = (height.wrapped(x + 1, y) - height.wrapped(x - 1, y)) * 0.5f * scale;
            // v grows towards the top of the image, i.e. towards smaller y.
            const float dhdv = (height.wrapped(x, y - 1) - height.wrapped(x, y + 1)) * 0.5f * scale;
            normals.at(x, y) = glm::normalize(glm::vec3(-dhdu, -dhdv, 1.0f));
        }
    }
    if (factor > 1) normals = downsampled(normals, factor);
    Image image{normals.size, normals.size, 3, {}};
    image.pixels.reserve(normals.values.size() * 3);
    for (const glm::vec3& v : normals.values) {
        const glm::vec3 normal = glm::normalize(v);
        image.pixels.push_back(toByte(normal.x * 0.5f + 0.5f));
        image.pixels.push_back(toByte(normal.y * 0.5f + 0.5f));
        image.pixels.push_back(toByte(normal.z * 0.5f + 0.5f));
    }
    return image;
}

Image depthMapFromHeight(const ScalarField& height) {
    ScalarField depth(height.size);
    for (std::size_t i = 0; i < height.values.size(); ++i) depth.values[i] = 1.0f - height.values[i];
    return toGreyImage(depth);
}
