#pragma once

#include <glm/glm.hpp>

// What a forward-shaded object receives: its transforms and the light in
// view space.
struct ObjectTransforms {
    glm::mat4 modelViewProj;
    glm::mat4 modelView;
    glm::mat4 normalMatrix;  // transpose of the inverse model-view, full 4 x 4
    glm::vec3 lightView;
};

ObjectTransforms computeObjectTransforms(const glm::mat4& view, const glm::mat4& viewProjection, const glm::mat4& model,
                                         const glm::vec3& lightPosition);
