#include <cmath>
#include <tuple>

#include "assets/mesh/primitives.h"
#include "assets/scene/flight_view.h"
#include "assets/scene/furniture.h"
#include "assets/texture/recipes.h"

using flight_view::circleSegments;
using flight_view::placed;

namespace {

constexpr float kPi = 3.14159265f;
constexpr float kHalfPi = 1.5707963f;

std::vector<glm::vec3> circle(float radius, int segments, float z) {
    std::vector<glm::vec3> points;
    for (int i = 0; i < segments; ++i) {
        const float a = 2.0f * kPi * static_cast<float>(i) / static_cast<float>(segments);
        points.emplace_back(radius * std::cos(a), radius * std::sin(a), z);
    }
    return points;
}

}  // namespace

void addRug(ModelBuilder& b, const glm::vec3& centre, const glm::vec2& size) {
    const LayerScope lining(b, DrawLayer::Lining);
    const float t = 0.012f;
    const glm::vec3 o = centre + glm::vec3(-size.x / 2, 0, size.y / 2);
    b.add("rug", makePictureQuad(o + glm::vec3(0, t, 0), {size.x, 0, 0}, {0, 0, -size.y}, {0, 0, 1, 1}));
    // The pile's edges, so the rug sits on the floor with some thickness.
    const glm::vec4 edge(0.0f, 0.0f, 1.0f, 0.01f);
    b.add("rug", makePictureQuad(o, {size.x, 0, 0}, {0, t, 0}, edge));
    b.add("rug", makePictureQuad(o + glm::vec3(size.x, 0, -size.y), {-size.x, 0, 0}, {0, t, 0}, edge));
    b.add("rug", makePictureQuad(o + glm::vec3(0, 0, -size.y), {0, 0, size.y}, {0, t, 0}, edge));
    b.add("rug", makePictureQuad(o + glm::vec3(size.x, 0, 0), {0, 0, -size.y}, {0, t, 0}, edge));
}

void addPainting(ModelBuilder& b, const glm::mat4& place, const glm::vec2& size, int cell) {
    const LayerScope lining(b, DrawLayer::Lining);
    const UvMapping gold = b.uv("gilding");
    const float f = 0.1f;       // frame width
    const float depth = 0.07f;  // how far the frame stands off the wall
    const float w = size.x, h = size.y;
    // Rails across the full width; the uprights end against them, cut off
    // square (the rails' chamfers leave a groove over each end). The back
    // lies against the wall.
    for (float s : {-1.0f, 1.0f}) {
        b.add("gilding", makeBevelledBox({w + 2 * f, f, depth}, 0.025f, gold, kBackSide),
              place * translation({0, s * (h + f) / 2, depth / 2}));
        b.add("gilding", makeBevelledBox({f, h, depth}, 0.025f, gold, kBackSide, kTopSide | kBottomSide),
              place * translation({s * (w + f) / 2, 0, depth / 2}));
    }
    // Crop the square atlas cell to the picture's aspect.
    glm::vec4 uv = atlasCell(cell % 2, cell / 2, 2);
    const float e = 0.004f;
    uv += glm::vec4(e, e, -e, -e);
    const float cw = uv.z - uv.x, ch = uv.w - uv.y;
    if (w > h) {
        const float keep = ch * h / w;
        uv.y += (ch - keep) / 2;
        uv.w = uv.y + keep;
    } else {
        const float keep = cw * w / h;
        uv.x += (cw - keep) / 2;
        uv.z = uv.x + keep;
    }
    b.add("paintings", makePictureQuad({-w / 2, -h / 2, 0.025f}, {w, 0, 0}, {0, h, 0}, uv), place);
}

