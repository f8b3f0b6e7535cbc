#include "model/mesh.h"

namespace {

// ---- Material (geometry and standard programs; set by the model draw) ----

inline constexpr const char* kUniformMaterialDiffuse = "material.diffuse";      // vec3
inline constexpr const char* kUniformMaterialSpecular = "material.specular";    // vec3
inline constexpr const char* kUniformMaterialEmissive = "material.emissive";    // vec3
inline constexpr const char* kUniformMaterialShininess = "material.shininess";  // float

struct SamplerUnit {
    const char* name;
    GLint unit;
};

inline constexpr SamplerUnit kSamplerMaterialDiffuse{"texture_diffuse1", 0};
inline constexpr SamplerUnit kSamplerMaterialNormal{"texture_normal1", 1};
inline constexpr SamplerUnit kSamplerMaterialSpecular{"texture_specular1", 2};
inline constexpr SamplerUnit kSamplerMaterialDepth{"texture_depth1", 3};  // the displacement map

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
    diffuseSamplerLocation = glGetUniformLocation(program, kSamplerMaterialDiffuse.name);
    specularSamplerLocation = glGetUniformLocation(program, kSamplerMaterialSpecular.name);
    normalSamplerLocation = glGetUniformLocation(program, kSamplerMaterialNormal.name);
    depthSamplerLocation = glGetUniformLocation(program, kSamplerMaterialDepth.name);
}

Mesh::~Mesh() {
    delete vertexBuffer;
    delete indexBuffer;
}
