#include "tests/e2e/picture.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <limits>

namespace {

// Motion search, cheap enough for the unoptimised sanitizer build: at half
// size, wide shifts without scaling (turning, sideways and vertical moves)
// and scalings with small shifts (moving forward and back); then the best few
// answers refined at full size.
constexpr int kCoarseShift = 20;  // +-20 px at half size: +-40 px at full size
constexpr int kCoarseShiftWhenScaled = 4;
constexpr float kCoarseScaleStep = 1.03f;
constexpr int kCoarseScaleSteps = 11;  // 1.03^+-11: about 0.72 to 1.38
constexpr int kCandidates = 6;         // coarse answers refined besides no motion
// Shifts alone are searched wider: up to +-48 px at full size. A walk
// forward or back with the view tilted scales things about the horizon,
// far above or below the centre: scalings with a vertical shift of up to
// +-24 px at full size and little sideways; a walk of several units scales
// the far wall by up to 1.8 (1.03^+-20).
constexpr int kWideShift = 24;
constexpr int kWalkShift = 1;
constexpr int kWalkVerticalShift = 12;
constexpr int kWalkScaleSteps = 20;
constexpr float kContrastFloor = 0.06f;  // luminance spread below which a patch counts as flat
constexpr int kContrastRadius = 2;       // 5 x 5 neighbourhood
// A motion that leaves less than this share of the compared region inside
// the other picture is not considered: a small overlap matches by chance.
constexpr float kMinOverlap = 0.75f;
// Pictures of one view under a swinging lamp still match above 0.7; a view
// moved by a few pixels falls below 0.35.
constexpr float kSameViewMatch = 0.5f;

struct Map {
    int width = 0;
    int height = 0;
    std::vector<float> v;
    float at(int x, int y) const { return v[static_cast<std::size_t>(y) * width + x]; }
};

Map lumaMap(const Picture& picture) {
    Map map{picture.width, picture.height, {}};
    map.v.resize(static_cast<std::size_t>(picture.width) * picture.height);
    for (int y = 0; y < picture.height; ++y)
        for (int x = 0; x < picture.width; ++x)
            map.v[static_cast<std::size_t>(y) * picture.width + x] = luminance(picture, x, y);
    return map;
}

Map halve(const Map& m) {
    Map out{m.width / 2, m.height / 2, {}};
    out.v.resize(static_cast<std::size_t>(out.width) * out.height);
    for (int y = 0; y < out.height; ++y)
        for (int x = 0; x < out.width; ++x)
            out.v[static_cast<std::size_t>(y) * out.width + x] =
                0.25f *
                (m.at(2 * x, 2 * y) + m.at(2 * x + 1, 2 * y) + m.at(2 * x, 2 * y + 1) + m.at(2 * x + 1, 2 * y + 1));
    return out;
}

// Each pixel relative to its neighbourhood: (l - mean) / spread. A light that
// brightens or dims a region changes mean and spread alike, so it mostly
// cancels; geometry that moves does not.
Map localContrast(const Map& m) {
    Map out{m.width, m.height, std::vector<float>(m.v.size(), 0.0f)};
    for (int y = 0; y < m.height; ++y) {
        for (int x = 0; x < m.width; ++x) {
            float sum = 0.0f, sumSq = 0.0f;
            int n = 0;
            for (int j = std::max(0, y - kContrastRadius); j <= std::min(m.height - 1, y + kContrastRadius); ++j) {
                for (int i = std::max(0, x - kContrastRadius); i <= std::min(m.width - 1, x + kContrastRadius); ++i) {
                    const float l = m.at(i, j);
                    sum += l;
                    sumSq += l * l;
                    ++n;
                }
            }
            const float mean = sum / static_cast<float>(n);
            const float spread = std::sqrt(std::max(0.0f, sumSq / static_cast<float>(n) - mean * mean));
            out.v[static_cast<std::size_t>(y) * m.width + x] = (m.at(x, y) - mean) / (spread + kContrastFloor);
        }
    }
    return out;
}

struct Motion {
    float dx = 0.0f;  // in pixels of the level it was found at
    float dy = 0.0f;
    float scale = 1.0f;
};

// How well `before` (the region) and `after`, sampled where the motion puts
// each point, agree: their correlation, from -1 to 1. Correlation rewards
// edges that line up and shrugs at flat or noisy patches, where a difference
// measure would add up noise. Minus infinity when too little overlaps.
float match(const Map& before, const Map& after, const Motion& m, const ViewRegion& region) {
    const float cx = 0.5f * static_cast<float>(before.width - 1);
    const float cy = 0.5f * static_cast<float>(before.height - 1);
    const int x0 = static_cast<int>(region.left * static_cast<float>(before.width));
    const int y0 = static_cast<int>(region.top * static_cast<float>(before.height));
    const int x1 = static_cast<int>(region.right * static_cast<float>(before.width));
    const int y1 = static_cast<int>(region.bottom * static_cast<float>(before.height));
    double sa = 0, sb = 0, saa = 0, sbb = 0, sab = 0;
    int n = 0;
    for (int y = y0; y < y1; ++y) {
        const int ty = static_cast<int>(std::lround(cy + m.scale * (static_cast<float>(y) - cy) + m.dy));
        if (ty < 0 || ty >= after.height) continue;
        for (int x = x0; x < x1; ++x) {
            const int tx = static_cast<int>(std::lround(cx + m.scale * (static_cast<float>(x) - cx) + m.dx));
            if (tx < 0 || tx >= after.width) continue;
            const double a = before.at(x, y), b = after.at(tx, ty);
            sa += a;
            sb += b;
            saa += a * a;
            sbb += b * b;
            sab += a * b;
            ++n;
        }
    }
    if (static_cast<float>(n) < kMinOverlap * static_cast<float>((x1 - x0) * (y1 - y0)) || n == 0)
        return -std::numeric_limits<float>::infinity();
    const double ma = sa / n, mb = sb / n;
    const double covariance = sab / n - ma * mb;
    const double spread = std::sqrt(std::max(0.0, (saa / n - ma * ma) * (sbb / n - mb * mb)));
    return spread > 0 ? static_cast<float>(covariance / spread) : 0.0f;
}

struct Search {
    int shiftRange;
    float scaleStep;
    int scaleSteps;
    int verticalRange = -1;  // when not the same as shiftRange
};

struct Candidate {
    Motion motion;
    float match;
};

// Every motion of a grid around centre, with its match.
std::vector<Candidate> searchGrid(const Map& before, const Map& after, const ViewRegion& region, const Motion& centre,
                                  const Search& s) {
    std::vector<Candidate> grid;
    for (int k = -s.scaleSteps; k <= s.scaleSteps; ++k) {
        const float scale = centre.scale * std::pow(s.scaleStep, static_cast<float>(k));
        const int rangeY = s.verticalRange < 0 ? s.shiftRange : s.verticalRange;
        for (int dy = -rangeY; dy <= rangeY; ++dy) {
            for (int dx = -s.shiftRange; dx <= s.shiftRange; ++dx) {
                const Motion m{centre.dx + static_cast<float>(dx), centre.dy + static_cast<float>(dy), scale};
                grid.push_back({m, match(before, after, m, region)});
            }
        }
    }
    return grid;
}

// The best motion near centre; the centre is tried first and only a strictly
// better fit replaces it, so an unchanged view is not nudged by ties.
Candidate refine(const Map& before, const Map& after, const ViewRegion& region, const Motion& centre, const Search& s) {
    Candidate best{centre, match(before, after, centre, region)};
    for (const Candidate& c : searchGrid(before, after, region, centre, s))
        if (c.match > best.match) best = c;
    return best;
}

bool near(const Motion& a, const Motion& b, float scaleStep) {
    return std::fabs(a.dx - b.dx) <= 1.0f && std::fabs(a.dy - b.dy) <= 1.0f &&
           std::fabs(std::log(a.scale / b.scale)) <= 1.01f * std::log(scaleStep);
}

// The few best distinct motions of that kind at half size, no motion among
// them: there several answers can look alike, and only the full size tells
// them apart.
std::vector<Motion> coarseCandidates(const Map& before, const Map& after, const ViewRegion& region, ViewChange kind) {
    const int range = kind == ViewChange::Shift ? kWideShift : kCoarseShift;
    std::vector<Candidate> grid;
    if (kind != ViewChange::Walk) grid = searchGrid(before, after, region, Motion{}, {range, kCoarseScaleStep, 0});
    if (kind != ViewChange::Shift) {
        const Search scaling = kind == ViewChange::Walk
                                   ? Search{kWalkShift, kCoarseScaleStep, kWalkScaleSteps, kWalkVerticalShift}
                                   : Search{kCoarseShiftWhenScaled, kCoarseScaleStep, kCoarseScaleSteps};
        const std::vector<Candidate> scaled = searchGrid(before, after, region, Motion{}, scaling);
        grid.insert(grid.end(), scaled.begin(), scaled.end());
    }
    std::sort(grid.begin(), grid.end(), [](const Candidate& a, const Candidate& b) { return a.match > b.match; });
    std::vector<Motion> chosen{Motion{}};
    for (const Candidate& c : grid) {
        if (static_cast<int>(chosen.size()) > kCandidates) break;
        bool distinct = true;
        for (const Motion& m : chosen) distinct = distinct && !near(c.motion, m, kCoarseScaleStep);
        if (distinct) chosen.push_back(c.motion);
    }
    return chosen;
}

}  // namespace

