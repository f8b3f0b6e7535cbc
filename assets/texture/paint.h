#pragma once

#include <algorithm>
#include <cmath>

#include <glm/glm.hpp>

// Small shaping helpers shared by the texture recipes.

inline float clamp01(float x) { return std::clamp(x, 0.0f, 1.0f); }

inline float smoothstepf(float edge0, float edge1, float x) {
    const float t = clamp01((x - edge0) / (edge1 - edge0));
    return t * t * (3.0f - 2.0f * t);
}

inline float fract(float x) { return x - std::floor(x); }

inline glm::vec3 rgb(int r, int g, int b) {
    return glm::vec3(static_cast<float>(r), static_cast<float>(g), static_cast<float>(b)) / 255.0f;
}

// Fills every pixel of the three fields from f(u, v, albedo, height, specular).
template <typename F>
void paintSurface(int size, F f, glm::vec3* albedo, float* height, float* specular) {
    for (int y = 0; y < size; ++y) {
        const float v = 1.0f - (static_cast<float>(y) + 0.5f) / static_cast<float>(size);
        for (int x = 0; x < size; ++x) {
            const float u = (static_cast<float>(x) + 0.5f) / static_cast<float>(size);
            const std::size_t i = static_cast<std::size_t>(y) * size + x;
            f(u, v, albedo[i], height[i], specular[i]);
        }
    }
}
