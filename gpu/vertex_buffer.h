#pragma once

#include <cstdint>

#include <GL/glew.h>

// A mesh's interleaved vertices (the Vertex layout of model/vertex.h) with the
// vertex array object describing them.
struct VertexBuffer {
    GLuint id = 0;   // GL_ARRAY_BUFFER data
    GLuint vao = 0;  // attribute layout over id

    // vertices may be null when count is 0. Leaves vertex array 0 bound and
    // GL_ARRAY_BUFFER on id.
    VertexBuffer(const void* vertices, std::uint32_t count);
    virtual ~VertexBuffer();
    VertexBuffer(const VertexBuffer&) = delete;
    VertexBuffer& operator=(const VertexBuffer&) = delete;
};