float luminance(const Picture& picture, int x, int y) {
    const std::uint8_t* p = &picture.rgb[(static_cast<std::size_t>(y) * picture.width + x) * 3];
    return (0.299f * p[0] + 0.587f * p[1] + 0.114f * p[2]) / 255.0f;
}

float litFraction(const Picture& picture, float threshold) {
    if (picture.width == 0 || picture.height == 0) return 0.0f;
    int lit = 0;
    for (int y = 0; y < picture.height; ++y)
        for (int x = 0; x < picture.width; ++x)
            if (luminance(picture, x, y) > threshold) ++lit;
    return static_cast<float>(lit) / static_cast<float>(picture.width * picture.height);
}

float meanLuminance(const Picture& picture) {
    if (picture.width == 0 || picture.height == 0) return 0.0f;
    double sum = 0.0;
    for (int y = 0; y < picture.height; ++y)
        for (int x = 0; x < picture.width; ++x) sum += luminance(picture, x, y);
    return static_cast<float>(sum / (static_cast<double>(picture.width) * picture.height));
}

float detail(const Picture& picture) {
    if (picture.width < 2 || picture.height < 2) return 0.0f;
    double sum = 0.0;
    for (int y = 0; y + 1 < picture.height; ++y) {
        for (int x = 0; x + 1 < picture.width; ++x) {
            const float l = luminance(picture, x, y);
            sum += std::fabs(luminance(picture, x + 1, y) - l) + std::fabs(luminance(picture, x, y + 1) - l);
        }
    }
    return static_cast<float>(sum / (2.0 * (picture.width - 1) * (picture.height - 1)));
}

