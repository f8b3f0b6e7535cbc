#pragma once

#include <glm/glm.hpp>

// One mesh vertex as the GPU sees it: 44 bytes, attribute locations 0 to 3.
// (The model file stores the tangent before the texture coordinates.)
struct Vertex {
    glm::vec3 position;
    glm::vec3 normal;
    glm::vec2 texCoords;
    glm::vec3 tangent;
};

static_assert(sizeof(Vertex) == 44, "Vertex must be tightly packed");
