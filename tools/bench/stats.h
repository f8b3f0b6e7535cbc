#pragma once

#include <cstddef>
#include <vector>

// Order statistics of a series of durations (any unit; the bench uses ms).
struct Summary {
    std::size_t count = 0;
    double min = 0.0;
    double median = 0.0;
    double p95 = 0.0;
    double p99 = 0.0;
    double max = 0.0;
    double mean = 0.0;
};

// The p-th percentile (p in [0, 100]) of an ascending series, interpolating
// linearly between the two nearest ranks, so the median of an even count is
// the mean of the middle pair. An empty series gives 0.
double percentileOfSorted(const std::vector<double>& sorted, double p);

// All statistics at once; an empty series gives a zero Summary.
Summary summarize(std::vector<double> samples);

// Frames per second of a run: count / total time, with the samples in ms.
double framesPerSecond(const std::vector<double>& frameMs);

// Least-squares slope of y over x (0 when x does not vary), for telling
// steady memory growth from noise.
double linearSlope(const std::vector<double>& x, const std::vector<double>& y);
