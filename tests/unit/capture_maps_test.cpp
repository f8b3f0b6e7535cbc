#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "tools/bench/capture_maps.h"

namespace {

// Two rows of two texels, bottom row first as GL returns them.
FloatTexels texels(int channels, std::vector<float> values) { return FloatTexels{2, 2, channels, std::move(values)}; }

TEST(CaptureMaps, RangesStretchPerChannelAndRowsTurnOver) {
    std::vector<ValueRange> ranges;
    const Image image =
        mapPerChannelRange(texels(2, {-4, 10, 0, 10, 4, 20, std::numeric_limits<float>::quiet_NaN(), 30}), ranges);
    ASSERT_EQ(ranges.size(), 2u);
    EXPECT_EQ(ranges[0].min, -4.0f);
    EXPECT_EQ(ranges[0].max, 4.0f);
    EXPECT_EQ(ranges[1].min, 10.0f);
    EXPECT_EQ(ranges[1].max, 30.0f);
    ASSERT_EQ(image.channels, 2);
    // Top row of the picture is the bottom-up second row: (4, 20), (NaN, 30).
    EXPECT_EQ(image.pixels[0], 255);
    EXPECT_EQ(image.pixels[1], 128);
    EXPECT_EQ(image.pixels[2], 0);
    EXPECT_EQ(image.pixels[3], 255);
    EXPECT_EQ(image.pixels[4], 0);    // -4
    EXPECT_EQ(image.pixels[6], 128);  // 0 is mid-range
}

TEST(CaptureMaps, UnitVectorsAndOcclusion) {
    const Image normals = mapSignedUnit(texels(1, {-1, 0, 1, 2}));
    EXPECT_EQ(normals.pixels, (std::vector<std::uint8_t>{255, 255, 0, 128}));
    const Image occlusion = mapUnitGrey(texels(2, {0.5f, 9, 1.0f, 9, -0.5f, 9, 0.25f, 9}));
    EXPECT_EQ(occlusion.channels, 1);
    EXPECT_EQ(occlusion.pixels, (std::vector<std::uint8_t>{0, 64, 128, 255}));
}

TEST(CaptureMaps, ColourAndSpecularFromRgba) {
    const std::vector<std::uint8_t> rgba = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};
    EXPECT_EQ(rgbFromRgba8(rgba, 2, 2).pixels, (std::vector<std::uint8_t>{9, 10, 11, 13, 14, 15, 1, 2, 3, 5, 6, 7}));
    EXPECT_EQ(alphaFromRgba8(rgba, 2, 2).pixels, (std::vector<std::uint8_t>{12, 16, 4, 8}));
}

TEST(CaptureMaps, ShadowFacesFormACross) {
    std::array<FloatTexels, 6> faces;
    for (int f = 0; f < 6; ++f) {
        // 4 x 4 faces of constant depth 0.1 * (f + 1), one texel 1.0 in face 0.
        faces[f] = FloatTexels{4, 4, 1, std::vector<float>(16, 0.1f * (f + 1))};
    }
    faces[0].values[0] = 1.0f;
    ValueRange range;
    const Image cross = shadowCross(faces, 2, range);
    EXPECT_EQ(cross.width, 8);
    EXPECT_EQ(cross.height, 6);
    EXPECT_FLOAT_EQ(range.min, 0.1f);
    EXPECT_FLOAT_EQ(range.max, 1.0f);
    auto at = [&](int x, int y) { return cross.pixels[y * cross.width + x]; };
    EXPECT_EQ(at(0, 0), 0);                                        // empty cell
    EXPECT_EQ(at(2, 2), std::lround((0.5f - 0.1f) / 0.9f * 255));  // +Z in the middle
    EXPECT_EQ(at(0, 2), at(1, 3));                                 // -X is uniform
    EXPECT_EQ(at(2, 0), std::lround((0.3f - 0.1f) / 0.9f * 255));  // +Y at the top
    EXPECT_EQ(at(2, 4), std::lround((0.4f - 0.1f) / 0.9f * 255));  // -Y at the bottom
    EXPECT_EQ(at(6, 2), std::lround((0.6f - 0.1f) / 0.9f * 255));  // -Z at the far right
    // +X in cell (2, 1): its first texel row sits at the top; the 1.0 texel
    // lifts the average of the top-left 2 x 2 block.
    EXPECT_EQ(at(4, 2), std::lround(((1.0f + 3 * 0.1f) / 4 - 0.1f) / 0.9f * 255));
    EXPECT_EQ(at(5, 3), 0);
}

TEST(CaptureMaps, DifferenceOfOcclusionBuffers) {
    const Difference d = compareFirstChannel(texels(1, {0.5f, 0.5f, 0.5f, 0.5f}), texels(1, {0.5f, 0.6f, 0.4f, 0.5f}));
    EXPECT_NEAR(d.mean, 0.05, 1e-6);
    EXPECT_NEAR(d.max, 0.1, 1e-6);
    EXPECT_TRUE(std::isnan(compareFirstChannel(texels(1, {0, 0, 0, 0}), FloatTexels{1, 1, 1, {0}}).mean));
}

}  // namespace

namespace {

TEST(CaptureMaps, OctahedralNormalsDecodeToUnitVectors) {
    // Encodings of +z, -z (folded corner), +x and the cleared background (0, 0).
    const FloatTexels encoded{2, 2, 3, {0, 0, 0, 1, 1, 0, 1, 0, 0, 0, 0, 0}};
    const Image image = mapOctahedralNormals(encoded);
    ASSERT_EQ(image.channels, 3);
    // Top row = second bottom-up row: +x, background (+z).
    EXPECT_EQ(std::vector<std::uint8_t>(image.pixels.begin(), image.pixels.begin() + 6),
              (std::vector<std::uint8_t>{255, 128, 128, 128, 128, 255}));
    // Bottom row: +z, then (1, 1) which folds to -z.
    EXPECT_EQ(std::vector<std::uint8_t>(image.pixels.begin() + 6, image.pixels.end()),
              (std::vector<std::uint8_t>{128, 128, 255, 128, 128, 0}));
}

TEST(CaptureMaps, ChannelRangeSkipsNonFiniteValues) {
    const FloatTexels t{2, 1, 2, {3, -1, std::numeric_limits<float>::infinity(), 5}};
    EXPECT_EQ(channelRange(t, 0).min, 3.0f);
    EXPECT_EQ(channelRange(t, 0).max, 3.0f);
    EXPECT_EQ(channelRange(t, 1).min, -1.0f);
    EXPECT_EQ(channelRange(t, 1).max, 5.0f);
    EXPECT_EQ(channelRange(FloatTexels{1, 1, 1, {std::numeric_limits<float>::quiet_NaN()}}, 0).max, 0.0f);
}

}  // namespace
