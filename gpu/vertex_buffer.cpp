#include "gpu/vertex_buffer.h"

#include <cstddef>

#include "gpu/shader_contract.h"

namespace {

struct AttributeLayout {
    GLuint location;
    GLint components;
    std::size_t offset;
};

constexpr GLsizei kVertexStride = 44;
constexpr AttributeLayout kMeshAttributes[] = {
    {kAttribPosition, 3, 0},
    {kAttribNormal, 3, 12},
    {kAttribTexCoords, 2, 24},
    {kAttribTangent, 3, 32},
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
