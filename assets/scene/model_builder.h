#pragma once

#include <string>
#include <vector>

#include "assets/mesh/mesh_part.h"
#include "assets/mesh/uv_mapping.h"
#include "model/bmf_format.h"

// Collects geometry per material and turns it into one model: one mesh
// record per material, materials in order of first use, texture paths under
// textureDir (relative to the directory the demo runs in).
class ModelBuilder {
public:
    explicit ModelBuilder(std::string textureDir);

    void add(const std::string& material, const MeshPart& part, const glm::mat4& transform = glm::mat4(1.0f));
    UvMapping uv(const std::string& material, glm::vec2 offset = glm::vec2(0.0f)) const;

    ModelData build() const;
    // Texture sets the materials use, in order of first use, without repeats.
    std::vector<std::string> textureSets() const;
    const std::string& textureDir() const { return textureDir_; }

private:
    std::size_t slot(const std::string& material);

    std::string textureDir_;
    std::vector<std::string> materials_;
    std::vector<MeshPart> parts_;
};
