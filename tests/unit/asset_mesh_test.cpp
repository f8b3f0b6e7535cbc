#include <cmath>
#include <stdexcept>

#include <gtest/gtest.h>

#include "assets/mesh/primitives.h"
#include "assets/mesh/triangulate.h"
#include "tests/support/mesh_checks.h"

namespace {

constexpr double kPi = 3.14159265358979;

MeshRecord record(const MeshPart& part) {
    MeshRecord mesh;
    mesh.vertices = part.vertices;
    mesh.indices = part.indices;
    return mesh;
}

void expectSound(const MeshPart& part, const char* what) {
    const std::vector<std::string> faults = meshFaults(record(part));
    EXPECT_TRUE(faults.empty()) << what << ": " << (faults.empty() ? "" : faults.front());
}

double volume(const MeshPart& part) { return signedVolume(part.vertices, part.indices); }

}  // namespace

TEST(Primitives, ClosedSolidsFaceOutwardsAndEncloseTheirVolume) {
    // A solid whose faces point inwards has a negative signed volume.
    EXPECT_NEAR(volume(makeBox({1.0f, 2.0f, 3.0f})), 6.0, 1e-4);
    EXPECT_NEAR(volume(makeSphere(1.0f, 48, 24)), 4.0 / 3.0 * kPi, 0.05);
    EXPECT_NEAR(volume(makeCylinder(0.5f, 2.0f, 64)), kPi * 0.25 * 2.0, 0.01);
    EXPECT_NEAR(volume(makeCone(1.0f, 0.0f, 3.0f, 64)), kPi * 1.0 * 3.0 / 3.0, 0.02);
    EXPECT_NEAR(volume(makeTorus(1.0f, 0.25f, 64, 32)), 2.0 * kPi * kPi * 1.0 * 0.0625, 0.01);
    // A bevel b cuts a prism of section b*b/2 along each edge's inner part and
    // leaves b^3/6 of each corner's b-sized cube.
    const double b = 0.1;
    const double bevelled = 1.0 * 2.0 * 3.0 - 2.0 * b * b * (1.0 + 2.0 + 3.0 - 6.0 * b) - 8.0 * (5.0 / 6.0) * b * b * b;
    EXPECT_NEAR(volume(makeBevelledBox({1.0f, 2.0f, 3.0f}, 0.1f)), bevelled, 1e-3);
    // Cut off square at both ends along x: a prism of the chamfered section.
    EXPECT_NEAR(volume(makeBevelledBox({1.0f, 2.0f, 3.0f}, 0.1f, {}, 0, kLeftSide | kRightSide)),
                1.0 * (2.0 * 3.0 - 4.0 * b * b / 2.0), 1e-3);
    // An L-shaped (concave) outline, extruded.
    const std::vector<glm::vec2> ell = {{0, 0}, {2, 0}, {2, 1}, {1, 1}, {1, 2}, {0, 2}};
    EXPECT_NEAR(volume(makeExtrusion(ell, 0.5f)), 3.0 * 0.5, 1e-4);
}

TEST(Primitives, NormalsTangentsAndUvsAgreeWithWinding) {
    expectSound(makeBox({1.0f, 2.0f, 3.0f}, UvMapping{0.7f}), "box");
    expectSound(makeBevelledBox({1.0f, 0.5f, 2.0f}, 0.05f), "bevelled box");
    expectSound(makeBevelledBox({1.0f, 0.5f, 2.0f}, 0.05f, {}, kBackSide, kTopSide | kLeftSide), "cut-off box");
    expectSound(makeSphere(1.0f, 16, 8), "sphere");
    expectSound(makeCone(0.5f, 0.2f, 1.0f, 12), "frustum");
    expectSound(makeTorus(0.5f, 0.1f, 16, 8), "torus");
    expectSound(makeExtrusion({{0, 0}, {1, 0}, {1.2f, 0.5f}, {1, 1}, {0, 1}}, 0.3f, {}, 40.0f), "extrusion");
    // A lathe that runs down its inside as well (a bowl) faces into the bowl there.
    expectSound(makeLathe({{0.0f, 0.0f}, {0.2f, 0.0f}, {0.3f, 0.2f}, {0.28f, 0.2f}, {0.0f, 0.05f}}, 12), "bowl");
    expectSound(makePolygon({{0, 0, 0}, {0, 0, 1}, {0, 1, 1}, {0, 1, 0}}, {-1, 0, 0}), "polygon given clockwise");
    expectSound(makeQuad({0, 3, 0}, {2, 0, 0}, {0, 0, 2}), "ceiling quad");
}

