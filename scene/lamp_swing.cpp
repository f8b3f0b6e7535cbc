#include "scene/lamp_swing.h"

#include <cmath>

#include <glm/gtc/matrix_transform.hpp>

namespace {

const glm::vec3 kSwingAxis(1.0f, 0.0f, 0.0f);
const glm::vec3 kInitialLightPosition(0.0f, 2.8f, 3.0f);
constexpr float kLightCubeScale = 0.1f;
constexpr float kLampHeight = 4.0f;  // the lamp hangs from here, above the light

}  // namespace

float LampSwing::advance(float deltaTime) {
    const float step = deltaTime * kSwingRate * swingDirection;
    swingAngle += step;
    if ((swingDirection > 0.0f && swingAngle > kSwingTurnAngle) ||
        (swingDirection < 0.0f && swingAngle < -kSwingTurnAngle))
        swingDirection = -swingDirection;
    return step;
}

void applySwingStep(float step, glm::mat4& lampModelMatrix, glm::mat4& lightCubeModelMatrix, glm::vec3& lightPosition) {
    lampModelMatrix = glm::rotate(lampModelMatrix, step, kSwingAxis);
    lightCubeModelMatrix = glm::translate(lightCubeModelMatrix, glm::vec3(0.0f, kLightPivotOffset, 0.0f));
    lightCubeModelMatrix = glm::rotate(lightCubeModelMatrix, step, kSwingAxis);
    lightCubeModelMatrix = glm::translate(lightCubeModelMatrix, glm::vec3(0.0f, -kLightPivotOffset, 0.0f));
    lightPosition = glm::vec3(lightCubeModelMatrix[3]);
}

LampState LampState::atStart() {
    LampState start;
    start.lightPosition = kInitialLightPosition;
    start.lightCubeModelMatrix = glm::translate(start.lightCubeModelMatrix, start.lightPosition);
    start.lightCubeModelMatrix = glm::scale(start.lightCubeModelMatrix, glm::vec3(kLightCubeScale));
    start.lampModelMatrix =
        glm::translate(start.lampModelMatrix, glm::vec3(start.lightPosition.x, kLampHeight, start.lightPosition.z));
    return start;
}

LampState LampState::at(float seconds, float frameTime) {
    LampState state = atStart();
    const long frames = std::lround(seconds / frameTime);
    for (long i = 0; i < frames; ++i) state.advance(frameTime);
    return state;
}

void LampState::advance(float deltaTime) {
    applySwingStep(swing.advance(deltaTime), lampModelMatrix, lightCubeModelMatrix, lightPosition);
}
