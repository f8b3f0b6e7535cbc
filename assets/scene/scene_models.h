#pragma once

#include <string>
#include <vector>

#include "model/bmf_format.h"

// One model file of the bundled scene, ready to write.
struct SceneModel {
    std::string path;        // model file, relative to the run directory
    std::string textureDir;  // where its materials' images go, same base
    ModelData data;
    std::vector<std::string> textureSets;
};

// The room, the lamp and the light cube, in that order.
std::vector<SceneModel> buildSceneModels();
