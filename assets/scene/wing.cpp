#include "assets/mesh/primitives.h"
#include "assets/scene/flight_view.h"
#include "assets/scene/furniture.h"
#include "assets/scene/layout.h"
#include "assets/scene/scene_parts.h"

using namespace layout;

namespace {

constexpr float kHalfPi = 1.5707963f;
constexpr float kBreastDepth = 0.6f;
constexpr float kBreastHalfWidth = 1.3f;
constexpr float kFireHalfWidth = 0.7f;
constexpr float kFireHeight = 0.95f;

// Chimney breast with its firebox, in the end wall's frame (x along the
// wall, +z into the room, the wall itself at z = 0).
void addFireplace(ModelBuilder& b, const glm::mat4& wall) {
    const UvMapping plaster = b.uv("wall_green");
    const UvMapping brick = b.uv("brick");
    const UvMapping marble = b.uv("marble");
    const float d = kBreastDepth, hw = kBreastHalfWidth, fw = kFireHalfWidth, fh = kFireHeight, h = kWingCeiling;
    LayerScope layer(b, DrawLayer::Lining);
    // Breast front around the opening, and its two sides.
    b.add("wall_green", makeQuad({-hw, 0, d}, {hw - fw, 0, 0}, {0, h, 0}, plaster), wall);
    b.add("wall_green", makeQuad({fw, 0, d}, {hw - fw, 0, 0}, {0, h, 0}, plaster), wall);
    b.add("wall_green", makeQuad({-fw, fh, d}, {2 * fw, 0, 0}, {0, h - fh, 0}, plaster), wall);
    b.add("wall_green", makeQuad({-hw, 0, 0}, {0, 0, d}, {0, h, 0}, plaster), wall);
    b.add("wall_green", makeQuad({hw, 0, d}, {0, 0, -d}, {0, h, 0}, plaster), wall);
    // Firebox lined with sooted brick.
    const float back = 0.05f;
    b.add("brick", makeQuad({-fw, 0, back}, {2 * fw, 0, 0}, {0, fh, 0}, brick), wall);
    b.add("brick", makeQuad({-fw, 0, d}, {0, 0, back - d}, {0, fh, 0}, brick), wall);
    b.add("brick", makeQuad({fw, 0, back}, {0, 0, d - back}, {0, fh, 0}, brick), wall);
    b.add("brick", makeQuad({-fw, fh, back}, {2 * fw, 0, 0}, {0, 0, d - back}, brick), wall);
    b.add("brick", makeQuad({-fw, 0.002f, d}, {2 * fw, 0, 0}, {0, 0, back - d}, brick), wall);
    // Marble surround: pilasters up under the shelf, frieze, mantel shelf
    // (its back, inside the breast, cut off square) and hearth.
    for (float s : {-1.0f, 1.0f})
        b.add("marble", makeBevelledBox({0.3f, 1.17f, 0.12f}, 0.015f, marble, kBackSide | kBottomSide | kTopSide),
              wall * translation({s * (fw + 0.15f), 0.585f, d + 0.06f}));
    b.add("marble", makeBevelledBox({2 * fw + 0.6f, 0.22f, 0.14f}, 0.02f, marble, kBackSide | kTopSide),
          wall * translation({0, 1.06f, d + 0.07f}));
    b.add("marble", makeBevelledBox({2 * fw + 0.9f, 0.07f, 0.34f}, 0.02f, marble, 0, kBackSide),
          wall * translation({0, 1.205f, d + 0.1f}));
    b.add("marble", makeBevelledBox({2 * fw + 1.0f, 0.05f, 0.6f}, 0.015f, marble, kBottomSide),
          wall * translation({0, 0.025f, d + 0.3f}));
    // Logs on iron fire dogs.
    b.setLayer(DrawLayer::Free);
    const glm::vec3 hearth = flight_view::placed(wall, {0, 0.3f, d});
    const int dogSegments = flight_view::circleSegments(0.04f, hearth);
    for (float s : {-1.0f, 1.0f}) {
        b.add("iron", makeBox({0.04f, 0.04f, 0.4f}, b.uv("iron")), wall * translation({s * 0.35f, 0.08f, 0.3f}));
        b.add("iron", makeCylinder(0.03f, 0.3f, dogSegments, false, b.uv("iron")),
              wall * translation({s * 0.35f, 0.0f, 0.5f}));
        b.add("iron", makeSphere(0.04f, dogSegments, dogSegments / 2, b.uv("iron")),
              wall * translation({s * 0.35f, 0.32f, 0.5f}));
    }
    const UvMapping bark = b.uv("bark");
    const int logSegments = flight_view::circleSegments(0.08f, hearth);
    b.add("bark", makeCylinder(0.08f, 0.95f, logSegments, true, bark),
          wall * translation({-0.47f, 0.18f, 0.25f}) * rotationZ(-kHalfPi));
    b.add("bark", makeCylinder(0.07f, 0.9f, logSegments, true, bark),
          wall * translation({-0.45f, 0.17f, 0.42f}) * rotationZ(-kHalfPi) * rotationY(0.2f));
    b.add("bark", makeCylinder(0.065f, 0.85f, logSegments, true, bark),
          wall * translation({-0.4f, 0.31f, 0.33f}) * rotationZ(-kHalfPi) * rotationY(-0.15f));
    // Things on the mantel.
    const glm::mat4 shelf = wall * translation({0, 1.24f, d + 0.12f});
    addCandlestick(b, shelf * translation({-0.95f, 0, 0}), 0.32f);
    addCandlestick(b, shelf * translation({0.95f, 0, 0}), 0.32f);
    addVase(b, shelf * translation({-0.45f, 0, 0}), "ceramic_blue", 0.3f);
    addBookStack(b, shelf * translation({0.45f, 0, 0}), 3, 91u);
}

}  // namespace

