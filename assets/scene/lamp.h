#pragma once

#include <vector>

#include <glm/glm.hpp>

#include "assets/scene/model_builder.h"

// The swinging lamp, in its own frame: origin at the swing pivot, the light
// at lampLightOffset(). Its shade is a stack of slanted louvres, open below
// and never closed around the light, so the light shines down in a pool and
// out through the gaps in bands.
void buildLamp(ModelBuilder& b);

// The light's position in the lamp's frame.
glm::vec3 lampLightOffset();

// One louvre: a frustum band from (bottomRadius, bottomY) up to (topRadius, topY).
struct Louvre {
    float bottomRadius, bottomY, topRadius, topY;
};
const std::vector<Louvre>& lampLouvres();

// The light's marker: a glowing unit cube around the origin (the demo
// scales it to a tenth).
void buildLightCube(ModelBuilder& b);
