#include <cmath>

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
