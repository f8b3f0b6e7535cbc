#pragma once

#include "assets/scene/model_builder.h"

// The pieces of the bundled room, each adding its geometry in world space.

void addRoomShell(ModelBuilder& b);    // floors, walls, ceilings, panelling
void addRoofTimbers(ModelBuilder& b);  // trusses, ridge, purlins and the lamp's chain
void addColumns(ModelBuilder& b);      // the hall's stone columns and the wing's opening
void addDiningGroup(ModelBuilder& b);  // the table under the lamp, its chairs, rug and still life
void addLibraryWall(ModelBuilder& b);  // the far wall: bookcases, ladder and clock
void addSittingArea(ModelBuilder& b);  // sofa group on the -x side
void addStudyCorner(ModelBuilder& b);  // desk and globe on the +x side
void addHallDecor(ModelBuilder& b);    // paintings, benches and the back of the hall
void addWing(ModelBuilder& b);         // the study where the flight ends

// Placement on a wall: origin at point, local +z along the wall's inward
// normal (horizontal), local +y up, local +x along the wall.
glm::mat4 wallFrame(const glm::vec3& point, const glm::vec3& inwardNormal);
