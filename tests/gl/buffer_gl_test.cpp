#include <cstdint>
#include <vector>

#include <gtest/gtest.h>

#include "gpu/index_buffer.h"
#include "gpu/vertex_buffer.h"
#include "model/vertex.h"
#include "tests/gl/gl_test_context.h"

namespace {

GLint getInteger(GLenum what) {
    GLint value = 0;
    glGetIntegerv(what, &value);
    return value;
}

GLint attribute(GLuint location, GLenum what) {
    GLint value = 0;
    glGetVertexAttribiv(location, what, &value);
    return value;
}

GLint bufferSize(GLenum target, GLuint buffer) {
    glBindBuffer(target, buffer);
    GLint size = -1;
    glGetBufferParameteriv(target, GL_BUFFER_SIZE, &size);
    return size;
}

TEST(VertexBuffer, DeclaresTheInterleavedMeshLayout) {
    std::vector<Vertex> vertices(3);
    for (std::size_t i = 0; i < vertices.size(); ++i) vertices[i].tangent = glm::vec3(float(i));
    VertexBuffer* vb = new VertexBuffer(vertices.data(), static_cast<std::uint32_t>(vertices.size()));
    // Left as the mesh upload expects: no vertex array, the array buffer on id.
    EXPECT_EQ(getInteger(GL_VERTEX_ARRAY_BINDING), 0);
    EXPECT_EQ(getInteger(GL_ARRAY_BUFFER_BINDING), static_cast<GLint>(vb->id));
    EXPECT_NE(vb->vao, 0u);

    glBindVertexArray(vb->vao);
    const struct {
        GLint components;
        std::size_t offset;
    } expected[] = {{3, offsetof(Vertex, position)},
                    {3, offsetof(Vertex, normal)},
                    {2, offsetof(Vertex, texCoords)},
                    {3, offsetof(Vertex, tangent)}};
    for (GLuint location = 0; location < 4; ++location) {
        SCOPED_TRACE(location);
        EXPECT_EQ(attribute(location, GL_VERTEX_ATTRIB_ARRAY_ENABLED), GL_TRUE);
        EXPECT_EQ(attribute(location, GL_VERTEX_ATTRIB_ARRAY_SIZE), expected[location].components);
        EXPECT_EQ(attribute(location, GL_VERTEX_ATTRIB_ARRAY_TYPE), GL_FLOAT);
        EXPECT_EQ(attribute(location, GL_VERTEX_ATTRIB_ARRAY_NORMALIZED), GL_FALSE);
        EXPECT_EQ(attribute(location, GL_VERTEX_ATTRIB_ARRAY_STRIDE), static_cast<GLint>(sizeof(Vertex)));
        EXPECT_EQ(attribute(location, GL_VERTEX_ATTRIB_ARRAY_BUFFER_BINDING), static_cast<GLint>(vb->id));
        void* pointer = nullptr;
        glGetVertexAttribPointerv(location, GL_VERTEX_ATTRIB_ARRAY_POINTER, &pointer);
        EXPECT_EQ(reinterpret_cast<std::uintptr_t>(pointer), expected[location].offset);
    }
    EXPECT_EQ(attribute(4, GL_VERTEX_ATTRIB_ARRAY_ENABLED), GL_FALSE);
    EXPECT_EQ(getInteger(GL_ELEMENT_ARRAY_BUFFER_BINDING), 0) << "the vertex array records no element buffer";
    glBindVertexArray(0);

    EXPECT_EQ(bufferSize(GL_ARRAY_BUFFER, vb->id), static_cast<GLint>(3 * sizeof(Vertex)));
    std::vector<Vertex> back(3);
    glGetBufferSubData(GL_ARRAY_BUFFER, 0, 3 * sizeof(Vertex), back.data());
    EXPECT_EQ(back[2].tangent, glm::vec3(2.0f));

    // Deleting it deletes its own buffer (and vertex array) and nothing else.
    GLuint other = 0;
    glGenBuffers(1, &other);
    glBindBuffer(GL_ARRAY_BUFFER, other);
    const GLuint id = vb->id;
    const GLuint vao = vb->vao;
    delete vb;
    EXPECT_FALSE(glIsBuffer(id));
    EXPECT_FALSE(glIsVertexArray(vao));
    EXPECT_TRUE(glIsBuffer(other));
    glDeleteBuffers(1, &other);
}

TEST(VertexBuffer, EmptyBufferIsValid) {
    VertexBuffer vb(nullptr, 0);
    EXPECT_TRUE(glIsBuffer(vb.id));
    EXPECT_TRUE(glIsVertexArray(vb.vao));
    EXPECT_EQ(bufferSize(GL_ARRAY_BUFFER, vb.id), 0);
}

TEST(IndexBuffer, HoldsTheIndicesAndStaysBound) {
    const std::vector<std::uint32_t> indices = {0, 1, 2, 2, 1, 0xFFFFFFFFu};
    IndexBuffer* ib = new IndexBuffer(indices.data(), static_cast<std::uint32_t>(indices.size()));
    EXPECT_EQ(getInteger(GL_ELEMENT_ARRAY_BUFFER_BINDING), static_cast<GLint>(ib->id));
    GLint size = 0;
    glGetBufferParameteriv(GL_ELEMENT_ARRAY_BUFFER, GL_BUFFER_SIZE, &size);
    EXPECT_EQ(size, 24);
    std::vector<std::uint32_t> back(indices.size());
    glGetBufferSubData(GL_ELEMENT_ARRAY_BUFFER, 0, 24, back.data());
    EXPECT_EQ(back, indices);
    const GLuint id = ib->id;
    delete ib;
    EXPECT_FALSE(glIsBuffer(id));

    IndexBuffer empty(nullptr, 0);
    EXPECT_TRUE(glIsBuffer(empty.id));
    EXPECT_EQ(bufferSize(GL_ELEMENT_ARRAY_BUFFER, empty.id), 0);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
}

}  // namespace
