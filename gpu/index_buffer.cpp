#include "gpu/index_buffer.h"

IndexBuffer::IndexBuffer(const std::uint32_t* indices, std::uint32_t count) {
    glGenBuffers(1, &id);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, id);
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, static_cast<GLsizeiptr>(sizeof(std::uint32_t)) * count, indices,
                 GL_STATIC_DRAW);
}

IndexBuffer::~IndexBuffer() { glDeleteBuffers(1, &id); }
