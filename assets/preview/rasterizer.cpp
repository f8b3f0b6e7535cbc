#include "assets/preview/rasterizer.h"

#include <algorithm>
#include <cmath>

namespace {

struct ClipVertex {
    glm::vec4 clip;
    glm::vec3 weights;  // barycentric position within the original triangle
};

// Keeps the part of the polygon in front of the near plane (z >= -w).
std::vector<ClipVertex> clipNear(const std::vector<ClipVertex>& in) {
    std::vector<ClipVertex> out;
    for (std::size_t i = 0; i < in.size(); ++i) {
        const ClipVertex& a = in[i];
        const ClipVertex& b = in[(i + 1) % in.size()];
        const float da = a.clip.z + a.clip.w, db = b.clip.z + b.clip.w;
        if (da >= 0.0f) out.push_back(a);
        if ((da >= 0.0f) != (db >= 0.0f)) {
            const float t = da / (da - db);
            out.push_back({glm::mix(a.clip, b.clip, t), glm::mix(a.weights, b.weights, t)});
        }
    }
    return out;
}

void rasterClipped(DepthTarget& target, const ClipVertex v[3], bool cullBack, const FragmentFn& fragment) {
    glm::vec3 screen[3];
    float invW[3];
    for (int i = 0; i < 3; ++i) {
        invW[i] = 1.0f / v[i].clip.w;
        const glm::vec3 ndc = glm::vec3(v[i].clip) * invW[i];
        screen[i] = {(ndc.x * 0.5f + 0.5f) * static_cast<float>(target.width),
                     (0.5f - ndc.y * 0.5f) * static_cast<float>(target.height), ndc.z * 0.5f + 0.5f};
    }
    // Screen rows run downwards, so a counter-clockwise triangle has negative area here.
    const float area = (screen[1].x - screen[0].x) * (screen[2].y - screen[0].y) -
                       (screen[2].x - screen[0].x) * (screen[1].y - screen[0].y);
    if (area == 0.0f || (cullBack && area > 0.0f)) return;
    const int x0 = std::max(0, static_cast<int>(std::floor(std::min({screen[0].x, screen[1].x, screen[2].x}))));
    const int x1 =
        std::min(target.width - 1, static_cast<int>(std::ceil(std::max({screen[0].x, screen[1].x, screen[2].x}))));
    const int y0 = std::max(0, static_cast<int>(std::floor(std::min({screen[0].y, screen[1].y, screen[2].y}))));
    const int y1 =
        std::min(target.height - 1, static_cast<int>(std::ceil(std::max({screen[0].y, screen[1].y, screen[2].y}))));
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) {
            const float px = static_cast<float>(x) + 0.5f, py = static_cast<float>(y) + 0.5f;
            float l[3];
            for (int i = 0; i < 3; ++i) {
                const glm::vec3& a = screen[(i + 1) % 3];
                const glm::vec3& b = screen[(i + 2) % 3];
                l[i] = ((b.x - a.x) * (py - a.y) - (px - a.x) * (b.y - a.y)) / area;
            }
            if (l[0] < 0.0f || l[1] < 0.0f || l[2] < 0.0f) continue;
            const float depth = l[0] * screen[0].z + l[1] * screen[1].z + l[2] * screen[2].z;
            float& stored = target.depth[static_cast<std::size_t>(y) * target.width + x];
            if (depth < 0.0f || depth >= stored) continue;
            stored = depth;
            const float p0 = l[0] * invW[0], p1 = l[1] * invW[1], p2 = l[2] * invW[2];
            const float sum = p0 + p1 + p2;
            const glm::vec3 w = (v[0].weights * p0 + v[1].weights * p1 + v[2].weights * p2) / sum;
            fragment(x, y, w);
        }
    }
}

}  // namespace

void rasterTriangle(DepthTarget& target, const glm::vec4 clip[3], bool cullBack, const FragmentFn& fragment) {
    std::vector<ClipVertex> poly = {{clip[0], {1, 0, 0}}, {clip[1], {0, 1, 0}}, {clip[2], {0, 0, 1}}};
    const bool inFront =
        std::all_of(poly.begin(), poly.end(), [](const ClipVertex& c) { return c.clip.z + c.clip.w >= 0.0f; });
    if (!inFront) poly = clipNear(poly);
    for (std::size_t i = 1; i + 1 < poly.size(); ++i) {
        const ClipVertex tri[3] = {poly[0], poly[i], poly[i + 1]};
        rasterClipped(target, tri, cullBack, fragment);
    }
}