void addWallClock(ModelBuilder& b, const glm::mat4& place, float radius) {
    const LayerScope lining(b, DrawLayer::Lining);
    const UvMapping brass = b.uv("brass");
    // The dial's outline lies under the brass ring, which hides its corners;
    // the case runs from the wall round to it.
    const int segments = circleSegments(radius + 0.055f, placed(place));
    b.add("clock_dial", makePolygon(circle(radius, segments, 0.05f), {0, 0, 1}, UvMapping{2.0f * radius}), place);
    b.add("walnut",
          makeLathe({{radius + 0.03f, 0.0f}, {radius + 0.03f, 0.05f}, {radius, 0.05f}}, segments, b.uv("walnut")),
          place * rotationX(kHalfPi));
    b.add("brass", makeTorus(radius + 0.02f, 0.035f, segments, circleSegments(0.035f, placed(place), 4), brass),
          place * translation({0, 0, 0.05f}) * rotationX(kHalfPi));
    // Ten past ten.
    const float handZ = 0.06f;
    const float hourAngle = 2.0f * kPi * (10.0f + 10.0f / 60.0f) / 12.0f;
    const float minuteAngle = 2.0f * kPi * 10.0f / 60.0f;
    for (const auto& [angle, length, width] :
         {std::tuple<float, float, float>{hourAngle, radius * 0.55f, 0.035f}, {minuteAngle, radius * 0.8f, 0.022f}}) {
        b.add("iron", makeBox({width, length, 0.008f}, b.uv("iron"), kBackSide),
              place * translation({0, 0, handZ}) * rotationZ(-angle) * translation({0, length / 2 - 0.04f, 0}));
    }
    const int boss = circleSegments(0.03f, placed(place));
    b.add("brass", makeSphere(0.03f, boss, boss / 2, brass), place * translation({0, 0, handZ}));
}

void addGlobe(ModelBuilder& b, const glm::mat4& place) {
    const float radius = 0.3f;
    const float centre = 1.0f;
    const UvMapping wood = b.uv("walnut");
    const UvMapping brass = b.uv("brass");
    const glm::vec3 at = placed(place, {0, centre, 0});
    const int ring = circleSegments(radius + 0.06f, at);
    // Tripod stand with a horizon ring.
    for (int i = 0; i < 3; ++i) {
        const float a = 2.0f * kPi * static_cast<float>(i) / 3.0f;
        b.add("walnut", makeLathe({{0.025f, 0.0f}, {0.025f, 0.82f}, {0.0f, 0.82f}}, circleSegments(0.025f, at), wood),
              place * rotationY(a) * translation({0.3f, 0, 0}) * rotationZ(0.3f));
    }
    // The post, closed below, runs up into the earth; the arms are closed rods.
    const int post = circleSegments(0.035f, at);
    b.add("walnut", makeCylinder(0.035f, centre - radius - 0.3f + 0.01f, post, false, wood),
          place * translation({0, 0.3f, 0}));
    b.add("walnut", makeLathe({{0.0f, 0.0f}, {0.035f, 0.0f}}, post, wood), place * translation({0, 0.3f, 0}));
    b.add("walnut", makeTorus(radius + 0.06f, 0.025f, ring, circleSegments(0.025f, at, 3), wood),
          place * translation({0, centre - 0.02f, 0}));
    for (int i = 0; i < 3; ++i) {
        const float a = 2.0f * kPi * static_cast<float>(i) / 3.0f + kPi / 3.0f;
        b.add("walnut", makeCylinder(0.018f, 0.42f, circleSegments(0.018f, at), true, wood),
              place * rotationY(a) * translation({0.23f, 0.6f, 0}) * rotationZ(0.45f));
    }
    // The earth leans on its axis inside a brass meridian.
    const glm::mat4 tilt = place * translation({0, centre, 0}) * rotationZ(0.41f);
    const int earth = circleSegments(radius, at);
    b.add("globe", makeSphere(radius, earth, earth / 2, UvMapping{kPi * radius}), tilt);
    b.add("brass", makeTorus(radius + 0.03f, 0.012f, ring, 3, brass), tilt * rotationX(kHalfPi));
}

// The small pieces below stand on tables and shelves: their undersides rest
// there and are left open.

void addCandlestick(ModelBuilder& b, const glm::mat4& place, float height) {
    const int segments = circleSegments(0.07f, placed(place));
    b.add("brass",
          makeLathe({{0.07f, 0.0f},
                     {0.07f, 0.015f},
                     {0.03f, 0.04f},
                     {0.018f, 0.08f},
                     {0.028f, 0.1f},
                     {0.015f, height * 0.6f},
                     {0.03f, height * 0.62f},
                     {0.022f, height * 0.66f},
                     {0.035f, height * 0.7f},
                     {0.035f, height * 0.72f},
                     {0.0f, height * 0.72f}},
                    segments, b.uv("brass"), 35.0f),
          place);
    b.add("ceramic_cream",
          makeLathe({{0.02f, 0.0f}, {0.02f, height * 0.5f}, {0.0f, height * 0.5f}},
                    circleSegments(0.02f, placed(place)), b.uv("ceramic_cream")),
          place * translation({0, height * 0.72f, 0}));
}

