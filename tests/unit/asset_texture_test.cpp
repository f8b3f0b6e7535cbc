#include <algorithm>
#include <cmath>
#include <vector>

#include <gtest/gtest.h>

#include "assets/generate.h"
#include "assets/scene/material_library.h"
#include "assets/texture/noise.h"

TEST(TextureNoise, RepeatsOverTheUnitSquare) {
    for (float v : {0.0f, 0.3f, 0.71f}) {
        EXPECT_NEAR(tileFbm(0.0f, v, 4, 5, 0.5f, 3.0f), tileFbm(1.0f, v, 4, 5, 0.5f, 3.0f), 1e-5f);
        EXPECT_NEAR(tileNoise2(v, 0.0f, 2, 64, 1.0f), tileNoise2(v, 1.0f, 2, 64, 1.0f), 1e-5f);
        EXPECT_NEAR(tileTurbulence(v, 0.25f, 8, 3, 0.5f, 2.0f), tileTurbulence(v + 1.0f, 0.25f, 8, 3, 0.5f, 2.0f),
                    1e-5f);
    }
    // Different seeds give different fields.
    EXPECT_NE(tileFbm(0.37f, 0.52f, 4, 4, 0.5f, 1.0f), tileFbm(0.37f, 0.52f, 4, 4, 0.5f, 2.0f));
}

TEST(TextureMaps, NormalMapTiltsAwayFromRisingHeight) {
    // Height rises towards +u (right) in the left half and towards +v (image up) in the right half.
    ScalarField height(64);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            height.at(x, y) = x < 32 ? 0.01f * static_cast<float>(x) : 0.01f * static_cast<float>(63 - y);
    const Image normal = normalMapFromHeight(height, 1.0f, 64.0f);
    ASSERT_EQ(normal.channels, 3);
    auto texel = [&](int x, int y, int c) {
        return static_cast<int>(normal.pixels[(static_cast<std::size_t>(y) * 64 + x) * 3 + c]);
    };
    // Slope 0.01 per texel: the normal leans to -u, z stays near 1.
    EXPECT_LT(texel(16, 20, 0), 127);
    EXPECT_NEAR(texel(16, 20, 1), 128, 1);
    EXPECT_GT(texel(16, 20, 2), 250);
    EXPECT_NEAR(texel(48, 20, 0), 128, 1);
    EXPECT_LT(texel(48, 20, 1), 127);
    // The depth map is the height turned upside down.
    const Image depth = depthMapFromHeight(height);
    EXPECT_EQ(depth.channels, 1);
    EXPECT_EQ(depth.pixels[10], 255 - static_cast<int>(std::lround(height.at(10, 0) * 255.0f)));
}

TEST(TextureSets, EveryMaterialHasASetAndSetsRenderAtTheirSize) {
    for (const MaterialDef& m : materialDefs()) EXPECT_NO_THROW(findTextureSet(m.textureSet)) << m.name;
    for (const TextureSetDef& set : textureSetDefs()) {
        EXPECT_TRUE(set.size >= 64 && set.size <= set.drawnSize && set.drawnSize % set.size == 0) << set.name;
        const SurfaceMaps maps = renderTextureSet(set.name, 16);
        EXPECT_EQ(maps.albedo.size, 16) << set.name;
        EXPECT_FLOAT_EQ(maps.texSize, set.texSize) << set.name;
        for (float h : maps.height.values) {
            EXPECT_GE(h, 0.0f) << set.name;
            EXPECT_LE(h, 1.0f) << set.name;
        }
    }
    EXPECT_THROW(findMaterial("no such material"), std::invalid_argument);
}

namespace {

// The height field of a set at the size it is written at.
ScalarField finalHeight(const std::string& name) {
    const TextureSetDef& def = findTextureSet(name);
    const int drawn = std::max(def.size, def.drawnSize);
    return downsampled(renderTextureSet(name, drawn).height, drawn / def.size);
}

// Lengths of the runs of marked texels along every row and column, each run
// with the smallest value of the field's measure inside it. Lines wrap, as
// the textures do; a line marked all along has no run.
struct MarkedRun {
    int length;
    float extreme;
};
template <typename Marked, typename Measure>
std::vector<MarkedRun> runs(int n, Marked marked, Measure measure) {
    std::vector<MarkedRun> found;
    for (int line = 0; line < n; ++line)
        for (bool alongRows : {true, false}) {
            auto at = [&](int i, auto f) {
                return alongRows ? f(((i % n) + n) % n, line) : f(line, ((i % n) + n) % n);
            };
            int start = 0;
            while (start < n && at(start, marked)) ++start;
            if (start == n) continue;
            for (int i = start; i < start + n; ++i) {
                if (!at(i, marked) || at(i - 1, marked)) continue;
                MarkedRun run{0, 1e30f};
                for (int j = i; at(j, marked); ++j) {
                    ++run.length;
                    run.extreme = std::min(run.extreme, at(j, measure));
                }
                found.push_back(run);
            }
        }
    return found;
}

}  // namespace

TEST(TextureSets, JointsAndChamfersAreAtLeastThreeTexelsWide) {
    // Without mipmaps a pixel that spans a texel or two reads a thin line only
    // now and then: it breaks into dots that crawl. Grooves between boards,
    // bricks and in beams are at least three texels wide at half their depth
    // (where they reach their full depth), in the maps as written.
    for (const char* name : {"floor_planks", "brick", "timber"}) {
        const ScalarField h = finalHeight(name);
        std::vector<float> sorted = h.values;
        std::sort(sorted.begin(), sorted.end());
        const float bottom = sorted.front();
        const float surface = sorted[sorted.size() / 2];
        const float half = (bottom + surface) / 2.0f;
        int crossings = 0;
        for (const MarkedRun& run : runs(
                 h.size, [&](int x, int y) { return h.at(x, y) < half; }, [&](int x, int y) { return h.at(x, y); })) {
            if (run.extreme > bottom + 0.1f * (surface - bottom)) continue;  // not at full depth
            ++crossings;
            EXPECT_GE(run.length, 3) << name;
        }
        EXPECT_GT(crossings, 0) << name;
    }
    // The panelling's raised frame: its chamfers are at least three texels
    // wide where they are at least half as steep as the steepest.
    const ScalarField h = finalHeight("panelling");
    auto slope = [&](int x, int y) {
        return std::max(std::fabs(h.wrapped(x + 1, y) - h.wrapped(x - 1, y)),
                        std::fabs(h.wrapped(x, y + 1) - h.wrapped(x, y - 1)));
    };
    float steepest = 0.0f;
    for (int y = 0; y < h.size; ++y)
        for (int x = 0; x < h.size; ++x) steepest = std::max(steepest, slope(x, y));
    const std::vector<MarkedRun> chamfers = runs(
        h.size, [&](int x, int y) { return slope(x, y) >= steepest / 2.0f; }, [&](int, int) { return 0.0f; });
    ASSERT_FALSE(chamfers.empty());
    for (const MarkedRun& run : chamfers) EXPECT_GE(run.length, 3);
}
