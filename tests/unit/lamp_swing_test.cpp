#include <cmath>

#include <gtest/gtest.h>

#include <glm/gtc/matrix_transform.hpp>

#include "scene/lamp_swing.h"
#include "scene/object_transforms.h"

namespace {

TEST(LampSwing, AFrameOfZeroDurationDoesNotSwing) {
    LampSwing swing;
    EXPECT_EQ(swing.advance(0.0f), 0.0f);
    EXPECT_EQ(swing.swingAngle, 0.0f);
    EXPECT_EQ(swing.swingDirection, 1.0f);
}

TEST(LampSwing, TurnsAroundTheFrameAfterPassingTheTurnAngle) {
    LampSwing swing;
    const float dt = 1.0f / 60.0f;
    int frames = 0;
    while (swing.swingDirection > 0.0f) {
        const float step = swing.advance(dt);
        EXPECT_GT(step, 0.0f);
        ++frames;
        ASSERT_LT(frames, 1000);
    }
    // The angle overshoots by less than one step and is not clamped.
    EXPECT_GT(swing.swingAngle, kSwingTurnAngle);
    EXPECT_LT(swing.swingAngle, kSwingTurnAngle + dt * kSwingRate + 1e-6f);
    EXPECT_FLOAT_EQ(swing.advance(dt), -kSwingRate * dt);
}

TEST(LampSwing, ALongFrameFlipsOnceAndComesBackAtTheNormalRate) {
    LampSwing swing;
    EXPECT_FLOAT_EQ(swing.advance(5.0f), 1.0f);
    EXPECT_EQ(swing.swingDirection, -1.0f);
    // Back towards the band without flipping again until it passes -0.4.
    for (int i = 0; i < 60 * 6; ++i) {
        EXPECT_FLOAT_EQ(swing.advance(1.0f / 60.0f), -kSwingRate / 60.0f) << "frame " << i;
    }
    EXPECT_NEAR(swing.swingAngle, 1.0f - 1.2f, 1e-4f);
    EXPECT_EQ(swing.swingDirection, -1.0f);
}

TEST(LampSwing, MovesTheLightOnACircleAroundTheLampPivot) {
    glm::vec3 light(0.0f, 2.8f, 3.0f);
    glm::mat4 cube = glm::scale(glm::translate(glm::mat4(1.0f), light), glm::vec3(0.1f));
    glm::mat4 lamp = glm::translate(glm::mat4(1.0f), glm::vec3(0.0f, 4.0f, 3.0f));
    LampSwing swing;
    for (int i = 0; i < 100; ++i) {
        applySwingStep(swing.advance(0.05f), lamp, cube, light);
        const float a = swing.swingAngle;
        EXPECT_NEAR(light.x, 0.0f, 1e-5f);
        EXPECT_NEAR(light.y, 4.0f - 1.2f * std::cos(a), 1e-4f) << "frame " << i;
        EXPECT_NEAR(light.z, 3.0f - 1.2f * std::sin(a), 1e-4f) << "frame " << i;
    }
    // The lamp turns about its own origin, which stays put.
    EXPECT_NEAR(lamp[3][1], 4.0f, 1e-5f);
    EXPECT_NEAR(lamp[3][2], 3.0f, 1e-5f);
    const glm::vec3 lampDown = glm::vec3(lamp * glm::vec4(0.0f, -1.0f, 0.0f, 0.0f));
    EXPECT_NEAR(lampDown.z, -std::sin(swing.swingAngle), 1e-4f);
    // The cube keeps its scale while it turns.
    EXPECT_NEAR(glm::length(glm::vec3(cube[0])), 0.1f, 1e-5f);
}

TEST(ObjectTransforms, IdentityCameraPassesTheModelAndLightThrough) {
    const glm::mat4 identity(1.0f);
    const ObjectTransforms t = computeObjectTransforms(identity, identity, identity, {0.0f, 2.8f, 3.0f});
    EXPECT_EQ(t.modelViewProj, identity);
    EXPECT_EQ(t.modelView, identity);
    EXPECT_EQ(t.normalMatrix, identity);
    EXPECT_EQ(t.lightView, glm::vec3(0.0f, 2.8f, 3.0f));
}

TEST(ObjectTransforms, NormalMatrixIsTheTransposedInverse) {
    const glm::mat4 identity(1.0f);
    const glm::mat4 model = glm::translate(identity, glm::vec3(1.0f, 2.0f, 3.0f));
    const ObjectTransforms t = computeObjectTransforms(identity, identity, model, glm::vec3(0.0f));
    // The translation lands in the bottom row, negated; the last column stays (0, 0, 0, 1).
    EXPECT_EQ(t.normalMatrix[0][3], -1.0f);
    EXPECT_EQ(t.normalMatrix[1][3], -2.0f);
    EXPECT_EQ(t.normalMatrix[2][3], -3.0f);
    EXPECT_EQ(t.normalMatrix[3], glm::vec4(0.0f, 0.0f, 0.0f, 1.0f));

    // A non-uniform scale: normals must stay perpendicular to surfaces.
    const glm::mat4 view = glm::lookAt(glm::vec3(1, 2, 5), glm::vec3(0), glm::vec3(0, 1, 0));
    const glm::mat4 projection = glm::perspective(0.8f, 1.5f, 0.1f, 100.0f);
    const glm::mat4 squash = glm::scale(glm::rotate(identity, 0.7f, glm::vec3(0, 1, 0)), glm::vec3(3, 1, 0.5f));
    const ObjectTransforms s = computeObjectTransforms(view, projection * view, squash, glm::vec3(1, 1, 1));
    const glm::vec3 tangent = glm::vec3(s.modelView * glm::vec4(1, 1, 0, 0));
    const glm::vec3 normal = glm::vec3(s.normalMatrix * glm::vec4(1, -1, 0, 0));  // perpendicular before
    EXPECT_NEAR(glm::dot(tangent, normal), 0.0f, 1e-5f);
    EXPECT_EQ(s.modelViewProj, projection * view * squash);
    const glm::vec4 lightView = view * glm::vec4(1, 1, 1, 1);
    EXPECT_NEAR(glm::distance(s.lightView, glm::vec3(lightView)), 0.0f, 1e-6f);
}

}  // namespace
