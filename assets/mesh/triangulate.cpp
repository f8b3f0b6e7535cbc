#include "assets/mesh/triangulate.h"

#include <stdexcept>

namespace {

float cross2(const glm::vec2& a, const glm::vec2& b, const glm::vec2& c) {
    return (b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x);
}

bool insideTriangle(const glm::vec2& p, const glm::vec2& a, const glm::vec2& b, const glm::vec2& c) {
    return cross2(a, b, p) >= 0.0f && cross2(b, c, p) >= 0.0f && cross2(c, a, p) >= 0.0f;
}

}  // namespace

float signedArea2(const std::vector<glm::vec2>& points) {
    float area = 0.0f;
    for (std::size_t i = 0; i < points.size(); ++i) {
        const glm::vec2& a = points[i];
        const glm::vec2& b = points[(i + 1) % points.size()];
        area += a.x * b.y - b.x * a.y;
    }
    return area;
}

std::vector<std::uint32_t> triangulatePolygon(const std::vector<glm::vec2>& points) {
    std::vector<std::uint32_t> out;
    if (points.size() < 3) return out;
    std::vector<std::uint32_t> remaining;
    for (std::uint32_t i = 0; i < points.size(); ++i) remaining.push_back(i);
    while (remaining.size() > 3) {
        const std::size_t n = remaining.size();
        bool clipped = false;
        for (std::size_t i = 0; i < n && !clipped; ++i) {
            const std::uint32_t ia = remaining[(i + n - 1) % n];
            const std::uint32_t ib = remaining[i];
            const std::uint32_t ic = remaining[(i + 1) % n];
            const glm::vec2 &a = points[ia], &b = points[ib], &c = points[ic];
            if (cross2(a, b, c) <= 1e-9f) continue;  // reflex or flat corner
            bool empty = true;
            for (std::uint32_t k : remaining) {
                if (k == ia || k == ib || k == ic) continue;
                if (points[k] == a || points[k] == b || points[k] == c) continue;
                if (insideTriangle(points[k], a, b, c)) {
                    empty = false;
                    break;
                }
            }
            if (!empty) continue;
            out.insert(out.end(), {ia, ib, ic});
            remaining.erase(remaining.begin() + static_cast<std::ptrdiff_t>(i));
            clipped = true;
        }
        if (!clipped) throw std::invalid_argument("triangulatePolygon: outline is not simple and counter-clockwise");
    }
    out.insert(out.end(), {remaining[0], remaining[1], remaining[2]});
    return out;
}
