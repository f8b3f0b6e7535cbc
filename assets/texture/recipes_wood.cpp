#include <cmath>

#include "assets/texture/noise.h"
#include "assets/texture/paint.h"
#include "assets/texture/recipes.h"

SurfaceMaps blankMaps(int size, float bumpDepth) {
    SurfaceMaps maps;
    maps.albedo = ColorField(size);
    maps.height = ScalarField(size);
    maps.specular = ScalarField(size);
    maps.bumpDepth = bumpDepth;
    return maps;
}

namespace {

// Growth rings seen on a sawn face: bands across v, warped by noise.
float ringPattern(float u, float v, int ringsPerTile, float seed) {
    const float warp = tileFbm(u, v, 2, 3, 0.5f, seed) * 1.6f + tileNoise2(u, v, 1, 8, seed + 3.0f) * 0.35f;
    const float r = fract(v * static_cast<float>(ringsPerTile) + warp);
    return smoothstepf(0.55f, 0.95f, r) * (1.0f - smoothstepf(0.95f, 1.0f, r));
}

}  // namespace

SurfaceMaps makeFloorPlanks(int size) {
    // 12 boards across, each 0.2 units wide; two board lengths per tile, joints staggered.
    constexpr int kColumns = 12;
    constexpr int kBoardsPerColumn = 2;
    // Each board's bevelled edge, as a share of the tile: 1.6 texels of the
    // 512-texel set, so a joint is 3.2 texels wide at half its depth and
    // stays whole when a pixel spans a texel or two.
    constexpr float kEdge = 1.6f / 512.0f;
    SurfaceMaps maps = blankMaps(size, 0.004f);
    const float gapU = kEdge * kColumns;
    const float gapV = kEdge * kBoardsPerColumn;
    paintSurface(
        size,
        [&](float u, float v, glm::vec3& albedo, float& height, float& spec) {
            const float cu = u * kColumns;
            const int column = static_cast<int>(cu);
            const float fu = cu - static_cast<float>(column);
            const float bv = fract(v + hash01(column, 11)) * kBoardsPerColumn;
            const int board = static_cast<int>(bv);
            const float fv = bv - static_cast<float>(board);
            const float id = hash01(column, board, 5);
            const float id2 = hash01(column, board, 9);
            // Grain runs along the board (v); each board shows its own slice of it.
            const float grain = tileNoise2(u, v, 64, 4, 2.0f + id * 50.0f) * 0.5f + 0.5f;
            const float rings = ringPattern(v + id, u * 2.0f + id2, 6, 10.0f + id * 20.0f);
            glm::vec3 base = glm::mix(rgb(168, 112, 62), rgb(132, 84, 44), id);
            base *= 0.9f + 0.2f * id2;
            glm::vec3 c = base * (0.86f + 0.2f * grain);
            c = glm::mix(c, c * 0.72f, rings * 0.5f);
            const float wear = tileFbm(u, v, 4, 4, 0.55f, 31.0f) * 0.5f + 0.5f;
            c *= 0.92f + 0.12f * wear;
            // Seams between boards: a soft dark groove between bevelled edges.
            const float edge = std::min(std::min(fu, 1.0f - fu) / gapU, std::min(fv, 1.0f - fv) / gapV);
            const float seam = 1.0f - smoothstepf(0.4f, 1.6f, edge);
            albedo = glm::mix(c, rgb(28, 18, 10), seam * 0.75f);
            height = (1.0f - seam) * (0.85f + 0.1f * grain - 0.05f * rings);
            spec = (0.28f + 0.18f * wear - 0.1f * rings) * (1.0f - seam);
        },
        maps.albedo.values.data(), maps.height.values.data(), maps.specular.values.data());
    return maps;
}

SurfaceMaps makeWood(int size, glm::vec3 light, glm::vec3 dark, float seed) {
    SurfaceMaps maps = blankMaps(size, 0.0008f);
    paintSurface(
        size,
        [&](float u, float v, glm::vec3& albedo, float& height, float& spec) {
            const float rings = ringPattern(v, u, 10, seed);
            // Fibres at most 64 a tile: four texels apart in the 256-texel sets.
            const float fibre = tileNoise2(u, v, 8, 64, seed + 5.0f) * 0.5f + 0.5f;
            const float figure = tileFbm(u, v, 4, 3, 0.5f, seed + 9.0f) * 0.5f + 0.5f;
            glm::vec3 c = glm::mix(light, dark, 0.25f + 0.5f * figure);
            c = glm::mix(c, dark * 0.7f, rings * 0.65f);
            c *= 0.88f + 0.2f * fibre;
            albedo = c;
            height = 0.6f + 0.25f * fibre - 0.2f * rings;
            spec = 0.35f + 0.15f * figure - 0.1f * rings;
        },
        maps.albedo.values.data(), maps.height.values.data(), maps.specular.values.data());
    return maps;
}