void addWing(ModelBuilder& b) {
    const glm::mat4 end = wallFrame({kWingEnd, 0, 0}, {-1, 0, 0});
    addFireplace(b, end);
    // The painting the flight ends on: spheres over a chequered floor.
    addPainting(b, end * translation({0, 2.45f, kBreastDepth}), {1.5f, 1.15f}, 3);
    // Bookcases either side of the chimney breast.
    const glm::vec3 shelf(2.9f, 3.3f, 0.42f);
    for (float s : {-1.0f, 1.0f})
        addBookcase(b, end * translation({s * 2.9f, 0, shelf.z / 2 + 0.01f}), shelf, 5, s < 0 ? 81u : 83u);

    // Two leather armchairs turned towards the fire, a rug and a side table.
    const glm::vec3 hearth(15.1f, 0.0f, 0.0f);
    addRug(b, hearth + glm::vec3(0.2f, 0, 0), {2.6f, 3.4f});
    addArmchair(b, translation(hearth + glm::vec3(0, 0, -1.25f)) * rotationY(kHalfPi - 0.55f), "leather");
    addArmchair(b, translation(hearth + glm::vec3(0, 0, 1.25f)) * rotationY(kHalfPi + 0.55f), "leather");
    addRoundTable(b, translation(hearth + glm::vec3(-0.45f, 0, 0)), 0.32f, 0.52f);
    addCup(b, translation(hearth + glm::vec3(-0.5f, 0.52f, 0.1f)));
    addBookStack(b, translation(hearth + glm::vec3(-0.4f, 0.52f, -0.12f)) * rotationY(0.7f), 2, 93u);

    // Pictures on the side walls, a bench under one, ceiling beams overhead.
    addPainting(b, wallFrame({12.8f, 2.4f, -kWingHalfWidth}, {0, 0, 1}), {1.6f, 1.2f}, 0);
    addPainting(b, wallFrame({12.8f, 2.4f, kWingHalfWidth}, {0, 0, -1}), {1.6f, 1.2f}, 2);
    addBench(b, wallFrame({12.8f, 0, -kWingHalfWidth}, {0, 0, 1}) * translation({0, 0, 0.3f}), 1.8f);
    addChest(b, wallFrame({12.8f, 0, kWingHalfWidth}, {0, 0, -1}) * translation({0, 0, 0.33f}));
    const LayerScope lining(b, DrawLayer::Lining);
    for (float x : {10.0f, 12.5f, 15.0f})
        b.add("timber",
              makeBevelledBox({0.25f, 0.22f, 2 * kWingHalfWidth}, 0.02f, b.uv("timber"),
                              kTopSide | kFrontSide | kBackSide),
              translation({x, kWingCeiling - 0.11f, 0}));
}
