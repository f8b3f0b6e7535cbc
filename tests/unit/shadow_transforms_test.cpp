#include <cmath>

#include <gtest/gtest.h>

#include "scene/shadow_transforms.h"

namespace {

TEST(ShadowProjection, IsASquareNinetyDegreeFrustumToTheFarPlane) {
    const glm::mat4 p = makeShadowProjection(kShadowMapSize, kShadowMapSize);
    EXPECT_EQ(p[0][0], 1.0f);
    EXPECT_EQ(p[1][1], 1.0f);
    EXPECT_NEAR(p[2][2], -1.0080322f, 1e-6f);
    EXPECT_EQ(p[2][3], -1.0f);
    EXPECT_NEAR(p[3][2], -0.2008032f, 1e-6f);
    EXPECT_EQ(p[3][3], 0.0f);
}

// Where GL samples a cube map for direction r: the face and its (s, t) in
// [-1, 1], from OpenGL's cube-map face-selection table.
struct CubeLookup {
    int face;
    float sc, tc;
};

CubeLookup glCubeLookup(const glm::vec3& r) {
    const glm::vec3 a = glm::abs(r);
    if (a.x >= a.y && a.x >= a.z)
        return r.x > 0 ? CubeLookup{0, -r.z / a.x, -r.y / a.x} : CubeLookup{1, r.z / a.x, -r.y / a.x};
    if (a.y >= a.z) return r.y > 0 ? CubeLookup{2, r.x / a.y, r.z / a.y} : CubeLookup{3, r.x / a.y, -r.z / a.y};
    return r.z > 0 ? CubeLookup{4, r.x / a.z, -r.y / a.z} : CubeLookup{5, -r.x / a.z, -r.y / a.z};
}

TEST(ShadowTransforms, EachFaceRendersWhatGlSamplesFromThatFace) {
    const glm::vec3 light(0.5f, 2.8f, -3.0f);
    const std::vector<glm::mat4> faces =
        computeShadowTransforms(makeShadowProjection(kShadowMapSize, kShadowMapSize), light);
    ASSERT_EQ(faces.size(), 6u);

    // Directions spread over the sphere, none on a cube edge.
    int checked[6] = {0, 0, 0, 0, 0, 0};
    for (int i = 0; i < 200; ++i) {
        const float u = std::fmod(0.6180339f * static_cast<float>(i), 1.0f);
        const float v = (static_cast<float>(i) + 0.5f) / 200.0f;
        const float phi = 6.2831853f * u;
        const float z = 1.0f - 2.0f * v;
        const float s = std::sqrt(1.0f - z * z);
        const glm::vec3 r(s * std::cos(phi), s * std::sin(phi), z);
        const CubeLookup lookup = glCubeLookup(r);
        const float distance = 3.7f;

        const glm::vec4 clip = faces[lookup.face] * glm::vec4(light + distance * r, 1.0f);
        ASSERT_GT(clip.w, 0.0f);
        EXPECT_NEAR(clip.x / clip.w, lookup.sc, 1e-4f) << "direction " << i << " face " << lookup.face;
        EXPECT_NEAR(clip.y / clip.w, lookup.tc, 1e-4f) << "direction " << i << " face " << lookup.face;
        const float ndcZ = clip.z / clip.w;
        EXPECT_GT(ndcZ, -1.0f);
        EXPECT_LT(ndcZ, 1.0f);
        ++checked[lookup.face];
    }
    for (int face = 0; face < 6; ++face) EXPECT_GT(checked[face], 10) << "face " << face;
}

TEST(ShadowTransforms, FaceZeroCentresThePositiveXAxisOfALightAtTheOrigin) {
    const std::vector<glm::mat4> faces =
        computeShadowTransforms(makeShadowProjection(kShadowMapSize, kShadowMapSize), glm::vec3(0.0f));
    const glm::vec4 clip = faces[0] * glm::vec4(1.0f, 0.0f, 0.0f, 1.0f);
    EXPECT_NEAR(clip.x, 0.0f, 1e-6f);
    EXPECT_NEAR(clip.y, 0.0f, 1e-6f);
    EXPECT_NEAR(clip.w, 1.0f, 1e-6f);
    // Beyond the far plane a point leaves the frustum, so the lighting must
    // not trust the cube map there.
    const glm::vec4 far = faces[0] * glm::vec4(kShadowFarPlane + 1.0f, 0.0f, 0.0f, 1.0f);
    EXPECT_GT(far.z / far.w, 1.0f);
}

}  // namespace
