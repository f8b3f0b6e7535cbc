// The screenshot judgements the end-to-end tests rely on, on pictures with a
// known answer: a view that moved must read as that move, a view whose light
// changed must read as still.
#include <cmath>
#include <cstdint>
#include <functional>
#include <random>

#include <gtest/gtest.h>

#include "tests/e2e/picture.h"

namespace {

constexpr int kWidth = 160;
constexpr int kHeight = 120;

// A "room": overlapping boxes of different greys and colours, like furniture
// and walls at the test window's size. Coordinates are continuous, so the
// same world can be drawn moved or scaled.
struct Box {
    float x0, y0, x1, y1;
    std::uint8_t r, g, b;
};

std::vector<Box> makeWorld() {
    std::mt19937 random(7);
    std::uniform_real_distribution<float> position(-60.0f, 220.0f);
    std::uniform_real_distribution<float> extent(4.0f, 40.0f);
    std::uniform_int_distribution<int> colour(20, 235);
    std::vector<Box> boxes;
    for (int i = 0; i < 150; ++i) {
        const float x = position(random), y = position(random) * 0.75f;
        boxes.push_back({x, y, x + extent(random), y + extent(random), static_cast<std::uint8_t>(colour(random)),
                         static_cast<std::uint8_t>(colour(random)), static_cast<std::uint8_t>(colour(random))});
    }
    return boxes;
}

// Draws the world as seen after a view change: content at p appears at
// centre + scale * (p - centre) + shift; light scales each pixel's colour.
Picture draw(
    const std::vector<Box>& world, float dx, float dy, float scale,
    const std::function<float(int, int)>& light = [](int, int) { return 1.0f; }) {
    Picture picture{kWidth, kHeight, std::vector<std::uint8_t>(kWidth * kHeight * 3, 40)};
    const float cx = 0.5f * (kWidth - 1), cy = 0.5f * (kHeight - 1);
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            const float wx = cx + (static_cast<float>(x) - dx - cx) / scale;
            const float wy = cy + (static_cast<float>(y) - dy - cy) / scale;
            std::uint8_t* out = &picture.rgb[(static_cast<std::size_t>(y) * kWidth + x) * 3];
            for (const Box& b : world) {
                if (wx >= b.x0 && wx < b.x1 && wy >= b.y0 && wy < b.y1) {
                    const float l = light(x, y);
                    out[0] = static_cast<std::uint8_t>(std::min(255.0f, b.r * l));
                    out[1] = static_cast<std::uint8_t>(std::min(255.0f, b.g * l));
                    out[2] = static_cast<std::uint8_t>(std::min(255.0f, b.b * l));
                }
            }
        }
    }
    return picture;
}

TEST(ViewMotion, ReadsShiftsAndGrowthAsTheyAre) {
    const std::vector<Box> world = makeWorld();
    const Picture before = draw(world, 0, 0, 1);
    struct Case {
        float dx, dy, scale;
    };
    for (const Case& c : {Case{12, 0, 1}, Case{-20, 0, 1}, Case{0, 9, 1}, Case{0, -25, 1}, Case{0, 0, 1.12f},
                          Case{0, 0, 0.9f}, Case{6, -4, 1.06f}}) {
        const ViewMotion m = estimateViewMotion(before, draw(world, c.dx, c.dy, c.scale));
        EXPECT_NEAR(m.dx, c.dx, 1.5f) << describe(m);
        EXPECT_NEAR(m.dy, c.dy, 1.5f) << describe(m);
        EXPECT_NEAR(m.scale, c.scale, 0.02f) << describe(m);
        EXPECT_FALSE(isStill(m));
        EXPECT_GT(m.match, m.stillMatch);
    }
}

TEST(ViewMotion, ChangedLightIsNotAMove) {
    const std::vector<Box> world = makeWorld();
    const Picture before = draw(world, 0, 0, 1);
    // A light that moved: one side brighter, the other darker, and a pool of
    // light that was not there before.
    const Picture relit = draw(world, 0, 0, 1, [](int x, int y) {
        const float pool = std::exp(-((x - 110.0f) * (x - 110.0f) + (y - 80.0f) * (y - 80.0f)) / 800.0f);
        return 0.6f + 0.6f * static_cast<float>(x) / kWidth + 0.8f * pool;
    });
    const ViewMotion m = estimateViewMotion(before, relit);
    EXPECT_TRUE(isStill(m)) << describe(m);
}

TEST(PictureMeasures, TellABlankWindowFromARoom) {
    const Picture room = draw(makeWorld(), 0, 0, 1);
    Picture black{kWidth, kHeight, std::vector<std::uint8_t>(kWidth * kHeight * 3, 0)};
    Picture white{kWidth, kHeight, std::vector<std::uint8_t>(kWidth * kHeight * 3, 255)};
    EXPECT_GT(detail(room), 0.01f);
    EXPECT_EQ(detail(black), 0.0f);
    EXPECT_EQ(detail(white), 0.0f);
    EXPECT_EQ(litFraction(black, 0.08f), 0.0f);
    EXPECT_EQ(litFraction(white, 0.08f), 1.0f);
    EXPECT_NEAR(meanLuminance(white), 1.0f, 1e-5f);
}

}  // namespace
