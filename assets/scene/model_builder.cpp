#include "assets/scene/model_builder.h"

#include <algorithm>

#include "assets/scene/material_library.h"

ModelBuilder::ModelBuilder(std::string textureDir) : textureDir_(std::move(textureDir)) {}

std::size_t ModelBuilder::material(const std::string& name) {
    const auto it = std::find(materials_.begin(), materials_.end(), name);
    if (it != materials_.end()) return static_cast<std::size_t>(it - materials_.begin());
    findMaterial(name);  // throws on a name that is not in the library
    materials_.push_back(name);
    return materials_.size() - 1;
}

void ModelBuilder::add(const std::string& materialName, const MeshPart& part, const glm::mat4& transform) {
    const std::size_t m = material(materialName);
    auto it =
        std::find_if(slots_.begin(), slots_.end(), [&](const Slot& s) { return s.layer == layer_ && s.material == m; });
    if (it == slots_.end()) it = slots_.insert(slots_.end(), Slot{layer_, m, {}});
    appendPart(it->part, part, transform);
}

UvMapping ModelBuilder::uv(const std::string& material, glm::vec2 offset) const { return uvFor(material, offset); }

ModelData ModelBuilder::build() const {
    ModelData model;
    for (const std::string& name : materials_) {
        const MaterialDef& def = findMaterial(name);
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
    }
    // Layer by layer; within a layer, in order of first use.
    std::vector<const Slot*> order;
    for (const Slot& s : slots_) order.push_back(&s);
    std::stable_sort(order.begin(), order.end(), [](const Slot* a, const Slot* b) { return a->layer < b->layer; });
    for (const Slot* s : order) {
        MeshRecord mesh;
        mesh.materialIndex = s->material;
        mesh.vertices = s->part.vertices;
        mesh.indices = s->part.indices;
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
