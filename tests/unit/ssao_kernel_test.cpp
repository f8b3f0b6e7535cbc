#include <cstring>

#include <gtest/gtest.h>

#include "scene/ssao_kernel.h"

namespace {

void expectVecNear(const glm::vec3& actual, const glm::vec3& expected, float tolerance) {
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
    EXPECT_NEAR(actual.z, expected.z, tolerance);
}

TEST(SsaoUniform, MapsOneDrawIntoTheClosedUnitIntervalInSinglePrecision) {
    EXPECT_EQ(ssaoUniformFromDraw(0u), 0.0f);
    EXPECT_EQ(ssaoUniformFromDraw(0x80000000u), 0.5f);
    // The conversion to float rounds to nearest: the top draws round up to 2^32.
    EXPECT_EQ(ssaoUniformFromDraw(0xFFFFFFFFu), 1.0f);
    EXPECT_EQ(ssaoUniformFromDraw(0xFFFFFF80u), 1.0f);  // a tie, to even
    EXPECT_EQ(ssaoUniformFromDraw(0xFFFFFF7Fu), 0.99999994f);
}

TEST(SsaoKernel, MatchesTheSeededSequence) {
    std::mt19937 engine(5489u);
    const std::vector<glm::vec3> kernel = generateSsaoKernel(engine, kSsaoKernelSize);
    const std::vector<glm::vec3> noise = generateSsaoNoise(engine);
    ASSERT_EQ(kernel.size(), 32u);
    ASSERT_EQ(noise.size(), 16u);
    expectVecNear(kernel[0], {0.0497709f, -0.0447092f, 0.0499634f}, 2e-7f);
    expectVecNear(kernel[31], {0.1423270f, 0.3146245f, 0.1808633f}, 2e-7f);
    expectVecNear(noise[0], {-0.1536698f, 0.7818065f, 0.0f}, 2e-7f);
    expectVecNear(noise[15], {0.9749192f, -0.0534223f, 0.0f}, 2e-7f);
}

TEST(SsaoKernel, IsBitForBitReproducible) {
    std::mt19937 first(5489u);
    std::mt19937 second;  // the default seed is 5489
    const std::vector<glm::vec3> a = generateSsaoKernel(first, kSsaoKernelSize);
    const std::vector<glm::vec3> b = generateSsaoKernel(second, kSsaoKernelSize);
    ASSERT_EQ(a.size(), b.size());
    EXPECT_EQ(std::memcmp(a.data(), b.data(), a.size() * sizeof(glm::vec3)), 0);
}

TEST(SsaoKernel, FillsTheHemisphereCrowdingTowardsTheCentre) {
    std::mt19937 engine(5489u);
    const std::vector<glm::vec3> kernel = generateSsaoKernel(engine, kSsaoKernelSize);
    for (unsigned int i = 0; i < kernel.size(); ++i) {
        const float t = static_cast<float>(i) / 32.0f;
        EXPECT_GE(kernel[i].z, 0.0f) << "sample " << i;
        EXPECT_LE(glm::length(kernel[i]), 0.1f + 0.9f * t * t + 1e-6f) << "sample " << i;
    }
    EXPECT_LE(glm::length(kernel[0]), 0.1f + 1e-7f);
}

TEST(SsaoNoise, ContinuesTheKernelsEngineWithTwoDrawsPerValue) {
    // The kernel takes exactly four draws per sample; the noise goes on from there.
    std::mt19937 afterKernel(5489u);
    generateSsaoKernel(afterKernel, kSsaoKernelSize);
    std::mt19937 skipped(5489u);
    skipped.discard(4 * kSsaoKernelSize);
    const std::vector<glm::vec3> a = generateSsaoNoise(afterKernel);
    const std::vector<glm::vec3> b = generateSsaoNoise(skipped);
    EXPECT_EQ(std::memcmp(a.data(), b.data(), a.size() * sizeof(glm::vec3)), 0);
    EXPECT_EQ(afterKernel, skipped) << "the noise must take exactly 32 draws";

    for (const glm::vec3& v : a) {
        EXPECT_GE(v.x, -1.0f);
        EXPECT_LE(v.x, 1.0f);
        EXPECT_GE(v.y, -1.0f);
        EXPECT_LE(v.y, 1.0f);
        EXPECT_EQ(v.z, 0.0f);
    }
}

}  // namespace