ViewMotion estimateViewMotion(const Picture& before, const Picture& after, const ViewRegion& region, ViewChange kind) {
    const Map fullBefore = lumaMap(before), fullAfter = lumaMap(after);
    const Map a = localContrast(fullBefore), b = localContrast(fullAfter);
    const Map halfA = localContrast(halve(fullBefore)), halfB = localContrast(halve(fullAfter));

    // The candidate that fits best at full size wins, no motion first among equals.
    Candidate best{Motion{}, -std::numeric_limits<float>::infinity()};
    const int refinedScaleSteps = kind == ViewChange::Shift ? 0 : 1;
    for (const Motion& coarse : coarseCandidates(halfA, halfB, region, kind)) {
        const Motion start{2.0f * coarse.dx, 2.0f * coarse.dy, coarse.scale};
        const Candidate c = refine(a, b, region, start, {2, std::sqrt(kCoarseScaleStep), refinedScaleSteps});
        if (c.match > best.match) best = c;
    }

    ViewMotion result;
    result.dx = best.motion.dx;
    result.dy = best.motion.dy;
    result.scale = best.motion.scale;
    result.match = best.match;
    result.stillMatch = match(a, b, Motion{}, region);
    return result;
}

bool viewChanged(const Picture& before, const Picture& after) {
    if (before.width != after.width || before.height != after.height || before.width == 0) return true;
    return match(localContrast(lumaMap(before)), localContrast(lumaMap(after)), Motion{}, ViewRegion{}) <
           kSameViewMatch;
}

bool isStill(const ViewMotion& motion) {
    return std::fabs(motion.dx) <= 1.0f && std::fabs(motion.dy) <= 1.0f && std::fabs(motion.scale - 1.0f) <= 0.02f;
}

std::string describe(const ViewMotion& motion) {
    char text[160];
    std::snprintf(text, sizeof text, "moved by (%.1f, %.1f) px, scaled by %.3f (match %.3f, %.3f if unmoved)",
                  motion.dx, motion.dy, motion.scale, motion.match, motion.stillMatch);
    return text;
}

bool writePpm(const std::string& path, const Picture& picture) {
    std::ofstream file(path, std::ios::binary);
    file << "P6\n" << picture.width << " " << picture.height << "\n255\n";
    file.write(reinterpret_cast<const char*>(picture.rgb.data()), static_cast<std::streamsize>(picture.rgb.size()));
    return static_cast<bool>(file);
}
