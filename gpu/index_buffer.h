#pragma once

#include <cstdint>

#include <GL/glew.h>

// A mesh's 32-bit indices in an element buffer. The binding it leaves belongs
// to whichever vertex array object is current, so meshes build this first,
// before their own vertex array exists, and bind it explicitly when drawing.
struct IndexBuffer {
    GLuint id = 0;

    // indices may be null when count is 0. Leaves GL_ELEMENT_ARRAY_BUFFER on id.
    IndexBuffer(const std::uint32_t* indices, std::uint32_t count);
    virtual ~IndexBuffer();
    IndexBuffer(const IndexBuffer&) = delete;
    IndexBuffer& operator=(const IndexBuffer&) = delete;
};
