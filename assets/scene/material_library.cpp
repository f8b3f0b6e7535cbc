#include "assets/scene/material_library.h"

#include <stdexcept>

#include "assets/scene/layout.h"
#include "assets/texture/paint.h"
#include "assets/texture/recipes.h"

namespace {

std::vector<TextureSetDef> makeTextureSets() {
    return {
        {"floor_planks", 512, 2.4f, makeFloorPlanks, 1024},
        {"plaster_cream", 256, 2.0f, [](int n) { return makePlaster(n, rgb(214, 196, 160), 1.0f); }},
        {"plaster_ceiling", 512, 2.0f, [](int n) { return makePlaster(n, rgb(226, 220, 204), 2.0f); }},
        {"plaster_green", 256, 2.0f, [](int n) { return makePlaster(n, rgb(84, 112, 92), 3.0f); }},
        {"walnut", 512, 1.2f, [](int n) { return makeWood(n, rgb(118, 74, 44), rgb(58, 32, 18), 4.0f); }},
        {"oak", 256, 1.2f, [](int n) { return makeWood(n, rgb(170, 122, 74), rgb(108, 70, 40), 5.0f); }},
        {"panelling", 256, layout::kPanelBay,
         [](int n) {
             return makePanelling(n, rgb(170, 122, 74), rgb(108, 70, 40), 5.0f,
                                  {layout::kPanelBay, layout::kPanelStile, layout::kPanelRailBottom,
                                   layout::kPanelRailTop, layout::kPanelRelief});
         }},
        {"timber", 512, 2.0f, makeTimber},
        {"marble", 512, 1.5f, makeMarble},
        {"brick", 128, 1.0f, makeBrick},
        // Weaves of four texels a thread: a coarse one on the 128-texel set.
        {"fabric_teal", 128, 0.6f, [](int n) { return makeFabric(n, rgb(40, 104, 108), 6.0f, 32); }},
        {"fabric_mustard", 256, 0.6f, [](int n) { return makeFabric(n, rgb(196, 142, 46), 7.0f, 64); }},
        {"fabric_rust", 256, 0.6f, [](int n) { return makeFabric(n, rgb(150, 62, 38), 8.0f, 64); }},
        {"rug", 1024, 1.0f, makeRug, 1024},
        {"leather", 256, 0.8f, makeLeather},
        {"brass", 256, 0.5f, [](int n) { return makeBrushedMetal(n, rgb(204, 160, 84), 0.95f, 9.0f); }},
        {"iron", 128, 0.5f, [](int n) { return makeBrushedMetal(n, rgb(30, 30, 32), 0.5f, 10.0f); }},
        {"enamel_green", 256, 0.5f, [](int n) { return makeEnamel(n, rgb(24, 78, 58), 11.0f); }},
        {"enamel_white", 256, 0.5f, [](int n) { return makeEnamel(n, rgb(236, 230, 216), 12.0f); }},
        {"gilding", 128, 0.6f, makeGilding},
        {"ceramic_blue", 256, 0.5f, [](int n) { return makeCeramic(n, rgb(44, 80, 156), 13.0f); }},
        {"ceramic_cream", 256, 0.5f, [](int n) { return makeCeramic(n, rgb(232, 222, 200), 14.0f); }},
        {"terracotta", 256, 0.5f, [](int n) { return makeCeramic(n, rgb(172, 90, 56), 15.0f); }},
        {"books", 256, 1.0f, makeBookSpines},
        {"books_close", 512, 1.0f, makeBookSpines},
        {"paintings", 512, 1.0f, makePaintings, 1024},
        {"clock_dial", 128, 1.0f, makeClockDial},
        {"globe", 256, 1.0f, makeGlobe},
        {"bark", 128, 1.0f, makeBark},
        // The light cube shows no texture detail at its size; a small image will do.
        {"frosted_glass", 64, 1.0f, [](int n) { return makeGlow(n, rgb(255, 244, 214)); }},
    };
}

// Specular factors are reflectances: the lighting normalises each lobe to its
// width, so broad lobes (low shininess) stay dim and tight ones (marble,
// brass, glaze) peak high.
std::vector<MaterialDef> makeMaterials() {
    const glm::vec3 none(0.0f);
    return {
        {"floor", "floor_planks", glm::vec3(1.0f), glm::vec3(0.4f), none, 48.0f},
        {"wall", "plaster_cream", glm::vec3(1.0f), glm::vec3(0.15f), none, 8.0f},
        {"ceiling", "plaster_ceiling", glm::vec3(1.0f), glm::vec3(0.1f), none, 8.0f},
        {"wall_green", "plaster_green", glm::vec3(1.0f), glm::vec3(0.15f), none, 8.0f},
        {"walnut", "walnut", glm::vec3(1.0f), glm::vec3(0.25f), none, 40.0f},
        {"oak", "oak", glm::vec3(1.0f), glm::vec3(0.2f), none, 32.0f},
        {"panelling", "panelling", glm::vec3(1.0f), glm::vec3(0.15f), none, 32.0f},
        {"timber", "timber", glm::vec3(1.0f), glm::vec3(0.1f), none, 12.0f},
        {"marble", "marble", glm::vec3(1.0f), glm::vec3(0.8f), none, 96.0f},
        {"brick", "brick", glm::vec3(1.0f), glm::vec3(0.1f), none, 4.0f},
        {"fabric_teal", "fabric_teal", glm::vec3(1.0f), glm::vec3(0.1f), none, 4.0f},
        {"fabric_mustard", "fabric_mustard", glm::vec3(1.0f), glm::vec3(0.1f), none, 4.0f},
        {"fabric_rust", "fabric_rust", glm::vec3(1.0f), glm::vec3(0.1f), none, 4.0f},
        {"rug", "rug", glm::vec3(1.0f), glm::vec3(0.05f), none, 2.0f},
        {"leather", "leather", glm::vec3(1.0f), glm::vec3(0.3f), none, 24.0f},
        {"brass", "brass", glm::vec3(1.0f), glm::vec3(1.0f), none, 128.0f},
        {"iron", "iron", glm::vec3(1.0f), glm::vec3(0.6f), none, 64.0f},
        {"enamel_green", "enamel_green", glm::vec3(1.0f), glm::vec3(0.8f), none, 96.0f},
        {"enamel_white", "enamel_white", glm::vec3(1.0f), glm::vec3(0.8f), none, 96.0f},
        {"gilding", "gilding", glm::vec3(1.0f), glm::vec3(0.45f), none, 64.0f},
        {"ceramic_blue", "ceramic_blue", glm::vec3(1.0f), glm::vec3(0.9f), none, 128.0f},
        {"ceramic_cream", "ceramic_cream", glm::vec3(1.0f), glm::vec3(0.9f), none, 128.0f},
        {"terracotta", "terracotta", glm::vec3(1.0f), glm::vec3(0.25f), none, 24.0f},
        {"books", "books", glm::vec3(1.0f), glm::vec3(0.15f), none, 16.0f},
        {"books_close", "books_close", glm::vec3(1.0f), glm::vec3(0.15f), none, 16.0f},
        {"paintings", "paintings", glm::vec3(1.0f), glm::vec3(0.08f), none, 24.0f},
        {"clock_dial", "clock_dial", glm::vec3(1.0f), glm::vec3(0.15f), none, 16.0f},
        {"globe", "globe", glm::vec3(1.0f), glm::vec3(0.4f), none, 64.0f},
        {"bark", "bark", glm::vec3(1.0f), glm::vec3(0.05f), none, 4.0f},
        {"frosted_glass", "frosted_glass", glm::vec3(1.0f), glm::vec3(0.0f), glm::vec3(1.0f, 0.92f, 0.75f), 1.0f},
    };
}

}  // namespace

const std::vector<TextureSetDef>& textureSetDefs() {
    static const std::vector<TextureSetDef> sets = makeTextureSets();
    return sets;
}

const std::vector<MaterialDef>& materialDefs() {
    static const std::vector<MaterialDef> materials = makeMaterials();
    return materials;
}

const TextureSetDef& findTextureSet(const std::string& name) {
    for (const TextureSetDef& set : textureSetDefs())
        if (set.name == name) return set;
    throw std::invalid_argument("unknown texture set: " + name);
}

const MaterialDef& findMaterial(const std::string& name) {
    for (const MaterialDef& material : materialDefs())
        if (material.name == name) return material;
    throw std::invalid_argument("unknown material: " + name);
}

UvMapping uvFor(const std::string& material, glm::vec2 offset) {
    return UvMapping{findTextureSet(findMaterial(material).textureSet).texSize, offset};
}

std::vector<std::string> textureFileNames(const std::string& textureSet) {
    return {textureSet + "_diffuse.png", textureSet + "_normal.png", textureSet + "_specular.png",
            textureSet + "_displacement.png"};
}
