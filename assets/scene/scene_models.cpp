#include "assets/scene/scene_models.h"

#include <algorithm>

#include "assets/scene/flight_view.h"
#include "assets/scene/lamp.h"
#include "assets/scene/layout.h"
#include "assets/scene/scene_parts.h"

namespace {

SceneModel finish(const char* path, const ModelBuilder& builder) {
    return SceneModel{path, builder.textureDir(), builder.build(), builder.textureSets()};
}

// Leaves out the room's triangles that face away from the whole flight and
// from the light, and the vertices only they used.
void dropUnseenTriangles(ModelData& model) {
    for (MeshRecord& mesh : model.meshes) {
        std::vector<std::uint32_t> kept;
        for (std::size_t i = 0; i + 2 < mesh.indices.size(); i += 3) {
            const glm::vec3& a = mesh.vertices[mesh.indices[i]].position;
            const glm::vec3& b = mesh.vertices[mesh.indices[i + 1]].position;
            const glm::vec3& c = mesh.vertices[mesh.indices[i + 2]].position;
            if (flight_view::facesCameraOrLight(a, glm::cross(b - a, c - a)))
                kept.insert(kept.end(), mesh.indices.begin() + static_cast<std::ptrdiff_t>(i),
                            mesh.indices.begin() + static_cast<std::ptrdiff_t>(i + 3));
        }
        std::vector<std::uint32_t> remap(mesh.vertices.size(), 0);
        std::vector<bool> used(mesh.vertices.size(), false);
        for (std::uint32_t index : kept) used[index] = true;
        std::vector<Vertex> vertices;
        for (std::size_t v = 0; v < mesh.vertices.size(); ++v) {
            if (!used[v]) continue;
            remap[v] = static_cast<std::uint32_t>(vertices.size());
            vertices.push_back(mesh.vertices[v]);
        }
        for (std::uint32_t& index : kept) index = remap[index];
        mesh.vertices = std::move(vertices);
        mesh.indices = std::move(kept);
    }
    model.meshes.erase(std::remove_if(model.meshes.begin(), model.meshes.end(),
                                      [](const MeshRecord& mesh) { return mesh.indices.empty(); }),
                       model.meshes.end());
}

}  // namespace

std::vector<SceneModel> buildSceneModels() {
    ModelBuilder room(layout::kSceneTextureDir);
    addRoomShell(room);
    addRoofTimbers(room);
    addColumns(room);
    addDiningGroup(room);
    addLibraryWall(room);
    addSittingArea(room);
    addStudyCorner(room);
    addHallDecor(room);
    addWing(room);

    ModelBuilder lamp(layout::kLampTextureDir);
    buildLamp(lamp);

    ModelBuilder cube(layout::kLightCubeTextureDir);
    buildLightCube(cube);

    std::vector<SceneModel> models;
    models.push_back(finish(layout::kSceneModelPath, room));
    dropUnseenTriangles(models.back().data);
    models.push_back(finish(layout::kLampModelPath, lamp));
    models.push_back(finish(layout::kLightCubeModelPath, cube));
    return models;
}
