#include <cmath>

#include "assets/texture/noise.h"
#include "assets/texture/paint.h"
#include "assets/texture/recipes.h"

namespace {
constexpr float kPi = 3.14159265359f;
}

SurfaceMaps makeFabric(int size, glm::vec3 colour, float seed, int threads) {
    // A plain weave of the given threads per tile each way.
    const float count = static_cast<float>(threads);
    SurfaceMaps maps = blankMaps(size, 0.0006f);
    paintSurface(
        size,
        [&](float u, float v, glm::vec3& albedo, float& height, float& spec) {
            const float tu = u * count, tv = v * count;
            const float across = std::sin(kPi * fract(tu));
            const float along = std::sin(kPi * fract(tv));
            const bool warpOnTop = (static_cast<int>(tu) + static_cast<int>(tv)) % 2 == 0;
            const float h = warpOnTop ? across * (0.55f + 0.45f * along) : along * (0.55f + 0.45f * across);
            const float slub = tileNoise2(u, v, 64, 4, seed) * 0.5f + 0.5f;
            const float fade = tileFbm(u, v, 2, 4, 0.5f, seed + 3.0f);
            albedo = colour * (0.72f + 0.3f * h) * (0.94f + 0.08f * slub + 0.06f * fade);
            height = h;
            spec = 0.03f + 0.04f * h;
        },
        maps.albedo.values.data(), maps.height.values.data(), maps.specular.values.data());
    return maps;
}

SurfaceMaps makeRug(int size) {
    SurfaceMaps maps = blankMaps(size, 0.003f);
    const glm::vec3 field = rgb(128, 26, 24);
    const glm::vec3 navy = rgb(26, 36, 72);
    const glm::vec3 cream = rgb(222, 206, 168);
    const glm::vec3 gold = rgb(196, 146, 58);
    const glm::vec3 teal = rgb(38, 96, 96);
    paintSurface(
        size,
        [&](float u, float v, glm::vec3& albedo, float& height, float& spec) {
            const float edge = std::min(std::min(u, 1.0f - u), std::min(v, 1.0f - v));
            const float du = std::fabs(u - 0.5f), dv = std::fabs(v - 0.5f);
            glm::vec3 c = field;
            if (edge < 0.012f) {
                c = navy * 0.7f;
            } else if (edge < 0.1f) {
                // Border: a band of diamonds along the edge.
                const float along = (std::fabs(u - 0.5f) > std::fabs(v - 0.5f)) ? v : u;
                const float across = (edge - 0.012f) / 0.088f;
                const float d = std::fabs(fract(along * 14.0f) - 0.5f) * 2.0f + std::fabs(across - 0.5f) * 2.0f;
                c = d < 0.55f ? (d < 0.3f ? gold : cream) : navy;
                if (across < 0.08f || across > 0.92f) c = cream;
            } else if (edge < 0.115f) {
                c = gold;
            } else {
                // Field: a stepped medallion and a lattice of small motifs.
                const float diamond = du + dv;
                const float lattice = std::fabs(fract(u * 9.0f) - 0.5f) + std::fabs(fract(v * 9.0f) - 0.5f);
                if (lattice < 0.12f)
                    c = cream;
                else if (lattice < 0.18f)
                    c = teal;
                if (diamond < 0.3f) c = navy;
                if (diamond < 0.3f && diamond > 0.27f) c = cream;
                if (diamond < 0.2f) c = field;
                if (diamond < 0.2f && diamond > 0.18f) c = gold;
                if (diamond < 0.09f) c = gold;
                if (diamond < 0.05f) c = navy;
            }
            // Tufts eight texels apart in the 1024-texel set, gently raised.
            const float pile = tileNoise(u, v, 128, 101.0f) * 0.5f + 0.5f;
            const float wear = tileFbm(u, v, 4, 4, 0.5f, 103.0f);
            albedo = c * (0.82f + 0.2f * pile) * (0.95f + 0.08f * wear);
            height = 0.7f + 0.3f * pile;
            spec = 0.02f;
        },
        maps.albedo.values.data(), maps.height.values.data(), maps.specular.values.data());
    return maps;
}

SurfaceMaps makeLeather(int size) {
    SurfaceMaps maps = blankMaps(size, 0.0015f);
    paintSurface(
        size,
        [&](float u, float v, glm::vec3& albedo, float& height, float& spec) {
            const float creases = tileTurbulence(u, v, 16, 3, 0.5f, 107.0f);
            const float grain = tileNoise(u, v, 64, 109.0f) * 0.5f + 0.5f;
            const float patina = tileFbm(u, v, 2, 4, 0.5f, 113.0f);
            const float crease = 1.0f - smoothstepf(0.02f, 0.12f, creases);
            glm::vec3 c = glm::mix(rgb(104, 50, 26), rgb(70, 32, 16), 0.5f + 0.5f * patina);
            c *= 0.9f + 0.12f * grain;
            albedo = glm::mix(c, c * 0.55f, crease);
            height = 0.7f + 0.15f * grain - 0.6f * crease;
            spec = 0.32f + 0.12f * patina - 0.2f * crease;
        },
        maps.albedo.values.data(), maps.height.values.data(), maps.specular.values.data());
    return maps;
}
