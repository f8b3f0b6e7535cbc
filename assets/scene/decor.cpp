#include <cmath>
#include <tuple>

#include "assets/mesh/primitives.h"
#include "assets/scene/furniture.h"
#include "assets/texture/recipes.h"

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
    for (float s : {-1.0f, 1.0f}) {
        b.add("gilding", makeBevelledBox({w + 2 * f, f, depth}, 0.025f, gold), place * translation({0, s * (h + f) / 2, depth / 2}));
        b.add("gilding", makeBevelledBox({f, h, depth}, 0.025f, gold), place * translation({s * (w + f) / 2, 0, depth / 2}));
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
    b.add("clock_dial", makePolygon(circle(radius, 48, 0.05f), {0, 0, 1}, UvMapping{2.0f * radius}), place);
    b.add("walnut", makeCylinder(radius + 0.03f, 0.05f, 32, false, b.uv("walnut")), place * rotationX(kHalfPi));
    b.add("brass", makeTorus(radius + 0.02f, 0.035f, 32, 6, brass), place * translation({0, 0, 0.05f}) * rotationX(kHalfPi));
    // Ten past ten.
    const float handZ = 0.06f;
    const float hourAngle = 2.0f * kPi * (10.0f + 10.0f / 60.0f) / 12.0f;
    const float minuteAngle = 2.0f * kPi * 10.0f / 60.0f;
    for (const auto& [angle, length, width] :
         {std::tuple<float, float, float>{hourAngle, radius * 0.55f, 0.035f}, {minuteAngle, radius * 0.8f, 0.022f}}) {
        b.add("iron", makeBox({width, length, 0.008f}, b.uv("iron")),
              place * translation({0, 0, handZ}) * rotationZ(-angle) * translation({0, length / 2 - 0.04f, 0}));
    }
    b.add("brass", makeSphere(0.03f, 12, 6, brass), place * translation({0, 0, handZ}));
}

void addGlobe(ModelBuilder& b, const glm::mat4& place) {
    const float radius = 0.3f;
    const float centre = 1.0f;
    const UvMapping wood = b.uv("walnut");
    const UvMapping brass = b.uv("brass");
    // Tripod stand with a horizon ring.
    for (int i = 0; i < 3; ++i) {
        const float a = 2.0f * kPi * static_cast<float>(i) / 3.0f;
        b.add("walnut", makeCylinder(0.025f, 0.82f, 8, true, wood),
              place * rotationY(a) * translation({0.3f, 0, 0}) * rotationZ(0.3f));
    }
    b.add("walnut", makeCylinder(0.035f, centre - radius - 0.05f, 10, true, wood), place * translation({0, 0.3f, 0}));
    b.add("walnut", makeTorus(radius + 0.06f, 0.025f, 40, 6, wood), place * translation({0, centre - 0.02f, 0}));
    for (int i = 0; i < 3; ++i) {
        const float a = 2.0f * kPi * static_cast<float>(i) / 3.0f + kPi / 3.0f;
        b.add("walnut", makeCylinder(0.018f, 0.42f, 6, true, wood),
              place * rotationY(a) * translation({0.23f, 0.6f, 0}) * rotationZ(0.45f));
    }
    // The earth leans on its axis inside a brass meridian.
    const glm::mat4 tilt = place * translation({0, centre, 0}) * rotationZ(0.41f);
    b.add("globe", makeSphere(radius, 32, 16, UvMapping{kPi * radius}), tilt);
    b.add("brass", makeTorus(radius + 0.03f, 0.012f, 40, 6, brass), tilt * rotationX(kHalfPi));
}

