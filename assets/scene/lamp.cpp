#include "assets/scene/lamp.h"

#include <cmath>

#include "assets/mesh/primitives.h"
#include "assets/scene/flight_view.h"
#include "assets/scene/layout.h"

namespace {

constexpr float kHalfPi = 1.5707963f;
constexpr float kPi = 3.14159265f;
constexpr float kShellThickness = 0.008f;
constexpr float kSocketBottom = -1.08f;

}  // namespace

glm::vec3 lampLightOffset() { return glm::vec3(0.0f, -layout::kLightBelowPivot, 0.0f); }

const std::vector<Louvre>& lampLouvres() {
    // Each band covers a range of elevations seen from the light (about 8 to
    // 20, 30 to 45 and 55 to 72 degrees); the gaps between them let bands of
    // light out onto the walls and the ceiling, and the socket shades the zenith.
    static const std::vector<Louvre> louvres = {
        {0.436f, -1.139f, 0.357f, -1.07f},
        {0.294f, -1.03f, 0.212f, -0.988f},
        {0.155f, -0.979f, 0.08f, -0.953f},
    };
    return louvres;
}

void buildLamp(ModelBuilder& b) {
    const UvMapping brass = b.uv("brass");
    // The flight passes just under the shade; its fittings are small.
    auto segments = [](float radius, float y) {
        return flight_view::circleSegments(radius, layout::kLampPivot + glm::vec3(0, y, 0));
    };
    // Loop at the pivot, turning about x on the chain's last link.
    b.add("brass", makeTorus(0.03f, 0.008f, segments(0.038f, 0.0f), 4, brass),
          translation({0, -0.024f, 0}) * rotationZ(kHalfPi));
    b.add("brass", makeCylinder(0.01f, 0.72f, segments(0.01f, -0.4f), true, brass), translation({0, -0.77f, 0}));
    b.add("brass", makeCone(0.05f, 0.012f, 0.05f, segments(0.05f, -0.8f), true, brass), translation({0, -0.8f, 0}));
    b.add("brass", makeLathe({{0.0f, kSocketBottom - 0.015f},
                              {0.022f, kSocketBottom - 0.015f},
                              {0.032f, kSocketBottom},
                              {0.032f, -0.82f},
                              {0.04f, -0.81f},
                              {0.0f, -0.81f}},
                             segments(0.04f, kSocketBottom), brass, 35.0f));
    // Louvres: green enamel outside and on the edges, white enamel inside.
    for (const Louvre& l : lampLouvres()) {
        const float t = kShellThickness;
        const int n = segments(l.bottomRadius, l.bottomY);
        b.add("enamel_green", makeLathe({{l.bottomRadius - t, l.bottomY},
                                         {l.bottomRadius, l.bottomY},
                                         {l.topRadius, l.topY},
                                         {l.topRadius - t, l.topY}},
                                        n, b.uv("enamel_green"), 35.0f));
        b.add("enamel_white",
              makeLathe({{l.topRadius - t, l.topY}, {l.bottomRadius - t, l.bottomY}}, n, b.uv("enamel_white"), 35.0f));
    }
    // Three straps hold the louvres together and hang them from the socket.
    const auto& ls = lampLouvres();
    for (int i = 0; i < 3; ++i) {
        const glm::mat4 turn = rotationY(2.0f * kPi * static_cast<float>(i) / 3.0f + kPi / 6.0f);
        const glm::vec2 low(ls.front().bottomRadius - 0.02f, ls.front().bottomY + 0.01f);
        const glm::vec2 high(0.03f, -0.86f);
        const glm::vec2 d = high - low;
        const float len = glm::length(d);
        b.add("brass", makeBox({len, 0.006f, 0.012f}, brass),
              turn * translation({(low.x + high.x) / 2, (low.y + high.y) / 2, 0}) * rotationZ(std::atan2(d.y, d.x)));
    }
}

void buildLightCube(ModelBuilder& b) {
    // The small cube that marks the light, which sits at its centre: a unit
    // cube (the demo scales it to a tenth) of frosted glass, each face
    // brightest in its middle (the glow map), so that it reads as lit from
    // within rather than as a flat patch.
    b.add("frosted_glass", makeBox(glm::vec3(1.0f), b.uv("frosted_glass")));
}
