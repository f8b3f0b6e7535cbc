#include <cmath>

#include "assets/texture/noise.h"
#include "assets/texture/paint.h"
#include "assets/texture/recipes.h"

SurfaceMaps makeBrushedMetal(int size, glm::vec3 colour, float specular, float seed) {
    SurfaceMaps maps = blankMaps(size, 0.0002f);
    paintSurface(
        size,
        [&](float u, float v, glm::vec3& albedo, float& height, float& spec) {
            // Brushing runs along u; tarnish gathers in soft patches.
            // Streaks 64 a tile: four texels apart in the 256-texel sets.
            const float streak = tileNoise2(u, v, 2, 64, seed) * 0.5f + 0.5f;
            const float tarnish = clamp01(tileFbm(u, v, 4, 4, 0.55f, seed + 3.0f) * 0.8f + 0.1f);
            albedo = colour * (0.9f + 0.12f * streak) * (1.0f - 0.25f * tarnish);
            height = streak;
            spec = specular * (0.85f + 0.15f * streak) * (1.0f - 0.4f * tarnish);
        },
        maps.albedo.values.data(), maps.height.values.data(), maps.specular.values.data());
    return maps;
}

SurfaceMaps makeEnamel(int size, glm::vec3 colour, float seed) {
    SurfaceMaps maps = blankMaps(size, 0.0003f);
    paintSurface(
        size,
        [&](float u, float v, glm::vec3& albedo, float& height, float& spec) {
            const float peel = tileFbm(u, v, 16, 3, 0.5f, seed);
            const float chips = tileNoise(u, v, 32, seed + 2.0f);
            albedo = colour * (0.97f + 0.04f * peel);
            height = 0.5f + 0.5f * peel;
            spec = chips > 0.62f ? 0.3f : 0.8f;
        },
        maps.albedo.values.data(), maps.height.values.data(), maps.specular.values.data());
    return maps;
}

SurfaceMaps makeGilding(int size) {
    SurfaceMaps maps = blankMaps(size, 0.002f);
    paintSurface(
        size,
        [&](float u, float v, glm::vec3& albedo, float& height, float& spec) {
            const float relief = tileFbm(u, v, 8, 4, 0.55f, 131.0f) * 0.5f + 0.5f;
            const float rub = smoothstepf(0.45f, 0.75f, relief);
            // Gold wears off the high spots down to the red bole beneath.
            glm::vec3 c = glm::mix(rgb(150, 104, 40), rgb(222, 176, 84), rub);
            c = glm::mix(c, rgb(120, 50, 30), smoothstepf(0.85f, 0.95f, relief) * 0.6f);
            albedo = c;
            height = relief;
            spec = 0.4f + 0.4f * rub;
        },
        maps.albedo.values.data(), maps.height.values.data(), maps.specular.values.data());
    return maps;
}

SurfaceMaps makeCeramic(int size, glm::vec3 colour, float seed) {
    SurfaceMaps maps = blankMaps(size, 0.0002f);
    paintSurface(
        size,
        [&](float u, float v, glm::vec3& albedo, float& height, float& spec) {
            const float pool = tileFbm(u, v, 4, 4, 0.5f, seed);
            const float speck = tileNoise(u, v, 64, seed + 1.0f);
            glm::vec3 c = colour * (0.9f + 0.15f * pool);
            if (speck > 0.55f) c *= 0.7f;
            albedo = c;
            height = 0.5f + 0.3f * pool;
            spec = 0.75f;
        },
        maps.albedo.values.data(), maps.height.values.data(), maps.specular.values.data());
    return maps;
}

SurfaceMaps makeGlow(int size, glm::vec3 colour) {
    SurfaceMaps maps = blankMaps(size, 0.0f);
    // Frosted glass with the light behind it: full strength in the middle of
    // the tile, falling off smoothly to 70 % at the circle that touches the
    // edges' middles, and 70 % beyond it, corners included.
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const float d = glm::length(glm::vec2(maps.albedo.u(x), maps.albedo.v(y)) - 0.5f) * 2.0f;
            maps.albedo.at(x, y) = colour * (1.0f - 0.3f * glm::smoothstep(0.0f, 1.0f, d * d));
        }
    }
    for (float& h : maps.height.values) h = 0.5f;
    for (float& s : maps.specular.values) s = 0.0f;
    return maps;
}
