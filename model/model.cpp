#include "model/model.h"

#include <iostream>
#include <string>

#include <stb_image.h>

#include "model/log_info.h"
#include "model/model_file.h"
#include "model/texture.h"

namespace {

constexpr int kMapCount = 4;

Material createMaterial(const MaterialRecord& record, std::size_t index) {
    const std::string number = std::to_string(index);
    logInfo("Reading material " + number);
    Material material;
    material.diffuse = record.diffuse;
    material.specular = record.specular;
    material.emissive = record.emissive;
    material.shininess = record.shininess;

    GLuint names[kMapCount] = {};
    glGenTextures(kMapCount, names);
    material.diffuseMap = names[0];
    material.normalMap = names[1];
    material.specularMap = names[2];
    material.displacementMap = names[3];

    // GL's texture origin is the lower-left corner; images start at the top.
    stbi_set_flip_vertically_on_load(true);
    const struct {
        const std::string& path;
        GLuint name;
        const char* missing;
    } maps[kMapCount] = {
        {record.diffuseMapPath, material.diffuseMap, "No diffuse map for material "},
        {record.normalMapPath, material.normalMap, "No normal map found for material "},
        {record.specularMapPath, material.specularMap, "No specular map found for material "},
        {record.displacementMapPath, material.displacementMap, "No displacement map found for material "},
    };
    // c_str() ends a path at its first NUL, so a stored trailing zero byte
    // names the same file.
    for (const auto& map : maps) {
        if (!createTexture(map.path.c_str(), map.name)) logInfo(map.missing + number);
    }
    glBindTexture(GL_TEXTURE_2D, 0);
    return material;
}

void bindMeshBuffers(const Mesh& mesh) {
    glBindVertexArray(mesh.vertexBuffer->vao);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, mesh.indexBuffer->id);
}

void setMaterialState(const Mesh& mesh) {
    const Material& m = mesh.material;
    glUniform3fv(mesh.materialDiffuseLocation, 1, &m.diffuse.x);
    glUniform3fv(mesh.materialSpecularLocation, 1, &m.specular.x);
    glUniform3fv(mesh.materialEmissiveLocation, 1, &m.emissive.x);
    glUniform1f(mesh.materialShininessLocation, m.shininess);
    const struct {
        GLint location;
        GLuint texture;
    } samplers[kMapCount] = {
        {mesh.diffuseSamplerLocation, m.diffuseMap},
        {mesh.normalSamplerLocation, m.normalMap},
        {mesh.specularSamplerLocation, m.specularMap},
        {mesh.depthSamplerLocation, m.displacementMap},
    };
    for (GLint unit = 0; unit < kMapCount; ++unit) {
        glActiveTexture(GL_TEXTURE0 + static_cast<GLenum>(unit));
        glBindTexture(GL_TEXTURE_2D, samplers[unit].texture);
        glUniform1i(samplers[unit].location, unit);
    }
}

void drawAndUnbind(const Mesh& mesh) {
    glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(mesh.indexCount), GL_UNSIGNED_INT, nullptr);
    // The element binding is vertex array state: clear it while the mesh's
    // vertex array is still bound, then unbind that.
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
    glBindVertexArray(0);
}

}  // namespace

Model::~Model() {
    for (Mesh* mesh : meshes) delete mesh;
    // Meshes only share these names; the model's materials own them.
    for (const Material& m : materials) {
        const GLuint names[kMapCount] = {m.diffuseMap, m.normalMap, m.specularMap, m.displacementMap};
        glDeleteTextures(kMapCount, names);
    }
}

void Model::load(const char* path, Shader* shader) {
    ModelData data;
    std::string error;
    if (!readModelFile(path, data, error)) {
        std::cout << error << std::endl;
        return;
    }
    // Material indices count within this file.
    const std::size_t firstMaterial = materials.size();
    for (std::size_t i = 0; i < data.materials.size(); ++i) {
        materials.push_back(createMaterial(data.materials[i], i));
    }
    for (MeshRecord& record : data.meshes) {
        meshes.push_back(new Mesh(record.vertices, static_cast<std::uint32_t>(record.vertices.size()), record.indices,
                                  record.indices.size(),
                                  materials[firstMaterial + static_cast<std::size_t>(record.materialIndex)], shader));
        // The GPU holds the data now.
        record = MeshRecord();
    }
    // Each index upload leaves its buffer bound as element buffer of the
    // vertex array current during loading (the default one). Clearing it once
    // here makes the draw's promise hold: afterwards no element buffer is bound.
    if (!data.meshes.empty()) glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
}

void Model::draw() {
    for (const Mesh* mesh : meshes) {
        bindMeshBuffers(*mesh);
        setMaterialState(*mesh);
        drawAndUnbind(*mesh);
        glActiveTexture(GL_TEXTURE0);
    }
}

void Model::drawGeometryOnly() {
    for (const Mesh* mesh : meshes) {
        bindMeshBuffers(*mesh);
        drawAndUnbind(*mesh);
    }
}
