#include <gtest/gtest.h>

#include <glm/gtc/matrix_transform.hpp>

#include "camera/floating_camera.h"

namespace {

constexpr float kAspect = 1280.0f / 720.0f;

void expectMatNear(const glm::mat4& a, const glm::mat4& b, float tolerance = 1e-5f) {
    for (int c = 0; c < 4; ++c)
        for (int r = 0; r < 4; ++r) EXPECT_NEAR(a[c][r], b[c][r], tolerance) << "[" << c << "][" << r << "]";
}

TEST(CameraConstruction, ProjectionsMatchTheDocumentedElements) {
    FloatingCamera camera(kAspect);
    const glm::mat4& p = camera.perspectiveMatrix;
    // 45 is taken as radians: 1/tan(22.5 rad), not the 2.414 of 45 degrees.
    EXPECT_NEAR(p[1][1], 1.7925910f, 1e-5f);
    EXPECT_NEAR(p[0][0], 1.7925910f / kAspect, 1e-5f);
    EXPECT_NEAR(p[2][2], -1.0002f, 1e-6f);
    EXPECT_FLOAT_EQ(p[2][3], -1.0f);
    EXPECT_NEAR(p[3][2], -0.20002f, 1e-6f);
    EXPECT_FLOAT_EQ(p[3][3], 0.0f);

    const glm::mat4& o = camera.orthoMatrix;
    EXPECT_FLOAT_EQ(o[0][0], 0.25f);
    EXPECT_FLOAT_EQ(o[1][1], 0.33333334f);
    EXPECT_NEAR(o[2][2], -0.018181818f, 1e-7f);
    EXPECT_NEAR(o[3][2], -0.8181818f, 1e-6f);
    EXPECT_FLOAT_EQ(o[3][3], 1.0f);
    EXPECT_FLOAT_EQ(o[3][0], 0.0f);
    EXPECT_FLOAT_EQ(o[3][1], 0.0f);

    expectMatNear(camera.projectionMatrix, camera.perspectiveMatrix, 0.0f);
}

TEST(CameraConstruction, StartsLookingDownMinusZWithDefaults) {
    FloatingCamera camera(kAspect);
    EXPECT_FLOAT_EQ(camera.yaw, -90.0f);
    EXPECT_FLOAT_EQ(camera.pitch, 0.0f);
    EXPECT_FLOAT_EQ(camera.sensitivity, 0.3f);
    EXPECT_NEAR(camera.front.x, -4.371139e-8f, 1e-12f);
    EXPECT_FLOAT_EQ(camera.front.y, 0.0f);
    EXPECT_FLOAT_EQ(camera.front.z, -1.0f);
    EXPECT_EQ(camera.position, glm::vec3(0.0f));
    expectMatNear(camera.viewProjectionMatrix, camera.projectionMatrix * camera.viewMatrix, 0.0f);

    // The program's own placement.
    camera.translate(glm::vec3(0.0f, 5.0f, 5.0f));
    camera.update();
    EXPECT_EQ(camera.position, glm::vec3(0.0f, 5.0f, 5.0f));
    expectMatNear(camera.getViewMatrix(),
                  glm::lookAt(glm::vec3(0, 5, 5), glm::vec3(0, 5, 5) + camera.front, glm::vec3(0, 1, 0)));
}

TEST(CameraRotate, PitchClampsWithoutStoringTheExcess) {
    FloatingCamera camera(kAspect);
    camera.rotate(0.0f, -1000.0f);  // mouse far up
    EXPECT_FLOAT_EQ(camera.pitch, 89.0f);
    camera.rotate(0.0f, 10.0f);  // back down 3 degrees at once
    EXPECT_FLOAT_EQ(camera.pitch, 86.0f);
    camera.rotate(0.0f, 1000.0f);
    EXPECT_FLOAT_EQ(camera.pitch, -89.0f);
    camera.rotate(0.0f, -1.0f);
    EXPECT_NEAR(camera.pitch, -88.7f, 1e-4f);
}

TEST(CameraRotate, ZeroOffsetRecomputesButKeepsAngles) {
    FloatingCamera camera(kAspect);
    camera.yaw = 0.0f;  // written directly: rotate(0, 0) must pick it up
    camera.rotate(0.0f, 0.0f);
    EXPECT_FLOAT_EQ(camera.yaw, 0.0f);
    EXPECT_FLOAT_EQ(camera.pitch, 0.0f);
    EXPECT_NEAR(camera.front.x, 1.0f, 1e-6f);
    EXPECT_NEAR(camera.front.z, 0.0f, 1e-6f);
}

TEST(CameraRotate, YawIsNeverWrappedAndMouseDirectionsMatch) {
    FloatingCamera camera(kAspect);
    camera.rotate(10.0f, 0.0f);  // mouse right turns from -z towards +x
    EXPECT_GT(camera.yaw, -90.0f);
    EXPECT_GT(camera.front.x, 0.0f);
    camera.rotate(0.0f, 10.0f);  // mouse down lowers the pitch
    EXPECT_LT(camera.pitch, 0.0f);
    EXPECT_LT(camera.front.y, 0.0f);

    FloatingCamera turned(kAspect);
    turned.rotate(720.0f / 0.3f, 0.0f);  // two full turns
    EXPECT_NEAR(turned.yaw, 630.0f, 1e-3f);
    FloatingCamera start(kAspect);
    EXPECT_NEAR(turned.front.x, start.front.x, 1e-4f);
    EXPECT_NEAR(turned.front.z, start.front.z, 1e-4f);
}

TEST(CameraMovement, ForwardIsHorizontalAtFullSpeedWhenLookingDown) {
    FloatingCamera camera(kAspect);
    camera.rotate(0.0f, 1000.0f);  // 89 degrees down
    camera.moveForward(2.0f);
    EXPECT_NEAR(camera.position.y, 0.0f, 1e-6f);
    EXPECT_NEAR(glm::length(camera.position), 2.0f, 1e-5f);
    EXPECT_NEAR(camera.position.z, -2.0f, 1e-4f);
}

TEST(CameraMovement, RightAndUpFollowTheAxes) {
    FloatingCamera camera(kAspect);
    camera.moveRight(3.0f);
    EXPECT_NEAR(camera.position.x, 3.0f, 1e-5f);
    camera.moveUp(-1.5f);
    EXPECT_NEAR(camera.position.y, -1.5f, 1e-6f);
    camera.moveForward(-1.0f);
    EXPECT_NEAR(camera.position.z, 1.0f, 1e-5f);
}

TEST(CameraProjection, OrthoSwitchReachesViewProjectionOnlyAfterUpdate) {
    FloatingCamera camera(kAspect);
    const glm::mat4 before = camera.viewProjectionMatrix;
    camera.projectionMatrix = camera.orthoMatrix;
    expectMatNear(camera.getViewProjectionMatrix(), before, 0.0f);
    camera.update();
    expectMatNear(camera.getViewProjectionMatrix(), camera.orthoMatrix * camera.viewMatrix);
}

TEST(CameraReset, RestoresStartOrientationButNotPosition) {
    FloatingCamera camera(kAspect);
    camera.rotate(100.0f, 50.0f);
    camera.setPosition(glm::vec3(1, 2, 3));
    camera.resetOrientation();
    EXPECT_FLOAT_EQ(camera.yaw, -90.0f);
    EXPECT_FLOAT_EQ(camera.pitch, 0.0f);
    EXPECT_FLOAT_EQ(camera.front.z, -1.0f);
    EXPECT_EQ(camera.position, glm::vec3(1, 2, 3));
}

}  // namespace
