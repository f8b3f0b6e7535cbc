#include "scene/lamp_swing.h"

#include <glm/gtc/matrix_transform.hpp>

namespace {

const glm::vec3 kSwingAxis(1.0f, 0.0f, 0.0f);

}  // namespace

float LampSwing::advance(float deltaTime) {
    const float step = deltaTime * kSwingRate * swingDirection;
    swingAngle += step;
    if ((swingDirection > 0.0f && swingAngle > kSwingTurnAngle) ||
        (swingDirection < 0.0f && swingAngle < -kSwingTurnAngle))
        swingDirection = -swingDirection;
    return step;
}

void applySwingStep(float step, glm::mat4& lampModelMatrix, glm::mat4& lightCubeModelMatrix,
                    glm::vec3& lightPosition) {
    lampModelMatrix = glm::rotate(lampModelMatrix, step, kSwingAxis);
    lightCubeModelMatrix = glm::translate(lightCubeModelMatrix, glm::vec3(0.0f, kLightPivotOffset, 0.0f));
    lightCubeModelMatrix = glm::rotate(lightCubeModelMatrix, step, kSwingAxis);
    lightCubeModelMatrix = glm::translate(lightCubeModelMatrix, glm::vec3(0.0f, -kLightPivotOffset, 0.0f));
    lightPosition = glm::vec3(lightCubeModelMatrix[3]);
}
