#include "scene/object_transforms.h"

ObjectTransforms computeObjectTransforms(const glm::mat4& view, const glm::mat4& viewProjection, const glm::mat4& model,
                                         const glm::vec3& lightPosition) {
    ObjectTransforms t;
    t.modelViewProj = viewProjection * model;
    t.modelView = view * model;
    t.normalMatrix = glm::transpose(glm::inverse(t.modelView));
    t.lightView = glm::vec3(view * glm::vec4(lightPosition, 1.0f));
    return t;
}
