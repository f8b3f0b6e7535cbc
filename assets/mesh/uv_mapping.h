#pragma once

#include <glm/glm.hpp>

// How a surface takes its texture: one full texture spans texSize world units,
// shifted by offset (in texture units) so that copies of a part differ.
struct UvMapping {
    float texSize = 1.0f;
    glm::vec2 offset{0.0f};
};