void addVase(ModelBuilder& b, const glm::mat4& place, const std::string& glaze, float height) {
    const float h = height;
    const glm::vec3 centre = placed(place, {0, h * 0.3f, 0});
    // Foot, shoulder and the inside of the lip are small steps of the profile:
    // where the flight stays far away they are left out.
    std::vector<glm::vec2> profile = {{h * 0.16f, 0.0f},     {h * 0.2f, h * 0.05f},  {h * 0.3f, h * 0.3f},
                                      {h * 0.28f, h * 0.5f}, {h * 0.14f, h * 0.78f}, {h * 0.11f, h * 0.9f},
                                      {h * 0.15f, h},        {h * 0.12f, h * 0.98f}, {0.0f, h * 0.9f}};
    if (!flight_view::showsDetail(h * 0.05f, centre))
        profile = {{h * 0.16f, 0.0f},     {h * 0.3f, h * 0.3f}, {h * 0.28f, h * 0.5f},
                   {h * 0.11f, h * 0.9f}, {h * 0.15f, h},       {0.0f, h * 0.9f}};
    b.add(glaze, makeLathe(profile, circleSegments(h * 0.3f, centre), b.uv(glaze), 50.0f), place);
}

void addBowlOfFruit(ModelBuilder& b, const glm::mat4& place) {
    b.add("ceramic_cream",
          makeLathe({{0.07f, 0.0f},
                     {0.075f, 0.02f},
                     {0.16f, 0.08f},
                     {0.19f, 0.13f},
                     {0.18f, 0.135f},
                     {0.15f, 0.09f},
                     {0.0f, 0.04f}},
                    circleSegments(0.19f, placed(place)), b.uv("ceramic_cream"), 50.0f),
          place);
    const glm::vec3 fruit[] = {{0.0f, 0.09f, 0.0f},
                               {0.08f, 0.1f, 0.03f},
                               {-0.06f, 0.1f, 0.06f},
                               {-0.03f, 0.1f, -0.08f},
                               {0.05f, 0.16f, -0.03f}};
    const int segments = circleSegments(0.05f, placed(place));
    for (const glm::vec3& p : fruit)
        b.add("terracotta", makeSphere(0.05f, segments, segments / 2, b.uv("terracotta")), place * translation(p));
}

void addJug(ModelBuilder& b, const glm::mat4& place) {
    const UvMapping glaze = b.uv("ceramic_blue");
    b.add("ceramic_blue",
          makeLathe({{0.07f, 0.0f},
                     {0.1f, 0.06f},
                     {0.1f, 0.14f},
                     {0.07f, 0.22f},
                     {0.075f, 0.26f},
                     {0.068f, 0.26f},
                     {0.0f, 0.2f}},
                    circleSegments(0.1f, placed(place)), glaze, 50.0f),
          place);
    b.add("ceramic_blue",
          makeTorus(0.06f, 0.012f, circleSegments(0.072f, placed(place)), circleSegments(0.012f, placed(place), 4),
                    glaze),
          place * translation({-0.09f, 0.16f, 0}) * rotationX(kHalfPi) * scaling({0.8f, 1.0f, 1.2f}));
}

void addCup(ModelBuilder& b, const glm::mat4& place) {
    const UvMapping glaze = b.uv("ceramic_cream");
    b.add("ceramic_cream",
          makeLathe({{0.03f, 0.0f}, {0.045f, 0.07f}, {0.04f, 0.07f}, {0.0f, 0.01f}},
                    circleSegments(0.045f, placed(place)), glaze, 50.0f),
          place);
    b.add("ceramic_cream", makeTorus(0.02f, 0.006f, circleSegments(0.02f, placed(place)), 4, glaze),
          place * translation({0.05f, 0.04f, 0}) * rotationX(kHalfPi));
}

void addLadder(ModelBuilder& b, const glm::mat4& place, float height, float lean) {
    const UvMapping wood = b.uv("oak");
    const glm::mat4 frame = place * rotationX(-lean);
    const float length = height / std::cos(lean);
    // The rails stand on the floor and lean towards the shelves above eye level.
    for (float s : {-1.0f, 1.0f})
        b.add("oak", makeBox({0.05f, length, 0.035f}, wood, kBottomSide),
              frame * translation({s * 0.22f, length / 2, 0}));
    const int segments = circleSegments(0.016f, placed(place));
    for (float y = 0.3f; y < length - 0.1f; y += 0.3f)
        b.add("oak", makeCylinder(0.016f, 0.44f, segments, false, wood),
              frame * translation({-0.22f, y, 0}) * rotationZ(-kHalfPi));
}
