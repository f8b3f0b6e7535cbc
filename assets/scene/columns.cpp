#include <algorithm>

#include "assets/mesh/primitives.h"
#include "assets/scene/flight_view.h"
#include "assets/scene/layout.h"
#include "assets/scene/scene_parts.h"

using namespace layout;

namespace {

// A plain stone column from the floor to height: square plinth, moulded
// base, tapering shaft, necking and a flared capital under a square abacus.
void addColumn(ModelBuilder& b, const glm::vec3& foot, float height, float radius) {
    const float r = radius;
    const float plinth = 0.2f;
    const float abacus = 0.18f;
    const float top = height - abacus;
    // The shaft is open at both ends: it stands on the plinth and carries the abacus.
    const std::vector<glm::vec2> profile = {
        {r * 1.35f, plinth},      {r * 1.38f, plinth + 0.06f}, {r, plinth + 0.24f},     {r * 0.86f, top - 0.4f},
        {r * 0.97f, top - 0.36f}, {r * 0.86f, top - 0.3f},     {r * 1.3f, top - 0.05f}, {r * 1.3f, top}};
    int segments = 0;
    for (float y = 0.0f; y < height; y += 0.5f)
        segments = std::max(segments, flight_view::circleSegments(r * 1.38f, foot + glm::vec3(0, y, 0)));
    segments = std::min(segments, 16);
    b.add("marble", makeLathe(profile, segments, b.uv("marble"), 35.0f), translation(foot));
    const float side = r * 2.9f;
    b.add("marble", makeBevelledBox({side, plinth, side}, 0.015f, b.uv("marble"), kBottomSide),
          translation(foot + glm::vec3(0, plinth / 2, 0)));
    b.add("marble", makeBevelledBox({side * 0.95f, abacus, side * 0.95f}, 0.015f, b.uv("marble")),
          translation(foot + glm::vec3(0, top + abacus / 2, 0)));
}

}  // namespace

void addColumns(ModelBuilder& b) {
    // Hall columns under the trusses, clear of the walls so the aisles read.
    for (float z : kTrussZ)
        for (float side : {-1.0f, 1.0f}) addColumn(b, {side * kColumnX, 0, z}, kTieBeamBottom, 0.27f);

    // The opening into the wing: a lintel on two columns.
    const float opening = 2.0f * kWingHalfWidth;
    b.add("timber", makeBevelledBox({0.45f, kWingCeiling - kWingLintelBottom, opening}, 0.02f, b.uv("timber")),
          translation({kHallHalfWidth, (kWingCeiling + kWingLintelBottom) / 2, 0}));
    for (float side : {-1.0f, 1.0f}) addColumn(b, {kHallHalfWidth, 0, side * kWingColumnZ}, kWingLintelBottom, 0.2f);
}
