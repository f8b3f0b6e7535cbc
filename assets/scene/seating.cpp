#include "assets/mesh/primitives.h"
#include "assets/scene/flight_view.h"
#include "assets/scene/furniture.h"

using flight_view::circleSegments;
using flight_view::placed;
using flight_view::showsDetail;

namespace {

constexpr float kHalfPi = 1.5707963f;

// A turned leg shaped for the given height, tapering towards the floor to a
// ring below the seat, and cut off at top (the seat's underside). Open at
// both ends: it stands on the floor and carries a seat.
MeshPart turnedLeg(float height, float top, float radius, UvMapping uv, int segments) {
    const float r = radius;
    const float ring = height * 0.58f;
    const float topRadius = r * 1.15f + (r - r * 1.15f) * (top - ring) / (height - ring);
    return makeLathe({{r * 0.7f, 0.0f}, {r * 1.15f, ring}, {topRadius, top}}, segments, uv, 35.0f);
}

// Upholstered body shared by armchairs and sofas: width is the outside width.
void addUpholstered(ModelBuilder& b, const glm::mat4& place, float width, int cushions, const std::string& cover) {
    const UvMapping fabric = b.uv(cover);
    const UvMapping wood = b.uv("walnut");
    const float depth = 0.88f;
    const float armWidth = 0.16f;
    const float inner = width - 2 * armWidth;
    // Plinth, arms and back.
    b.add(cover, makeBevelledBox({width, 0.3f, depth}, 0.03f, fabric, 0, kBottomSide),
          place * translation({0, 0.25f, 0}));
    const float rollRadius = armWidth * 0.62f;
    for (float side : {-1.0f, 1.0f}) {
        const float x = side * (width / 2 - armWidth / 2);
        // The arm stands in the plinth, and its top lies inside the roll along it.
        b.add(cover, makeBevelledBox({armWidth, 0.3f, depth}, 0.02f, fabric, 0, kBottomSide | kTopSide),
              place * translation({x, 0.5f, 0}));
        b.add(cover,
              makeCylinder(rollRadius, depth + 0.02f, circleSegments(rollRadius, placed(place, {x, 0.66f, 0})), true,
                           fabric),
              place * translation({x, 0.66f, depth / 2 + 0.01f}) * rotationX(-kHalfPi));
    }
    b.add(cover, makeBevelledBox({width, 0.62f, 0.2f}, 0.04f, fabric, 0, kBottomSide),
          place * translation({0, 0.71f, -depth / 2 + 0.1f}) * rotationX(-0.12f));
    // Seat and back cushions, a hair apart so their seams shade.
    const float cushionWidth = inner / static_cast<float>(cushions);
    for (int i = 0; i < cushions; ++i) {
        const float x = -inner / 2 + cushionWidth * (static_cast<float>(i) + 0.5f);
        b.add(cover, makeBevelledBox({cushionWidth - 0.01f, 0.15f, depth - 0.24f}, 0.045f, fabric, kBottomSide),
              place * translation({x, 0.475f, 0.1f}));
        b.add(cover, makeBevelledBox({cushionWidth - 0.02f, 0.42f, 0.15f}, 0.06f, fabric, 0, kBottomSide),
              place * translation({x, 0.78f, -depth / 2 + 0.26f}) * rotationX(-0.16f));
    }
    // Feet: open cones between the floor and the plinth.
    for (float sx : {-1.0f, 1.0f})
        for (float sz : {-1.0f, 1.0f}) {
            const glm::vec3 foot(sx * (width / 2 - 0.08f), 0.0f, sz * (depth / 2 - 0.08f));
            b.add("walnut", makeCone(0.025f, 0.035f, 0.1f, circleSegments(0.035f, placed(place, foot)), false, wood),
                  place * translation(foot));
        }
}

}  // namespace

void addDiningChair(ModelBuilder& b, const glm::mat4& place, const std::string& cushion) {
    const UvMapping wood = b.uv("walnut");
    const float seat = 0.46f;
    const glm::vec3 centre = placed(place, {0, seat, 0});
    const int legSegments = circleSegments(0.022f * 1.15f, centre);
    for (float sx : {-1.0f, 1.0f})
        for (float sz : {-1.0f, 1.0f})
            b.add("walnut", turnedLeg(seat - 0.03f, seat - 0.05f, 0.022f, wood, legSegments),
                  place * translation({sx * 0.2f, 0, sz * 0.19f}));
    for (float sx : {-1.0f, 1.0f})
        b.add("walnut", makeBox({0.025f, 0.03f, 0.36f}, wood, kFrontSide | kBackSide),
              place * translation({sx * 0.2f, 0.14f, 0}));
    // Near the flight the edges keep their bevels; further away they would be
    // less than two pixels wide.
    const float bevel = showsDetail(0.01f, centre) ? 1.0f : 0.0f;
    b.add("walnut", makeBevelledBox({0.47f, 0.05f, 0.45f}, 0.012f * bevel, wood, 0, kBottomSide),
          place * translation({0, seat - 0.025f, 0}));
    b.add(cushion, makeBevelledBox({0.42f, 0.05f, 0.4f}, 0.02f, b.uv(cushion), kBottomSide),
          place * translation({0, seat + 0.02f, 0.01f}));
    // Back: two raked posts, a curved top rail and three splats.
    const glm::mat4 back = place * translation({0, seat, -0.2f}) * rotationX(-0.1f);
    for (float sx : {-1.0f, 1.0f})
        b.add("walnut", makeBevelledBox({0.04f, 0.56f, 0.04f}, 0.008f * bevel, wood, kBottomSide),
              back * translation({sx * 0.2f, 0.28f, 0}));
    b.add("walnut", makeBevelledBox({0.46f, 0.08f, 0.035f}, 0.01f * bevel, wood, 0, kBottomSide),
          back * translation({0, 0.52f, 0}));
    b.add("walnut", makeBox({0.4f, 0.04f, 0.025f}, wood), back * translation({0, 0.14f, 0}));
    // The splats run from the lower rail into the top rail.
    for (float x : {-0.09f, 0.0f, 0.09f})
        b.add("walnut", makeBox({0.04f, 0.32f, 0.015f}, wood, kBottomSide | kTopSide),
              back * translation({x, 0.32f, 0}));
}

void addArmchair(ModelBuilder& b, const glm::mat4& place, const std::string& cover) {
    addUpholstered(b, place, 0.92f, 1, cover);
}

void addSofa(ModelBuilder& b, const glm::mat4& place, float width, const std::string& cover) {
    addUpholstered(b, place, width, width > 1.8f ? 3 : 2, cover);
}

void addBench(ModelBuilder& b, const glm::mat4& place, float width) {
    const UvMapping wood = b.uv("oak");
    b.add("oak", makeBevelledBox({width, 0.06f, 0.4f}, 0.015f, wood, 0, kBottomSide),
          place * translation({0, 0.45f, 0}));
    for (float side : {-1.0f, 1.0f}) {
        const float x = side * (width / 2 - 0.2f);
        b.add("oak", makeBox({0.06f, 0.42f, 0.34f}, wood, kBottomSide | kTopSide), place * translation({x, 0.21f, 0}));
    }
    b.add("oak", makeBox({width - 0.4f, 0.06f, 0.04f}, wood), place * translation({0, 0.12f, 0}));
}
