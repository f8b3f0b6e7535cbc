#include "model/mesh.h"

namespace {

// What the geometry and standard programs read of a material; the draw sets
// them at the locations looked up here, the samplers to units 0 to 3 in map order.
constexpr const char* kUniformMaterialDiffuse = "material.diffuse";      // vec3
constexpr const char* kUniformMaterialSpecular = "material.specular";    // vec3
constexpr const char* kUniformMaterialEmissive = "material.emissive";    // vec3
constexpr const char* kUniformMaterialShininess = "material.shininess";  // float
constexpr const char* kSamplerMaterialDiffuse = "texture_diffuse1";
constexpr const char* kSamplerMaterialNormal = "texture_normal1";
constexpr const char* kSamplerMaterialSpecular = "texture_specular1";
constexpr const char* kSamplerMaterialDepth = "texture_depth1";  // the displacement map

}  // namespace

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
    diffuseSamplerLocation = glGetUniformLocation(program, kSamplerMaterialDiffuse);
    specularSamplerLocation = glGetUniformLocation(program, kSamplerMaterialSpecular);
    normalSamplerLocation = glGetUniformLocation(program, kSamplerMaterialNormal);
    depthSamplerLocation = glGetUniformLocation(program, kSamplerMaterialDepth);
}

Mesh::~Mesh() {
    delete vertexBuffer;
    delete indexBuffer;
}
