#include "tools/bench/stats.h"

#include <algorithm>
#include <cmath>
#include <numeric>

double percentileOfSorted(const std::vector<double>& sorted, double p) {
    if (sorted.empty()) return 0.0;
    const double clamped = std::clamp(p, 0.0, 100.0);
    const double rank = clamped / 100.0 * static_cast<double>(sorted.size() - 1);
    const std::size_t below = static_cast<std::size_t>(std::floor(rank));
    const std::size_t above = std::min(below + 1, sorted.size() - 1);
    const double fraction = rank - static_cast<double>(below);
    return sorted[below] + (sorted[above] - sorted[below]) * fraction;
}

Summary summarize(std::vector<double> samples) {
    Summary s;
    if (samples.empty()) return s;
    std::sort(samples.begin(), samples.end());
    s.count = samples.size();
    s.min = samples.front();
    s.max = samples.back();
    s.median = percentileOfSorted(samples, 50.0);
    s.p95 = percentileOfSorted(samples, 95.0);
    s.p99 = percentileOfSorted(samples, 99.0);
    s.mean = std::accumulate(samples.begin(), samples.end(), 0.0) / static_cast<double>(samples.size());
    return s;
}

double framesPerSecond(const std::vector<double>& frameMs) {
    const double totalMs = std::accumulate(frameMs.begin(), frameMs.end(), 0.0);
    if (totalMs <= 0.0) return 0.0;
    return static_cast<double>(frameMs.size()) * 1000.0 / totalMs;
}

double linearSlope(const std::vector<double>& x, const std::vector<double>& y) {
    const std::size_t n = std::min(x.size(), y.size());
    if (n < 2) return 0.0;
    double meanX = 0.0;
    double meanY = 0.0;
    for (std::size_t i = 0; i < n; ++i) {
        meanX += x[i];
        meanY += y[i];
    }
    meanX /= static_cast<double>(n);
    meanY /= static_cast<double>(n);
    double covariance = 0.0;
    double variance = 0.0;
    for (std::size_t i = 0; i < n; ++i) {
        covariance += (x[i] - meanX) * (y[i] - meanY);
        variance += (x[i] - meanX) * (x[i] - meanX);
    }
    return variance > 0.0 ? covariance / variance : 0.0;
}
