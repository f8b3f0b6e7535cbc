#include <algorithm>
#include <cmath>

#include "assets/mesh/primitives.h"
#include "assets/scene/flight_view.h"
#include "assets/scene/layout.h"
#include "assets/scene/scene_parts.h"

using namespace layout;

namespace {

constexpr float kHalfPi = 1.5707963f;

// A beam of the given cross-section from a to b (both in the plane z = const).
glm::mat4 beamBetween(const glm::vec3& a, const glm::vec3& b) {
    const glm::vec3 d = b - a;
    return translation((a + b) * 0.5f) * rotationZ(std::atan2(d.y, d.x));
}

void addTruss(ModelBuilder& b, float z) {
    const UvMapping timber = b.uv("timber");
    const float w = kHallHalfWidth;
    const float tieMid = kTieBeamBottom + kTieBeamDepth / 2;
    // Beams end in the walls and lie against the roof; where one ends in
    // another beam, it is cut off square.
    b.add("timber", makeBevelledBox({2 * w, kTieBeamDepth, 0.3f}, 0.02f, timber, kLeftSide | kRightSide),
          translation({0, tieMid, z}));
    // A collar high up ties the rafters; nothing stands on the hall's centre
    // line, so the view down the hall stays open.
    const float collarY = kRidgeHeight - 1.0f;
    const float collarHalf = kHallHalfWidth * (kRidgeHeight - collarY) / (kRidgeHeight - kEaveHeight);
    b.add("timber", makeBevelledBox({2 * collarHalf, 0.22f, 0.2f}, 0.02f, timber, 0, kLeftSide | kRightSide),
          translation({0, collarY - 0.2f, z}));
    const float rise = kRidgeHeight - kEaveHeight;
    const float slope = std::sqrt(w * w + rise * rise);
    // Down-facing unit normal of the left slope; the right slope mirrors it.
    const glm::vec2 n(rise / slope, -w / slope);
    for (float side : {-1.0f, 1.0f}) {
        const glm::vec3 eave(side * w, kEaveHeight, z);
        const glm::vec3 ridge(0, kRidgeHeight, z);
        const glm::vec3 down(-side * n.x, n.y, 0);  // away from the slope, into the hall
        const glm::vec3 rafterOffset = down * 0.13f;
        // beamBetween turns the right rafter's +y down, into the hall.
        const unsigned againstRoof = side < 0 ? kTopSide : kBottomSide;
        b.add("timber", makeBevelledBox({slope, 0.26f, 0.24f}, 0.02f, timber, againstRoof, kLeftSide | kRightSide),
              beamBetween(eave + rafterOffset, ridge + rafterOffset));
        // Corbel under the tie beam's end.
        b.add("timber",
              makeBevelledBox({0.24f, 0.7f, 0.3f}, 0.02f, timber, side < 0 ? kLeftSide : kRightSide, kTopSide),
              translation({side * (w - 0.12f), kTieBeamBottom - 0.35f, z}));
    }
}

constexpr float kLinkRadius = 0.042f;
constexpr float kLinkWire = 0.01f;
constexpr float kLinkStretch = 1.5f;
// Inside length of one link: the spacing at which links interlock.
constexpr float kLinkPitch = 2.0f * (kLinkRadius - kLinkWire) * kLinkStretch;

// A chain link: an elongated ring standing upright, turned by quarter turns.
MeshPart chainLink(float quarterTurns, const glm::vec3& at) {
    // The wire is a few pixels thick from the flight: three sides will do.
    const int segments = std::min(8, flight_view::circleSegments(kLinkRadius * kLinkStretch, at));
    const MeshPart ring = makeTorus(kLinkRadius, kLinkWire, segments, 3, UvMapping{0.5f});
    return transformed(ring,
                       rotationY(quarterTurns * kHalfPi) * scaling({1.0f, kLinkStretch, 1.0f}) * rotationX(kHalfPi));
}

}  // namespace

void addRoofTimbers(ModelBuilder& b) {
    // The timbers hide only the roof above them; the lamp's chain hangs free.
    LayerScope layer(b, DrawLayer::Lining);
    for (float z : kTrussZ) addTruss(b, z);
    const float w = kHallHalfWidth;
    const float hallLength = kHallBack - kHallFront;
    const float midZ = (kHallBack + kHallFront) / 2;
    const UvMapping timber = b.uv("timber");
    // Ridge beam and a purlin along each slope.
    b.add("timber", makeBevelledBox({0.3f, 0.32f, hallLength}, 0.02f, timber, kTopSide | kFrontSide | kBackSide),
          translation({0, kRidgeHeight - 0.22f, midZ}));
    const float rise = kRidgeHeight - kEaveHeight;
    const float angle = std::atan2(rise, w);
    for (float side : {-1.0f, 1.0f}) {
        const glm::vec3 mid(side * w / 2, (kEaveHeight + kRidgeHeight) / 2, midZ);
        const glm::vec3 down(-side * std::sin(angle), -std::cos(angle), 0);
        b.add("timber", makeBevelledBox({0.22f, 0.22f, hallLength}, 0.02f, timber, kTopSide | kFrontSide | kBackSide),
              translation(mid + down * 0.11f) * rotationZ(-side * angle));
    }
    b.setLayer(DrawLayer::Free);

    // The lamp hangs from the tie beam above the table: a rose plate and a
    // rod, then a chain whose last link holds the lamp's loop at the swing pivot.
    constexpr int kLinks = 12;
    const glm::vec3 p = kLampPivot;
    // The lowest link's inside bottom rests on the pivot.
    const float firstLink = p.y + kLinkPitch / 2;
    const float chainTop = firstLink + kLinkPitch * static_cast<float>(kLinks - 1) + kLinkPitch / 2;
    const float rose = kTieBeamBottom - 0.05f;
    b.add("brass", makeCone(0.1f, 0.06f, 0.05f, 16, true, b.uv("brass")), translation({p.x, rose, p.z}));
    b.add("brass", makeCylinder(0.014f, rose - chainTop + 0.02f, 10, false, b.uv("brass")),
          translation({p.x, chainTop - 0.02f, p.z}));
    b.add("brass", makeSphere(0.024f, 10, 6, b.uv("brass")), translation({p.x, chainTop, p.z}));
    for (int i = 0; i < kLinks; ++i) {
        const float y = firstLink + static_cast<float>(i) * kLinkPitch;
        b.add("iron", chainLink(static_cast<float>(i % 2), {p.x, y, p.z}), translation({p.x, y, p.z}));
    }
}
