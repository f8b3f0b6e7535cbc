#pragma once

#include <vector>

#include <glm/glm.hpp>

// The point light's shadow cube: one 90-degree projection shared by six
// look-at views, one per cube face in GL face order (+X, -X, +Y, -Y, +Z, -Z).

constexpr int kShadowMapSize = 1024;
constexpr float kShadowFieldOfView = 1.5707964f;  // 90 degrees, in radians
constexpr float kShadowNearPlane = 0.1f;
// Shared with the depth and lighting programs ("farPlane"): all three must agree.
constexpr float kShadowFarPlane = 25.0f;
constexpr int kShadowFaceCount = 6;

glm::mat4 makeShadowProjection(int shadowWidth, int shadowHeight);

// The shadow pass stores the rasterizer's window depth, which for a point at
// distance m along a face's axis is s = f (1 - n / m) / (f - n) (n and f the
// near and far planes). The lighting shader compares in the same terms
// (its kShadowNearPlane and "farPlane"); this turns s back into m.
float shadowDepthToAxisDistance(float depth);

// Face i is projection x lookAt(lightPos, lightPos + direction_i, up_i),
// oriented the way GL samples cube map face GL_TEXTURE_CUBE_MAP_POSITIVE_X + i.
std::vector<glm::mat4> computeShadowTransforms(glm::mat4 shadowProjection, glm::vec3 lightPos);
