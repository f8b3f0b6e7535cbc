#include <string>

#include <gtest/gtest.h>

#include "model/texture_budget.h"

namespace {

TEST(TextureBudget, OneImageUpTo64MiPixelsAndAllTogetherWithinTheTotal) {
    std::string error;
    EXPECT_TRUE(texturePixelsFit(8192, 8192, error));
    EXPECT_FALSE(texturePixelsFit(8192, 8193, error));
    EXPECT_EQ(error, "8192 x 8193 is 67117056 pixels, above the limit of 67108864 for one image");

    TextureBudget budget(100u << 20);
    EXPECT_TRUE(budget.reserve(60u << 20, error));
    EXPECT_FALSE(budget.reserve(50u << 20, error));
    EXPECT_EQ(error, "needs 50 MiB while 60 MiB of the 100 MiB for all textures are in use");
    budget.release(60u << 20);
    EXPECT_TRUE(budget.reserve(50u << 20, error));
    EXPECT_EQ(budget.used(), 50u << 20);
}

}  // namespace
