#pragma once

#include <string>
#include <vector>

#include "assets/mesh/mesh_part.h"
#include "assets/mesh/uv_mapping.h"
#include "model/bmf_format.h"

// Draw order of the room's meshes. Seen from anywhere inside the room, what
// stands free hides what lines the walls, which hides the walls themselves;
// drawn in that order, the depth test rejects hidden fragments before they
// are shaded instead of shading them and then drawing over them.
enum class DrawLayer {
    Free,    // furniture, columns, objects, books on their shelves
    Lining,  // what lies on the floor or against walls and roof: cases, panelling, rugs, pictures, timbers
    Shell,   // floors, walls, ceilings
};

// Collects geometry per draw layer and material and turns it into one model:
// materials in order of first use, one mesh record per layer and material,
// layer by layer, texture paths under textureDir (relative to the directory
// the demo runs in). Geometry goes into the current layer (Free at first).
class ModelBuilder {
public:
    explicit ModelBuilder(std::string textureDir);

    void add(const std::string& material, const MeshPart& part, const glm::mat4& transform = glm::mat4(1.0f));
    UvMapping uv(const std::string& material, glm::vec2 offset = glm::vec2(0.0f)) const;

    DrawLayer layer() const { return layer_; }
    void setLayer(DrawLayer layer) { layer_ = layer; }

    ModelData build() const;
    // Texture sets the materials use, in order of first use, without repeats.
    std::vector<std::string> textureSets() const;
    const std::string& textureDir() const { return textureDir_; }

private:
    struct Slot {
        DrawLayer layer;
        std::size_t material;
        MeshPart part;
    };
    std::size_t material(const std::string& name);

    std::string textureDir_;
    DrawLayer layer_ = DrawLayer::Free;
    std::vector<std::string> materials_;
    std::vector<Slot> slots_;
};

// Switches a builder to a layer for the lifetime of the object.
class LayerScope {
public:
    LayerScope(ModelBuilder& builder, DrawLayer layer) : builder_(builder), previous_(builder.layer()) {
        builder.setLayer(layer);
    }
    ~LayerScope() { builder_.setLayer(previous_); }
    LayerScope(const LayerScope&) = delete;
    LayerScope& operator=(const LayerScope&) = delete;

private:
    ModelBuilder& builder_;
    DrawLayer previous_;
};
