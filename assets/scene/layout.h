#pragma once

#include <string>

#include <glm/glm.hpp>

#include "scene/room_facts.h"

// Where the bundled scene's pieces stand, in world units. The demo fixes the
// light, the lamp's pivot and the camera's flight; the room is shaped around them.
namespace layout {

// The model files, the lamp's pivot, the light below it and the swing's
// reach: the facts the demo's renderer reads too.
using room::kLampModelPath;
using room::kLampPivot;
using room::kLightBelowPivot;
using room::kLightCubeModelPath;
using room::kLightRestPosition;
using room::kSceneModelPath;
using room::kSwingLimit;

// Where a model's textures go, relative to the directory the demo runs in: a
// folder "textures" beside the model file.
inline std::string textureDirOf(const char* modelPath) {
    const std::string path(modelPath);
    return path.substr(0, path.find_last_of('/') + 1) + "textures";
}

// Everything must cast into the shadow cube, whose far plane is 25 units out;
// the margin covers the light's swing.
constexpr float kShadowReach = 24.5f;
// The flight keeps at least this much air around the camera.
constexpr float kFlightClearance = 0.5f;

// The hall: a timber-roofed gable hall along z.
constexpr float kHallHalfWidth = 7.5f;
constexpr float kHallFront = -6.0f;  // the far wall the flight looks at
constexpr float kHallBack = 23.0f;   // the wall behind the flight's start
constexpr float kEaveHeight = 7.5f;
constexpr float kRidgeHeight = 10.5f;
constexpr float kTrussZ[] = {-3.0f, 3.0f, 9.0f, 15.0f};
constexpr float kTieBeamBottom = 6.85f;
constexpr float kTieBeamDepth = 0.3f;
constexpr float kColumnX = 5.5f;

// Wall panelling: boards up to kPanelHeight (the chair rail's underside)
// between stiles one bay apart, a rail below the chair rail, in relief drawn
// into the panelling's maps.
constexpr float kPanelHeight = 0.95f;
constexpr float kPanelBay = 1.2f;
constexpr float kPanelStile = 0.08f;
constexpr float kPanelRailBottom = 0.89f;
constexpr float kPanelRailTop = 0.95f;
constexpr float kPanelRelief = 0.03f;

// The study wing off the hall's +x wall, where the flight ends.
constexpr float kWingEnd = 17.5f;
constexpr float kWingHalfWidth = 4.5f;
constexpr float kWingCeiling = 4.2f;
constexpr float kWingLintelBottom = 3.9f;
constexpr float kWingColumnZ = 2.6f;

}  // namespace layout
