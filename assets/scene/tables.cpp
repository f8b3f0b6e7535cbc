#include <algorithm>

#include "assets/mesh/primitives.h"
#include "assets/scene/flight_view.h"
#include "assets/scene/furniture.h"

using flight_view::circleSegments;
using flight_view::placed;

void addTable(ModelBuilder& b, const glm::mat4& place, const glm::vec3& size) {
    const UvMapping wood = b.uv("walnut");
    const float top = 0.06f;
    const float legHeight = size.y - top;
    b.add("walnut", makeBevelledBox({size.x, top, size.z}, 0.015f, wood, 0, kBottomSide),
          place * translation({0, size.y - top / 2, 0}));
    // Apron under the top, set back from its edge, its ends inside the legs.
    const float ax = size.x - 0.2f, az = size.z - 0.2f;
    for (float s : {-1.0f, 1.0f}) {
        b.add("walnut", makeBox({ax, 0.12f, 0.03f}, wood, kTopSide),
              place * translation({0, legHeight - 0.06f, s * az / 2}));
        b.add("walnut", makeBox({0.03f, 0.12f, az}, wood, kTopSide),
              place * translation({s * ax / 2, legHeight - 0.06f, 0}));
    }
    // Turned legs, open at the floor and under the top.
    const float r = 0.045f;
    const std::vector<glm::vec2> leg = {{r * 0.75f, 0.0f},
                                        {r * 0.9f, legHeight * 0.35f},
                                        {r * 1.4f, legHeight * 0.45f},
                                        {r * 0.95f, legHeight * 0.58f},
                                        {r * 1.2f, legHeight * 0.8f},
                                        {r * 1.2f, legHeight}};
    // The legs show only from beside the table, under its top: not from the
    // closest points, above it.
    const int segments = std::min(8, circleSegments(r * 1.4f, placed(place, {0, legHeight / 2, 0})));
    for (float sx : {-1.0f, 1.0f})
        for (float sz : {-1.0f, 1.0f})
            b.add("walnut", makeLathe(leg, segments, wood, 35.0f), place * translation({sx * ax / 2, 0, sz * az / 2}));
}

void addRoundTable(ModelBuilder& b, const glm::mat4& place, float radius, float height) {
    const UvMapping wood = b.uv("walnut");
    const int segments = circleSegments(radius, placed(place, {0, height, 0}));
    b.add("walnut",
          makeLathe({{radius, height - 0.04f}, {radius + 0.01f, height - 0.02f}, {radius, height}, {0.0f, height}},
                    segments, wood, 35.0f),
          place);
    b.add("walnut", makeLathe({{0.0f, height - 0.04f}, {radius, height - 0.04f}}, segments, wood), place);
    b.add("walnut",
          makeLathe({{radius * 0.55f, 0.0f},
                     {radius * 0.5f, 0.04f},
                     {0.06f, 0.12f},
                     {0.04f, height * 0.5f},
                     {0.07f, height * 0.6f},
                     {0.04f, height * 0.7f},
                     {0.05f, height - 0.04f}},
                    circleSegments(radius * 0.55f, placed(place)), wood, 35.0f),
          place);
}

void addDesk(ModelBuilder& b, const glm::mat4& place) {
    // Writing desk: leather-topped, two drawer pedestals, kneehole towards +z.
    const UvMapping wood = b.uv("walnut");
    const float width = 1.6f, depth = 0.8f, height = 0.76f;
    b.add("walnut", makeBevelledBox({width, 0.05f, depth}, 0.012f, wood, 0, kBottomSide),
          place * translation({0, height - 0.025f, 0}));
    b.add("leather", makeBox({width - 0.16f, 0.004f, depth - 0.16f}, b.uv("leather"), kBottomSide),
          place * translation({0, height + 0.002f, 0}));
    // The knobs are a few pixels across from the flight: small blocks.
    for (float side : {-1.0f, 1.0f}) {
        const float x = side * (width / 2 - 0.25f);
        b.add("walnut", makeBox({0.46f, height - 0.1f, depth - 0.06f}, wood, kTopSide),
              place * translation({x, (height - 0.05f) / 2 + 0.025f, 0}));
        for (int i = 0; i < 3; ++i) {
            const float y = 0.15f + 0.2f * static_cast<float>(i);
            b.add("walnut", makeBox({0.4f, 0.17f, 0.02f}, wood, kBackSide),
                  place * translation({x, y + 0.02f, depth / 2 - 0.02f}));
            b.add("brass", makeBox({0.024f, 0.024f, 0.02f}, b.uv("brass"), kBackSide),
                  place * translation({x, y + 0.03f, depth / 2}));
        }
    }
    b.add("walnut", makeBox({width - 0.96f, 0.4f, 0.02f}, wood, kTopSide | kLeftSide | kRightSide),
          place * translation({0, height - 0.25f, -depth / 2 + 0.05f}));
}
