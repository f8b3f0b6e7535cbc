#include "camera/camera.h"

#include <glm/gtc/matrix_transform.hpp>

namespace {
// 45 goes to glm::perspective as radians on purpose: a ~58.3 degree field of view.
constexpr float kFieldOfView = 45.0f;
constexpr float kNearPlane = 0.1f;
constexpr float kFarPlane = 1000.0f;
}  // namespace

Camera::Camera(float aspect)
    : position(0.0f, 0.0f, 0.0f),
      perspectiveMatrix(glm::perspective(kFieldOfView, aspect, kNearPlane, kFarPlane)),
      orthoMatrix(glm::ortho(-4.0f, 4.0f, -3.0f, 3.0f, -10.0f, 100.0f)),
      projectionMatrix(perspectiveMatrix),
      viewMatrix(1.0f),
      viewProjectionMatrix(projectionMatrix * viewMatrix) {}

glm::mat4 Camera::getViewProjectionMatrix() { return viewProjectionMatrix; }

glm::mat4 Camera::getViewMatrix() { return viewMatrix; }

void Camera::update() { viewProjectionMatrix = projectionMatrix * viewMatrix; }

void Camera::translate(const glm::vec3& delta) {
    position += delta;
    viewMatrix = glm::translate(viewMatrix, -delta);
}

void Camera::setPosition(const glm::vec3& p) {
    position = p;
    viewMatrix = glm::translate(viewMatrix, -p);
}
