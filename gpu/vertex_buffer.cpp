#include "gpu/vertex_buffer.h"

#include <cstddef>

#include "model/vertex.h"

namespace {

struct AttributeLayout {
    GLuint location;
    GLint components;
    std::size_t offset;
};

// Components of a vector member of Vertex.
template <typename Vector>
constexpr GLint componentsOf() {
    return static_cast<GLint>(Vector::length());
}

constexpr GLsizei kVertexStride = sizeof(Vertex);
// The inputs the mesh programs (geometry, depth and standard) declare, at
// locations 0 to 3 in Vertex's member order.
constexpr AttributeLayout kMeshAttributes[] = {
    {0, componentsOf<decltype(Vertex::position)>(), offsetof(Vertex, position)},
    {1, componentsOf<decltype(Vertex::normal)>(), offsetof(Vertex, normal)},
    {2, componentsOf<decltype(Vertex::texCoords)>(), offsetof(Vertex, texCoords)},
    {3, componentsOf<decltype(Vertex::tangent)>(), offsetof(Vertex, tangent)},
};

}  // namespace

VertexBuffer::VertexBuffer(const void* vertices, std::uint32_t count) {
    glGenVertexArrays(1, &vao);
    glBindVertexArray(vao);
    glGenBuffers(1, &id);
    glBindBuffer(GL_ARRAY_BUFFER, id);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(kVertexStride) * count, vertices, GL_STATIC_DRAW);
    for (const AttributeLayout& a : kMeshAttributes) {
        glEnableVertexAttribArray(a.location);
        glVertexAttribPointer(a.location, a.components, GL_FLOAT, GL_FALSE, kVertexStride,
                              reinterpret_cast<const void*>(a.offset));
    }
    glBindVertexArray(0);
}

VertexBuffer::~VertexBuffer() {
    glDeleteBuffers(1, &id);
    // The vertex array object has no other owner.
    glDeleteVertexArrays(1, &vao);
}
