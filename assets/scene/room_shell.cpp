#include <algorithm>
#include <cmath>

#include "assets/mesh/primitives.h"
#include "assets/scene/layout.h"
#include "assets/scene/scene_parts.h"

using namespace layout;

namespace {

constexpr float kHalfPi = 1.5707963f;

// Oak panelling, chair rail and skirting along a wall run of length len in wallFrame space.
void addPanelling(ModelBuilder& b, const glm::mat4& frame, float len) {
    const LayerScope lining(b, DrawLayer::Lining);
    // One board along the wall with stiles and rail drawn into its maps,
    // bays placed so that the run ends in two equal part bays. Its back lies
    // against the wall, its top under the chair rail.
    const float bays = len / kPanelBay;
    const UvMapping panels{kPanelBay, {0.5f * (std::ceil(bays) - bays), 0.0f}};
    b.add("panelling", makeBox({len, kPanelHeight, 0.02f}, panels, kBackSide | kTopSide | kBottomSide),
          frame * translation({len / 2, kPanelHeight / 2, 0.01f}));
    // Chair rail: a rounded moulding, extruded along the wall.
    const std::vector<glm::vec2> rail = {{0.0f, 0.95f},   {0.035f, 0.95f}, {0.05f, 0.965f}, {0.055f, 0.985f},
                                         {0.05f, 1.005f}, {0.035f, 1.02f}, {0.0f, 1.03f}};
    b.add("walnut", makeExtrusion(rail, len, b.uv("walnut"), 50.0f),
          frame * translation({len, 0, 0}) * rotationY(-kHalfPi));
    b.add("walnut", makeBox({len, 0.17f, 0.035f}, b.uv("walnut"), kBackSide | kBottomSide),
          frame * translation({len / 2, 0.085f, 0.038f}));
}

}  // namespace

glm::mat4 wallFrame(const glm::vec3& point, const glm::vec3& inwardNormal) {
    return translation(point) * rotationY(std::atan2(inwardNormal.x, inwardNormal.z));
}

void addRoomShell(ModelBuilder& b) {
    const float w = kHallHalfWidth;
    const float hallLength = kHallBack - kHallFront;
    LayerScope shell(b, DrawLayer::Shell);
    // Hall floor: boards run along the hall (v along -z).
    b.add("floor", makeQuad({-w, 0, kHallBack}, {2 * w, 0, 0}, {0, 0, -hallLength}, b.uv("floor")));
    // Side walls up to the eaves; the +x wall leaves the opening into the wing.
    b.add("wall", makeQuad({-w, 0, kHallBack}, {0, 0, -hallLength}, {0, kEaveHeight, 0}, b.uv("wall")));
    b.add("wall",
          makeQuad({w, 0, kHallFront}, {0, 0, -kWingHalfWidth - kHallFront}, {0, kEaveHeight, 0}, b.uv("wall")));
    b.add("wall",
          makeQuad({w, 0, kWingHalfWidth}, {0, 0, kHallBack - kWingHalfWidth}, {0, kEaveHeight, 0}, b.uv("wall")));
    b.add("wall", makeQuad({w, kWingCeiling, -kWingHalfWidth}, {0, 0, 2 * kWingHalfWidth},
                           {0, kEaveHeight - kWingCeiling, 0}, b.uv("wall")));
    // Gable walls at both ends.
    for (float z : {kHallFront, kHallBack}) {
        const std::vector<glm::vec3> gable = {
            {-w, 0, z}, {w, 0, z}, {w, kEaveHeight, z}, {0, kRidgeHeight, z}, {-w, kEaveHeight, z}};
        b.add("wall", makePolygon(gable, {0, 0, z < 0 ? 1.0f : -1.0f}, b.uv("wall")));
    }
    // The two roof slopes, seen from below.
    const float rise = kRidgeHeight - kEaveHeight;
    b.add("ceiling", makeQuad({-w, kEaveHeight, kHallBack}, {0, 0, -hallLength}, {w, rise, 0}, b.uv("ceiling")));
    b.add("ceiling", makeQuad({0, kRidgeHeight, kHallBack}, {0, 0, -hallLength}, {w, -rise, 0}, b.uv("ceiling")));

    // The wing: floor, green walls, flat ceiling.
    const float wingLength = kWingEnd - w;
    const float ww = kWingHalfWidth;
    b.add("floor", makeQuad({w, 0, ww}, {wingLength, 0, 0}, {0, 0, -2 * ww}, b.uv("floor")));
    b.add("wall_green", makeQuad({w, 0, -ww}, {wingLength, 0, 0}, {0, kWingCeiling, 0}, b.uv("wall_green")));
    b.add("wall_green", makeQuad({kWingEnd, 0, ww}, {-wingLength, 0, 0}, {0, kWingCeiling, 0}, b.uv("wall_green")));
    b.add("wall_green", makeQuad({kWingEnd, 0, -ww}, {0, 0, 2 * ww}, {0, kWingCeiling, 0}, b.uv("wall_green")));
    b.add("ceiling", makeQuad({w, kWingCeiling, -ww}, {wingLength, 0, 0}, {0, 0, 2 * ww}, b.uv("ceiling")));

    // Panelling round the hall (the far wall is lined with bookcases instead).
    addPanelling(b, wallFrame({-w, 0, kHallBack}, {1, 0, 0}), hallLength);
    addPanelling(b, wallFrame({w, 0, kHallFront}, {-1, 0, 0}), -kWingHalfWidth - kHallFront);
    addPanelling(b, wallFrame({w, 0, kWingHalfWidth}, {-1, 0, 0}), kHallBack - kWingHalfWidth);
    addPanelling(b, wallFrame({w, 0, kHallBack}, {0, 0, -1}), 2 * w);
    addPanelling(b, wallFrame({w, 0, -ww}, {0, 0, 1}), wingLength);
    addPanelling(b, wallFrame({kWingEnd, 0, ww}, {0, 0, -1}), wingLength);
}
