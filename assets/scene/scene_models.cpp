#include "assets/scene/scene_models.h"

#include "assets/scene/lamp.h"
#include "assets/scene/layout.h"
#include "assets/scene/scene_parts.h"

namespace {

SceneModel finish(const char* path, const ModelBuilder& builder) {
    return SceneModel{path, builder.textureDir(), builder.build(), builder.textureSets()};
}

}  // namespace

std::vector<SceneModel> buildSceneModels() {
    ModelBuilder room(layout::textureDirOf(layout::kSceneModelPath));
    addRoomShell(room);
    addRoofTimbers(room);
    addColumns(room);
    addDiningGroup(room);
    addLibraryWall(room);
    addSittingArea(room);
    addStudyCorner(room);
    addHallDecor(room);
    addWing(room);

    ModelBuilder lamp(layout::textureDirOf(layout::kLampModelPath));
    buildLamp(lamp);

    ModelBuilder cube(layout::textureDirOf(layout::kLightCubeModelPath));
    buildLightCube(cube);

    std::vector<SceneModel> models;
    models.push_back(finish(layout::kSceneModelPath, room));
    models.push_back(finish(layout::kLampModelPath, lamp));
    models.push_back(finish(layout::kLightCubeModelPath, cube));
    return models;
}
