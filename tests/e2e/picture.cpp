#include "tests/e2e/picture.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <limits>

namespace {

// Motion search: a coarse-to-fine pyramid keeps the search cheap enough for
// the unoptimised sanitizer build.
constexpr int kLevels = 3;               // factors 4, 2, 1
constexpr int kCoarseShift = 10;         // +-10 px at factor 4: +-40 px at full size
constexpr float kCoarseScaleStep = 1.03f;
constexpr int kCoarseScaleSteps = 8;     // 1.03^+-8: about 0.79 to 1.27
constexpr float kInnerMargin = 0.15f;    // compare the inner 70 % of `before`
constexpr float kContrastFloor = 0.06f;  // luminance spread below which a patch counts as flat
constexpr int kContrastRadius = 2;       // 5 x 5 neighbourhood
// Differences are capped so that parts that move on their own (the lamp,
// near things seen with parallax) cannot outvote the rest of the view.
constexpr float kMismatchCap = 1.5f;

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
        for (int x = 0; x < picture.width; ++x) map.v[static_cast<std::size_t>(y) * picture.width + x] = luminance(picture, x, y);
    return map;
}

Map halve(const Map& m) {
    Map out{m.width / 2, m.height / 2, {}};
    out.v.resize(static_cast<std::size_t>(out.width) * out.height);
    for (int y = 0; y < out.height; ++y)
        for (int x = 0; x < out.width; ++x)
            out.v[static_cast<std::size_t>(y) * out.width + x] =
                0.25f * (m.at(2 * x, 2 * y) + m.at(2 * x + 1, 2 * y) + m.at(2 * x, 2 * y + 1) + m.at(2 * x + 1, 2 * y + 1));
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

// Mean absolute difference between `before` (inner region) and `after`
// sampled where the motion puts each point; infinity when too little overlaps.
float mismatch(const Map& before, const Map& after, const Motion& m) {
    const float cx = 0.5f * static_cast<float>(before.width - 1);
    const float cy = 0.5f * static_cast<float>(before.height - 1);
    const int x0 = static_cast<int>(kInnerMargin * static_cast<float>(before.width));
    const int y0 = static_cast<int>(kInnerMargin * static_cast<float>(before.height));
    const int x1 = before.width - x0;
    const int y1 = before.height - y0;
    float sum = 0.0f;
    int n = 0;
    for (int y = y0; y < y1; ++y) {
        const int ty = static_cast<int>(std::lround(cy + m.scale * (static_cast<float>(y) - cy) + m.dy));
        if (ty < 0 || ty >= after.height) continue;
        for (int x = x0; x < x1; ++x) {
            const int tx = static_cast<int>(std::lround(cx + m.scale * (static_cast<float>(x) - cx) + m.dx));
            if (tx < 0 || tx >= after.width) continue;
            sum += std::min(kMismatchCap, std::fabs(before.at(x, y) - after.at(tx, ty)));
            ++n;
        }
    }
    const int wanted = (x1 - x0) * (y1 - y0);
    if (n * 2 < wanted) return std::numeric_limits<float>::infinity();
    return sum / static_cast<float>(n);
}

struct Search {
    int shiftRange;
    float scaleStep;
    int scaleSteps;
};

Motion searchAround(const Map& before, const Map& after, const Motion& centre, const Search& s, float& bestError) {
    // The centre is tried first and only a strictly better fit replaces it,
    // so an unchanged view is not nudged by ties.
    Motion best = centre;
    bestError = mismatch(before, after, centre);
    for (int k = -s.scaleSteps; k <= s.scaleSteps; ++k) {
        const float scale = centre.scale * std::pow(s.scaleStep, static_cast<float>(k));
        for (int dy = -s.shiftRange; dy <= s.shiftRange; ++dy) {
            for (int dx = -s.shiftRange; dx <= s.shiftRange; ++dx) {
                const Motion m{centre.dx + static_cast<float>(dx), centre.dy + static_cast<float>(dy), scale};
                const float e = mismatch(before, after, m);
                if (e < bestError) {
                    bestError = e;
                    best = m;
                }
            }
        }
    }
    return best;
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

ViewMotion estimateViewMotion(const Picture& before, const Picture& after) {
    Map a[kLevels];
    Map b[kLevels];
    a[0] = lumaMap(before);
    b[0] = lumaMap(after);
    for (int level = 1; level < kLevels; ++level) {
        a[level] = halve(a[level - 1]);
        b[level] = halve(b[level - 1]);
    }
    for (int level = 0; level < kLevels; ++level) {
        a[level] = localContrast(a[level]);
        b[level] = localContrast(b[level]);
    }

    float error = 0.0f;
    Motion m = searchAround(a[kLevels - 1], b[kLevels - 1], Motion{}, {kCoarseShift, kCoarseScaleStep, kCoarseScaleSteps},
                            error);
    // Each finer level doubles the shift and halves the scale step around the
    // coarser answer.
    float step = kCoarseScaleStep;
    for (int level = kLevels - 2; level >= 0; --level) {
        m.dx *= 2.0f;
        m.dy *= 2.0f;
        step = std::sqrt(step);
        m = searchAround(a[level], b[level], m, {2, step, 1}, error);
    }

    ViewMotion result;
    result.dx = m.dx;
    result.dy = m.dy;
    result.scale = m.scale;
    result.error = error;
    result.identityError = mismatch(a[0], b[0], Motion{});
    return result;
}

bool isStill(const ViewMotion& motion) {
    return std::fabs(motion.dx) <= 1.0f && std::fabs(motion.dy) <= 1.0f && std::fabs(motion.scale - 1.0f) <= 0.02f;
}

std::string describe(const ViewMotion& motion) {
    char text[160];
    std::snprintf(text, sizeof text, "moved by (%.1f, %.1f) px, scaled by %.3f (mismatch %.3f, %.3f if unmoved)",
                  motion.dx, motion.dy, motion.scale, motion.error, motion.identityError);
    return text;
}

bool writePpm(const std::string& path, const Picture& picture) {
    std::ofstream file(path, std::ios::binary);
    file << "P6\n" << picture.width << " " << picture.height << "\n255\n";
    file.write(reinterpret_cast<const char*>(picture.rgb.data()), static_cast<std::streamsize>(picture.rgb.size()));
    return static_cast<bool>(file);
}
