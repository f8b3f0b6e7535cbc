#include "camera/fps_camera.h"

#include <cmath>

#include <glm/gtc/matrix_transform.hpp>

namespace {
constexpr float kDegreesToRadians = 0.017453292f;
constexpr float kPitchLimit = 89.0f;
constexpr float kStartYaw = -90.0f;
}  // namespace

FPSCamera::FPSCamera(float aspect)
    : Camera(aspect), yaw(kStartYaw), pitch(0.0f), front(0.0f), sensitivity(0.3f), up(0.0f, 1.0f, 0.0f) {
    rotate(0.0f, 0.0f);
    update();
}

void FPSCamera::update() {
    viewMatrix = glm::lookAt(position, position + front, up);
    viewProjectionMatrix = projectionMatrix * viewMatrix;
}

void FPSCamera::recomputeFront() {
    const float y = yaw * kDegreesToRadians;
    const float p = pitch * kDegreesToRadians;
    const glm::vec3 d(std::cos(y) * std::cos(p), std::sin(p), std::sin(y) * std::cos(p));
    front = glm::normalize(d);
}

void FPSCamera::rotate(float xOffset, float yOffset) {
    yaw += sensitivity * xOffset;
    pitch -= sensitivity * yOffset;
    if (pitch > kPitchLimit) pitch = kPitchLimit;
    if (pitch < -kPitchLimit) pitch = -kPitchLimit;
    recomputeFront();
    update();
}

void FPSCamera::moveForward(float amount) {
    // Horizontal only, so the speed does not depend on the pitch.
    const glm::vec3 h = glm::normalize(glm::vec3(front.x, 0.0f, front.z));
    translate(amount * h);
    update();
}

void FPSCamera::moveRight(float amount) {
    const glm::vec3 r = glm::normalize(glm::cross(front, up));
    translate(amount * r);
    update();
}

void FPSCamera::moveUp(float amount) { translate(amount * up); }

void FPSCamera::resetOrientation() {
    up = glm::vec3(0.0f, 1.0f, 0.0f);
    yaw = kStartYaw;
    pitch = 0.0f;
    recomputeFront();
    update();
}
