#include "assets/scene/model_builder.h"

#include <algorithm>

#include "assets/scene/material_library.h"

ModelBuilder::ModelBuilder(std::string textureDir) : textureDir_(std::move(textureDir)) {}

std::size_t ModelBuilder::slot(const std::string& material) {
    const auto it = std::find(materials_.begin(), materials_.end(), material);
    if (it != materials_.end()) return static_cast<std::size_t>(it - materials_.begin());
    findMaterial(material);  // throws on a name that is not in the library
    materials_.push_back(material);
    parts_.emplace_back();
    return materials_.size() - 1;
}

void ModelBuilder::add(const std::string& material, const MeshPart& part, const glm::mat4& transform) {
    appendPart(parts_[slot(material)], part, transform);
}

UvMapping ModelBuilder::uv(const std::string& material, glm::vec2 offset) const { return uvFor(material, offset); }

ModelData ModelBuilder::build() const {
    ModelData model;
    for (std::size_t i = 0; i < materials_.size(); ++i) {
        const MaterialDef& def = findMaterial(materials_[i]);
        MaterialRecord record;
        record.diffuse = def.diffuse;
        record.specular = def.specular;
        record.emissive = def.emissive;
        record.shininess = def.shininess;
        const std::vector<std::string> files = textureFileNames(def.textureSet);
        record.diffuseMapPath = textureDir_ + "/" + files[0];
        record.normalMapPath = textureDir_ + "/" + files[1];
        record.specularMapPath = textureDir_ + "/" + files[2];
        record.displacementMapPath = textureDir_ + "/" + files[3];
        model.materials.push_back(record);
        MeshRecord mesh;
        mesh.materialIndex = i;
        mesh.vertices = parts_[i].vertices;
        mesh.indices = parts_[i].indices;
        model.meshes.push_back(std::move(mesh));
    }
    return model;
}

std::vector<std::string> ModelBuilder::textureSets() const {
    std::vector<std::string> sets;
    for (const std::string& material : materials_) {
        const std::string& set = findMaterial(material).textureSet;
        if (std::find(sets.begin(), sets.end(), set) == sets.end()) sets.push_back(set);
    }
    return sets;
}
