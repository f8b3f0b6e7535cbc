#include <cmath>

#include <gtest/gtest.h>

#include <glm/gtc/matrix_transform.hpp>

#include "scene/lamp_swing.h"

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
    EXPECT_GT(swing.swingAngle, room::kSwingTurnAngle);
    EXPECT_LT(swing.swingAngle, room::kSwingTurnAngle + dt * kSwingRate + 1e-6f);
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
    // A pose turned in one step lies on the same circle.
    const LampState swung = LampState::swungBy(-0.3f);
    EXPECT_NEAR(swung.lightPosition.y, 4.0f - 1.2f * std::cos(-0.3f), 1e-4f);
    EXPECT_NEAR(swung.lightPosition.z, 3.0f - 1.2f * std::sin(-0.3f), 1e-4f);
    EXPECT_EQ(swung.lampModelMatrix,
              glm::rotate(glm::translate(glm::mat4(1.0f), room::kLampPivot), -0.3f, glm::vec3(1.0f, 0.0f, 0.0f)));
}

}  // namespace
