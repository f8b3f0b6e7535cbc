#include "scene/lamp_swing.h"

#include <glm/gtc/matrix_transform.hpp>

namespace {

const glm::vec3 kSwingAxis(1.0f, 0.0f, 0.0f);

}  // namespace

float LampSwing::advance(float deltaTime) {
    const float step = deltaTime * kSwingRate * swingDirection;
    swingAngle += step;
    if ((swingDirection > 0.0f && swingAngle > room::kSwingTurnAngle) ||
        (swingDirection < 0.0f && swingAngle < -room::kSwingTurnAngle))
        swingDirection = -swingDirection;
    return step;
}

void applySwingStep(float step, glm::mat4& lampModelMatrix, glm::mat4& lightCubeModelMatrix, glm::vec3& lightPosition) {
    lampModelMatrix = glm::rotate(lampModelMatrix, step, kSwingAxis);
    lightCubeModelMatrix = glm::translate(lightCubeModelMatrix, glm::vec3(0.0f, room::kLightPivotOffset, 0.0f));
    lightCubeModelMatrix = glm::rotate(lightCubeModelMatrix, step, kSwingAxis);
    lightCubeModelMatrix = glm::translate(lightCubeModelMatrix, glm::vec3(0.0f, -room::kLightPivotOffset, 0.0f));
    lightPosition = glm::vec3(lightCubeModelMatrix[3]);
}

LampState LampState::atStart() {
    LampState start;
    start.lightPosition = room::kLightRestPosition;
    start.lightCubeModelMatrix = glm::translate(start.lightCubeModelMatrix, start.lightPosition);
    start.lightCubeModelMatrix = glm::scale(start.lightCubeModelMatrix, glm::vec3(room::kLightCubeScale));
    start.lampModelMatrix = glm::translate(start.lampModelMatrix, room::kLampPivot);
    return start;
}

LampState LampState::swungBy(float angle) {
    LampState state = atStart();
    state.advance(angle / kSwingRate);
    return state;
}

void LampState::advance(float deltaTime) {
    applySwingStep(swing.advance(deltaTime), lampModelMatrix, lightCubeModelMatrix, lightPosition);
}
