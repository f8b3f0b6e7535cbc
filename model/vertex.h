#pragma once

#include <glm/glm.hpp>

// One mesh vertex as the GPU sees it: interleaved, attribute locations 0 to 3
// in member order; VertexBuffer takes its layout from this type. Pure data:
// the model file's reader and writer use it too. (The file stores the
// tangent before the texture coordinates.)
struct Vertex {
    glm::vec3 position;
    glm::vec3 normal;
    glm::vec2 texCoords;
    glm::vec3 tangent;
};

static_assert(sizeof(Vertex) == 44, "Vertex must be tightly packed");