TEST(Primitives, LargeQuadsSplitIntoTilesWithinTheUnitSquare) {
    const MeshPart floor = makeQuad({0, 0, 0}, {5.0f, 0, 0}, {0, 0, -3.0f}, UvMapping{2.0f, {0.5f, 0.0f}});
    EXPECT_EQ(floor.triangleCount(), 2u * 3u * 2u);  // u: 0.5..1, 1..2, 2..3; v: 0..1, 1..1.5
    double area = 0.0;
    for (std::size_t i = 0; i < floor.indices.size(); i += 3) {
        const glm::vec3 a = floor.vertices[floor.indices[i]].position;
        const glm::vec3 b = floor.vertices[floor.indices[i + 1]].position;
        const glm::vec3 c = floor.vertices[floor.indices[i + 2]].position;
        area += glm::length(glm::cross(b - a, c - a)) / 2.0;
        EXPECT_GT(glm::cross(b - a, c - a).y, 0.0f);
    }
    EXPECT_NEAR(area, 15.0, 1e-4);
    for (const Vertex& v : floor.vertices) {
        EXPECT_GE(v.texCoords.x, 0.0f);
        EXPECT_LE(v.texCoords.x, 1.0f + 1e-5f);
        EXPECT_GE(v.texCoords.y, 0.0f);
        EXPECT_LE(v.texCoords.y, 1.0f + 1e-5f);
    }
}

TEST(Primitives, TransformsKeepFramesAndRefuseMirroring) {
    const glm::mat4 m = translation({1, 2, 3}) * rotationY(0.7f) * scaling({2.0f, 1.0f, 0.5f});
    const MeshPart box = transformed(makeBox({1, 1, 1}), m);
    expectSound(box, "scaled and turned box");
    EXPECT_NEAR(volume(box), 1.0, 1e-4);
    EXPECT_THROW(transformed(makeBox({1, 1, 1}), scaling({-1.0f, 1.0f, 1.0f})), std::invalid_argument);
}

TEST(Triangulation, ConcaveOutlinesAreCoveredExactlyOnce) {
    // A U shape: ear clipping must not cut across the notch.
    const std::vector<glm::vec2> u = {{0, 0}, {3, 0}, {3, 3}, {2, 3}, {2, 1}, {1, 1}, {1, 3}, {0, 3}};
    const std::vector<std::uint32_t> tris = triangulatePolygon(u);
    ASSERT_EQ(tris.size(), (u.size() - 2) * 3);
    float area = 0.0f;
    for (std::size_t i = 0; i < tris.size(); i += 3) {
        const glm::vec2 a = u[tris[i]], b = u[tris[i + 1]], c = u[tris[i + 2]];
        const float twice = (b.x - a.x) * (c.y - a.y) - (c.x - a.x) * (b.y - a.y);
        EXPECT_GT(twice, 0.0f);
        area += twice / 2.0f;
        // No triangle covers the notch's middle.
        const glm::vec2 notch(1.5f, 2.0f);
        const float s0 = (b.x - a.x) * (notch.y - a.y) - (notch.x - a.x) * (b.y - a.y);
        const float s1 = (c.x - b.x) * (notch.y - b.y) - (notch.x - b.x) * (c.y - b.y);
        const float s2 = (a.x - c.x) * (notch.y - c.y) - (notch.x - c.x) * (a.y - c.y);
        EXPECT_FALSE(s0 > 0 && s1 > 0 && s2 > 0);
    }
    EXPECT_FLOAT_EQ(area, 7.0f);
    EXPECT_THROW(makeExtrusion({{0, 0}, {0, 1}, {1, 1}, {1, 0}}, 1.0f), std::invalid_argument);
}
