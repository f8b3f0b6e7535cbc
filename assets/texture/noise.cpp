#include "assets/texture/noise.h"

#include <cmath>

#include <stb_perlin.h>

float tileNoise(float u, float v, int frequency, float seed) {
    const float f = static_cast<float>(frequency);
    return stb_perlin_noise3(u * f, v * f, seed * 7.31f, frequency, frequency, 0);
}

float tileNoise2(float u, float v, int frequencyU, int frequencyV, float seed) {
    return stb_perlin_noise3(u * static_cast<float>(frequencyU), v * static_cast<float>(frequencyV), seed * 7.31f,
                             frequencyU, frequencyV, 0);
}

float tileFbm(float u, float v, int frequency, int octaves, float gain, float seed) {
    float sum = 0.0f, amplitude = 1.0f, norm = 0.0f;
    for (int o = 0; o < octaves; ++o) {
        sum += amplitude * tileNoise(u, v, frequency << o, seed + static_cast<float>(o) * 1.7f);
        norm += amplitude;
        amplitude *= gain;
    }
    return sum / norm;
}

float tileTurbulence(float u, float v, int frequency, int octaves, float gain, float seed) {
    float sum = 0.0f, amplitude = 1.0f, norm = 0.0f;
    for (int o = 0; o < octaves; ++o) {
        sum += amplitude * std::fabs(tileNoise(u, v, frequency << o, seed + static_cast<float>(o) * 1.7f));
        norm += amplitude;
        amplitude *= gain;
    }
    return sum / norm;
}

float hash01(std::uint32_t a, std::uint32_t b, std::uint32_t c) {
    std::uint32_t h = a * 0x9E3779B1u ^ (b + 0x7F4A7C15u) * 0x85EBCA77u ^ (c + 0x165667B1u) * 0xC2B2AE3Du;
    h ^= h >> 15;
    h *= 0x2C1B3C6Du;
    h ^= h >> 12;
    h *= 0x297A2D39u;
    h ^= h >> 15;
    return static_cast<float>(h >> 8) / 16777216.0f;
}
