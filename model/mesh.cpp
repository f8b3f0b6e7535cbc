#include "model/mesh.h"

#include "gpu/shader_contract.h"

Mesh::Mesh(const std::vector<Vertex>& vertices, std::uint32_t vertexCount, const std::vector<std::uint32_t>& indices,
           std::uint64_t indexCount_, Material material_, Shader* shader_)
    : shader(shader_), material(material_), indexCount(indexCount_) {
    // The element buffer is made before this mesh's vertex array exists, so
    // that no vertex array records it; the draw binds it explicitly.
    indexBuffer = new IndexBuffer(indices.data(), static_cast<std::uint32_t>(indexCount));
    vertexBuffer = new VertexBuffer(vertices.data(), vertexCount);
    if (shader == nullptr) return;  // no program: every location stays -1
    const GLuint program = shader->program;
    materialDiffuseLocation = glGetUniformLocation(program, kUniformMaterialDiffuse);
    materialSpecularLocation = glGetUniformLocation(program, kUniformMaterialSpecular);
    materialEmissiveLocation = glGetUniformLocation(program, kUniformMaterialEmissive);
    materialShininessLocation = glGetUniformLocation(program, kUniformMaterialShininess);
    diffuseSamplerLocation = glGetUniformLocation(program, kSamplerMaterialDiffuse.name);
    specularSamplerLocation = glGetUniformLocation(program, kSamplerMaterialSpecular.name);
    normalSamplerLocation = glGetUniformLocation(program, kSamplerMaterialNormal.name);
    depthSamplerLocation = glGetUniformLocation(program, kSamplerMaterialDepth.name);
}

Mesh::~Mesh() {
    delete vertexBuffer;
    delete indexBuffer;
}
