#pragma once

#include <cstdint>
#include <vector>

#include <GL/glew.h>

#include "gpu/index_buffer.h"
#include "gpu/shader.h"
#include "gpu/vertex_buffer.h"
#include "model/material.h"
#include "model/vertex.h"

// One drawable piece of a model: its buffers on the GPU, a copy of its
// material (sharing the model's texture names) and the material uniform
// locations, looked up once in the program it was loaded with.
class Mesh {
public:
    // The arrays are only read; the GPU buffers keep their own copies.
    // vertexCount and indexCount must not exceed the arrays' sizes.
    Mesh(const std::vector<Vertex>& vertices, std::uint32_t vertexCount, const std::vector<std::uint32_t>& indices,
         std::uint64_t indexCount, Material material, Shader* shader);
    ~Mesh();
    Mesh(const Mesh&) = delete;
    Mesh& operator=(const Mesh&) = delete;

    VertexBuffer* vertexBuffer = nullptr;  // owned
    IndexBuffer* indexBuffer = nullptr;    // owned
    Shader* shader = nullptr;              // not owned
    Material material;
    std::uint64_t indexCount = 0;
    GLint materialDiffuseLocation = -1;
    GLint materialSpecularLocation = -1;
    GLint materialEmissiveLocation = -1;
    GLint materialShininessLocation = -1;
    GLint diffuseSamplerLocation = -1;
    GLint normalSamplerLocation = -1;
    GLint specularSamplerLocation = -1;
    GLint depthSamplerLocation = -1;
};
