#pragma once

#include <functional>
#include <string>
#include <vector>

#include <glm/glm.hpp>

#include "assets/mesh/uv_mapping.h"
#include "assets/texture/image.h"

// One procedural texture set: four image files named <name>_diffuse.png,
// <name>_normal.png, <name>_specular.png and <name>_displacement.png.
// Its size follows the closest the flight comes to the surfaces that use it
// (one texel to one to two pixels there, at 1280 x 720); the recipe draws
// it at drawnSize, a multiple, and the generator averages it down.
struct TextureSetDef {
    std::string name;
    int size;       // pixels per side
    float texSize;  // world units one tile spans; the meshes' UVs follow it
    std::function<SurfaceMaps(int size)> make;
    int drawnSize = 512;
};

// A material of the bundled models: factors and the texture set it samples.
// Colour lives in the textures; the factors scale them.
struct MaterialDef {
    std::string name;
    std::string textureSet;
    glm::vec3 diffuse;
    glm::vec3 specular;
    glm::vec3 emissive;
    float shininess;
};

const std::vector<TextureSetDef>& textureSetDefs();
const std::vector<MaterialDef>& materialDefs();

// Look-ups by name; an unknown name is a programming error and throws.
const TextureSetDef& findTextureSet(const std::string& name);
const MaterialDef& findMaterial(const std::string& name);

// The UV mapping that matches a material's texture scale.
UvMapping uvFor(const std::string& material, glm::vec2 offset = glm::vec2(0.0f));

// The four file names of a texture set, in the model file's map order.
std::vector<std::string> textureFileNames(const std::string& textureSet);