SurfaceMaps makePanelling(int size, glm::vec3 light, glm::vec3 dark, float seed, const PanelLayout& layout) {
    // The wood of the furniture, with the frame's relief added to its height:
    // the stiles and the top rail stand out of the boards by layout.relief.
    SurfaceMaps maps = makeWood(size, light, dark, seed);
    const float grainScale = maps.bumpDepth / layout.relief;
    maps.bumpDepth = layout.relief;
    const float halfStile = 0.5f * layout.stileWidth / layout.bayWidth;
    const float railLow = layout.railBottom / layout.bayWidth, railHigh = layout.railTop / layout.bayWidth;
    // A chamfer on each edge of the frame, 6 texels of the 256-texel set at
    // a bay of 1.2 units, so that its slope is over three texels wide at
    // half its steepest: narrower, it breaks into dots once a pixel spans a
    // texel or two.
    const float ramp = 0.028f / layout.bayWidth;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const float u = maps.height.u(x), v = maps.height.v(y);
            const float stile = 1.0f - smoothstepf(halfStile - ramp, halfStile, std::min(u, 1.0f - u));
            const float rail =
                smoothstepf(railLow - ramp, railLow, v) * (1.0f - smoothstepf(railHigh, railHigh + ramp, v));
            const float raised = std::max(stile, rail);
            float& h = maps.height.at(x, y);
            h = 0.1f + 0.8f * raised + h * grainScale;
            // The boards sit back in the frame's shade, darkest along its edges.
            const float toFrame = std::min(std::min(u, 1.0f - u) - halfStile, std::fabs(v - railLow)) * layout.bayWidth;
            const float shade = 1.0f - 0.35f * (1.0f - smoothstepf(0.0f, 0.015f, toFrame));
            maps.albedo.at(x, y) *= glm::mix(0.9f * shade, 1.0f, raised);
        }
    return maps;
}

SurfaceMaps makeTimber(int size) {
    SurfaceMaps maps = blankMaps(size, 0.006f);
    paintSurface(
        size,
        [&](float u, float v, glm::vec3& albedo, float& height, float& spec) {
            const float rings = ringPattern(v, u, 5, 41.0f);
            const float fibre = tileNoise2(u, v, 4, 128, 43.0f) * 0.5f + 0.5f;
            const float adze = tileFbm(u, v, 4, 4, 0.5f, 47.0f);
            // Drying cracks running along the beam, about three texels of the
            // 512-texel set wide at half their depth, fewer than they are long.
            const float crackLine = std::fabs(tileNoise2(u, v, 2, 16, 53.0f));
            const float crack = (1.0f - smoothstepf(0.05f, 0.2f, crackLine)) *
                                smoothstepf(0.3f, 0.65f, tileNoise(u, v, 4, 59.0f) * 0.5f + 0.5f);
            glm::vec3 c = glm::mix(rgb(122, 86, 54), rgb(78, 52, 32), 0.5f + 0.5f * adze);
            c = glm::mix(c, c * 0.65f, rings * 0.6f);
            c *= 0.85f + 0.25f * fibre;
            albedo = glm::mix(c, rgb(25, 16, 10), crack * 0.8f);
            height = (0.55f + 0.2f * fibre + 0.25f * adze) * (1.0f - 0.9f * crack);
            spec = 0.12f + 0.06f * fibre;
        },
        maps.albedo.values.data(), maps.height.values.data(), maps.specular.values.data());
    return maps;
}

SurfaceMaps makeBark(int size) {
    SurfaceMaps maps = blankMaps(size, 0.01f);
    paintSurface(
        size,
        [&](float u, float v, glm::vec3& albedo, float& height, float& spec) {
            // Furrows run along the log (v), broken up by noise.
            const float ridge = 1.0f - std::fabs(tileNoise2(u, v, 16, 2, 61.0f));
            const float plates = tileFbm(u, v, 8, 3, 0.5f, 67.0f) * 0.5f + 0.5f;
            const float h = clamp01(std::pow(ridge, 3.0f) * 0.7f + plates * 0.3f);
            albedo = glm::mix(rgb(40, 30, 22), rgb(112, 96, 80), h) * (0.9f + 0.2f * plates);
            height = h;
            spec = 0.05f;
        },
        maps.albedo.values.data(), maps.height.values.data(), maps.specular.values.data());
    return maps;
}
