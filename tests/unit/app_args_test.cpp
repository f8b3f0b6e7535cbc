#include <gtest/gtest.h>

#include "app/args.h"
#include "app/frame_clock.h"

namespace {

// The parsed value, or -1 when rejected.
int dimension(const char* text) {
    int value = -1;
    std::string error;
    return parseWindowDimension("width", text, value, error) ? value : -1;
}

TEST(WindowDimension, AcceptsOnlyPositiveDecimalIntegers) {
    EXPECT_EQ(dimension("1280"), 1280);
    EXPECT_EQ(dimension("1"), 1);
    EXPECT_EQ(dimension("2147483647"), 2147483647);
    for (const char* bad :
         {"", "0", "-5", "+5", "12a", "abc", " 12", "12 ", "1e3", "2147483648", "99999999999999999999", "0x10"}) {
        EXPECT_EQ(dimension(bad), -1) << "'" << bad << "'";
    }
    EXPECT_EQ(dimension(nullptr), -1);
}

TEST(WindowDimension, MessagesNameTheBadValueAndTheLimit) {
    int value = 0;
    std::string error;
    EXPECT_FALSE(parseWindowDimension("height", "-3", value, error));
    EXPECT_EQ(error, "Invalid window height: '-3' (expected a positive integer)");
    EXPECT_TRUE(checkRenderSize(800, 600, {16384, 16384, 8192, 16384}, error));
    EXPECT_FALSE(checkRenderSize(9000, 600, {16384, 16384, 8192, 16384}, error));
    EXPECT_EQ(error, "Window size too large: 9000x600 exceeds the OpenGL limit of 8192x8192");
    EXPECT_FALSE(checkRenderSize(100, 5000, {16384, 4096, 16384, 16384}, error));
}

TEST(FrameClock, RateIsTruncatedAndDeltaIsSeconds) {
    // 16.9 ms at a 1 MHz counter prints 59, not 60.
    const FrameTiming t = measureFrame(1000, 1000 + 16900, 1000000);
    EXPECT_EQ(t.framesPerSecond, 59u);
    EXPECT_NEAR(t.deltaTime, 0.0169f, 1e-6f);
}

TEST(FrameClock, StalledOrBackwardsCounterIsNotADivisionByZero) {
    const FrameTiming same = measureFrame(5000, 5000, 1000000000);
    EXPECT_EQ(same.framesPerSecond, 1000000000u);
    EXPECT_GT(same.deltaTime, 0.0f);
    const FrameTiming back = measureFrame(5000, 10, 1000);
    EXPECT_EQ(back.framesPerSecond, 1000u);
    const FrameTiming huge = measureFrame(0, 1, 18446744073709551615ull);
    EXPECT_EQ(huge.framesPerSecond, 18000000000000000000ull);
}

}  // namespace
