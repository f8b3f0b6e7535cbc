#include <cmath>

#include "assets/texture/noise.h"
#include "assets/texture/paint.h"
#include "assets/texture/recipes.h"

namespace {
constexpr float kTwoPi = 6.28318530718f;
}

SurfaceMaps makePlaster(int size, glm::vec3 colour, float seed) {
    SurfaceMaps maps = blankMaps(size, 0.0015f);
    paintSurface(
        size,
        [&](float u, float v, glm::vec3& albedo, float& height, float& spec) {
            const float cloud = tileFbm(u, v, 2, 5, 0.55f, seed);
            const float trowel = tileFbm(u, v, 8, 3, 0.5f, seed + 2.0f);
            const float grit = tileNoise(u, v, 128, seed + 4.0f);
            albedo = colour * (0.95f + 0.07f * cloud + 0.025f * grit);
            height = clamp01(0.5f + 0.3f * trowel + 0.12f * grit);
            spec = 0.04f + 0.03f * (trowel * 0.5f + 0.5f);
        },
        maps.albedo.values.data(), maps.height.values.data(), maps.specular.values.data());
    return maps;
}

SurfaceMaps makeMarble(int size) {
    SurfaceMaps maps = blankMaps(size, 0.0005f);
    paintSurface(
        size,
        [&](float u, float v, glm::vec3& albedo, float& height, float& spec) {
            const float turb = tileTurbulence(u, v, 2, 6, 0.55f, 71.0f);
            // (2u + v) keeps the veins periodic over the tile.
            const float vein = std::sin((2.0f * u + v) * kTwoPi + turb * 9.0f);
            const float fine =
                std::sin((u - 2.0f * v) * kTwoPi * 2.0f + tileTurbulence(u, v, 4, 5, 0.5f, 73.0f) * 12.0f);
            const float veinMask = std::pow(1.0f - std::fabs(vein), 10.0f);
            const float fineMask = std::pow(1.0f - std::fabs(fine), 8.0f);
            const float cloud = tileFbm(u, v, 4, 4, 0.5f, 79.0f);
            glm::vec3 c = glm::mix(rgb(236, 230, 218), rgb(214, 205, 190), 0.5f + 0.5f * cloud);
            c = glm::mix(c, rgb(118, 112, 108), veinMask * 0.75f);
            c = glm::mix(c, rgb(150, 140, 128), fineMask * 0.5f);
            albedo = c;
            height = 0.5f + 0.1f * cloud - 0.2f * veinMask;
            spec = 0.55f - 0.15f * veinMask;
        },
        maps.albedo.values.data(), maps.height.values.data(), maps.specular.values.data());
    return maps;
}

SurfaceMaps makeBrick(int size) {
    // 8 courses of 4 bricks per tile, running bond.
    constexpr int kCourses = 8;
    constexpr int kBricks = 4;
    SurfaceMaps maps = blankMaps(size, 0.012f);
    paintSurface(
        size,
        [&](float u, float v, glm::vec3& albedo, float& height, float& spec) {
            const float cv = v * kCourses;
            const int course = static_cast<int>(cv);
            const float fv = cv - static_cast<float>(course);
            const float cu = fract(u + (course % 2 ? 0.5f / kBricks : 0.0f)) * kBricks;
            const int brick = static_cast<int>(cu);
            const float fu = cu - static_cast<float>(brick);
            const float mortarU = std::min(fu, 1.0f - fu) * 0.25f * kCourses / kBricks;
            const float mortarV = std::min(fv, 1.0f - fv) * 0.25f;
            const float edge = std::min(mortarU, mortarV);
            // Joints about 3.8 texels wide at half their depth in the 128-texel set.
            const float mortar = 1.0f - smoothstepf(0.02f, 0.04f, edge);
            const float id = hash01(brick, course, 83);
            const float pits = tileFbm(u, v, 16, 3, 0.5f, 89.0f);
            const float soot = clamp01(0.55f + 0.6f * tileFbm(u, v, 2, 4, 0.5f, 97.0f));
            glm::vec3 c = glm::mix(rgb(128, 58, 38), rgb(96, 44, 32), id) * (0.9f + 0.15f * pits);
            c = glm::mix(c, rgb(120, 112, 100), mortar);
            albedo = glm::mix(c, rgb(18, 15, 13), soot * 0.8f);
            height = (1.0f - mortar) * (0.8f + 0.2f * pits);
            spec = 0.05f;
        },
        maps.albedo.values.data(), maps.height.values.data(), maps.specular.values.data());
    return maps;
}
