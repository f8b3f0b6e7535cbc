#include "scene/shadow_transforms.h"

#include <glm/gtc/matrix_transform.hpp>

namespace {

struct CubeFace {
    glm::vec3 direction;
    glm::vec3 up;
};

const CubeFace kCubeFaces[kShadowFaceCount] = {
    {{1.0f, 0.0f, 0.0f}, {0.0f, -1.0f, 0.0f}}, {{-1.0f, 0.0f, 0.0f}, {0.0f, -1.0f, 0.0f}},
    {{0.0f, 1.0f, 0.0f}, {0.0f, 0.0f, 1.0f}},  {{0.0f, -1.0f, 0.0f}, {0.0f, 0.0f, -1.0f}},
    {{0.0f, 0.0f, 1.0f}, {0.0f, -1.0f, 0.0f}}, {{0.0f, 0.0f, -1.0f}, {0.0f, -1.0f, 0.0f}},
};

}  // namespace

glm::mat4 makeShadowProjection(int shadowWidth, int shadowHeight) {
    const float aspect = static_cast<float>(shadowWidth) / static_cast<float>(shadowHeight);
    return glm::perspective(kShadowFieldOfView, aspect, kShadowNearPlane, kShadowFarPlane);
}

float shadowDepthToAxisDistance(float depth) {
    return kShadowNearPlane / (1.0f - depth * (kShadowFarPlane - kShadowNearPlane) / kShadowFarPlane);
}

std::vector<glm::mat4> computeShadowTransforms(glm::mat4 shadowProjection, glm::vec3 lightPos) {
    std::vector<glm::mat4> transforms;
    for (const CubeFace& face : kCubeFaces)
        transforms.push_back(shadowProjection * glm::lookAt(lightPos, lightPos + face.direction, face.up));
    return transforms;
}
