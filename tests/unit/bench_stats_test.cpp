#include <cmath>
#include <vector>

#include <gtest/gtest.h>

#include "tools/bench/memory.h"
#include "tools/bench/stats.h"

namespace {

TEST(BenchStats, OrderStatisticsOfAKnownSequence) {
    // 1..100 ms shuffled: the rank of p is p/100 * 99 between neighbours.
    std::vector<double> samples;
    for (int i = 100; i >= 1; --i) samples.push_back((i * 37) % 101);  // a permutation of 1..100
    const Summary s = summarize(samples);
    EXPECT_EQ(s.count, 100u);
    EXPECT_DOUBLE_EQ(s.min, 1.0);
    EXPECT_DOUBLE_EQ(s.max, 100.0);
    EXPECT_DOUBLE_EQ(s.median, 50.5);
    EXPECT_DOUBLE_EQ(s.p95, 95.05);
    EXPECT_DOUBLE_EQ(s.p99, 99.01);
    EXPECT_DOUBLE_EQ(s.mean, 50.5);
}

TEST(BenchStats, MedianOfOddAndEvenCountsAndOutliers) {
    EXPECT_DOUBLE_EQ(summarize({30, 10, 20}).median, 20.0);
    EXPECT_DOUBLE_EQ(summarize({40, 10, 30, 20}).median, 25.0);
    // One long frame (a hitch) moves the maximum and the tail, not the median.
    const Summary s = summarize({16, 16, 17, 16, 250, 16, 17, 16, 16, 17});
    EXPECT_DOUBLE_EQ(s.median, 16.0);
    EXPECT_DOUBLE_EQ(s.max, 250.0);
    EXPECT_GT(s.p99, 200.0);
    EXPECT_LT(s.p95, s.p99);
}

TEST(BenchStats, DegenerateSeries) {
    const Summary empty = summarize({});
    EXPECT_EQ(empty.count, 0u);
    EXPECT_EQ(empty.max, 0.0);
    const Summary one = summarize({42.0});
    EXPECT_DOUBLE_EQ(one.min, 42.0);
    EXPECT_DOUBLE_EQ(one.median, 42.0);
    EXPECT_DOUBLE_EQ(one.p99, 42.0);
    EXPECT_DOUBLE_EQ(percentileOfSorted({1.0, 3.0}, 0.0), 1.0);
    EXPECT_DOUBLE_EQ(percentileOfSorted({1.0, 3.0}, 100.0), 3.0);
    EXPECT_DOUBLE_EQ(percentileOfSorted({1.0, 3.0}, 150.0), 3.0);  // clamped
}

TEST(BenchStats, FramesPerSecondIsCountOverTotalTime) {
    EXPECT_DOUBLE_EQ(framesPerSecond({10, 20, 30, 40}), 40.0);  // 4 frames in 100 ms
    EXPECT_DOUBLE_EQ(framesPerSecond({}), 0.0);
}

TEST(BenchStats, SlopeTellsGrowthFromNoise) {
    std::vector<double> x;
    std::vector<double> growing;
    std::vector<double> flat;
    for (int i = 0; i < 1000; ++i) {
        x.push_back(i);
        growing.push_back(5000.0 + 0.25 * i);
        flat.push_back(5000.0 + ((i * 7919) % 13) - 6);  // bounded jitter around 5000
    }
    EXPECT_NEAR(linearSlope(x, growing), 0.25, 1e-12);
    EXPECT_LT(std::fabs(linearSlope(x, flat)), 0.001);
    EXPECT_EQ(linearSlope({1, 1, 1}, {1, 2, 3}), 0.0);  // x does not vary
}

TEST(BenchMemory, ResidentSizeFromStatm) {
    // size resident shared text lib data dt, in pages
    std::uint64_t kib = 0;
    EXPECT_TRUE(residentKiBFromStatm("52000 2560 1200 300 0 4000 0\n", 4096, kib));
    EXPECT_EQ(kib, 10240u);
    EXPECT_TRUE(residentKiBFromStatm("100 3", 16384, kib));
    EXPECT_EQ(kib, 48u);
    EXPECT_FALSE(residentKiBFromStatm("", 4096, kib));
    EXPECT_FALSE(residentKiBFromStatm("52000", 4096, kib));
    EXPECT_FALSE(residentKiBFromStatm("abc def", 4096, kib));
    EXPECT_GT(currentResidentKiB(), 0u);  // this process is resident
}

}  // namespace