void addCandlestick(ModelBuilder& b, const glm::mat4& place, float height) {
    b.add("brass",
          makeLathe({{0.0f, 0.0f},
                     {0.07f, 0.0f},
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
                    10, b.uv("brass"), 35.0f),
          place);
    b.add("ceramic_cream", makeCylinder(0.02f, height * 0.5f, 10, true, b.uv("ceramic_cream")),
          place * translation({0, height * 0.72f, 0}));
}

void addVase(ModelBuilder& b, const glm::mat4& place, const std::string& glaze, float height) {
    const float h = height;
    b.add(glaze,
          makeLathe({{0.0f, 0.0f},
                     {h * 0.16f, 0.0f},
                     {h * 0.2f, h * 0.05f},
                     {h * 0.3f, h * 0.3f},
                     {h * 0.28f, h * 0.5f},
                     {h * 0.14f, h * 0.78f},
                     {h * 0.11f, h * 0.9f},
                     {h * 0.15f, h},
                     {h * 0.12f, h * 0.98f},
                     {0.0f, h * 0.9f}},
                    12, b.uv(glaze), 50.0f),
          place);
}

void addBowlOfFruit(ModelBuilder& b, const glm::mat4& place) {
    b.add("ceramic_cream",
          makeLathe({{0.0f, 0.0f},
                     {0.07f, 0.0f},
                     {0.075f, 0.02f},
                     {0.16f, 0.08f},
                     {0.19f, 0.13f},
                     {0.18f, 0.135f},
                     {0.15f, 0.09f},
                     {0.0f, 0.04f}},
                    24, b.uv("ceramic_cream"), 50.0f),
          place);
    const glm::vec3 fruit[] = {{0.0f, 0.09f, 0.0f}, {0.08f, 0.1f, 0.03f}, {-0.06f, 0.1f, 0.06f},
                               {-0.03f, 0.1f, -0.08f}, {0.05f, 0.16f, -0.03f}};
    for (const glm::vec3& p : fruit) b.add("terracotta", makeSphere(0.05f, 12, 8, b.uv("terracotta")), place * translation(p));
}

void addJug(ModelBuilder& b, const glm::mat4& place) {
    const UvMapping glaze = b.uv("ceramic_blue");
    b.add("ceramic_blue",
          makeLathe({{0.0f, 0.0f},
                     {0.07f, 0.0f},
                     {0.1f, 0.06f},
                     {0.1f, 0.14f},
                     {0.07f, 0.22f},
                     {0.075f, 0.26f},
                     {0.068f, 0.26f},
                     {0.0f, 0.2f}},
                    20, glaze, 50.0f),
          place);
    b.add("ceramic_blue", makeTorus(0.06f, 0.012f, 14, 6, glaze),
          place * translation({-0.09f, 0.16f, 0}) * rotationX(kHalfPi) * scaling({0.8f, 1.0f, 1.2f}));
}

void addCup(ModelBuilder& b, const glm::mat4& place) {
    const UvMapping glaze = b.uv("ceramic_cream");
    b.add("ceramic_cream",
          makeLathe({{0.0f, 0.0f}, {0.03f, 0.0f}, {0.045f, 0.07f}, {0.04f, 0.07f}, {0.0f, 0.01f}}, 16, glaze, 50.0f),
          place);
    b.add("ceramic_cream", makeTorus(0.02f, 0.006f, 10, 5, glaze), place * translation({0.05f, 0.04f, 0}) * rotationX(kHalfPi));
}

void addLadder(ModelBuilder& b, const glm::mat4& place, float height, float lean) {
    const UvMapping wood = b.uv("oak");
    const glm::mat4 frame = place * rotationX(-lean);
    const float length = height / std::cos(lean);
    for (float s : {-1.0f, 1.0f})
        b.add("oak", makeBevelledBox({0.05f, length, 0.035f}, 0.008f, wood), frame * translation({s * 0.22f, length / 2, 0}));
    for (float y = 0.3f; y < length - 0.1f; y += 0.3f)
        b.add("oak", makeCylinder(0.016f, 0.44f, 8, false, wood), frame * translation({-0.22f, y, 0}) * rotationZ(-kHalfPi));
}
