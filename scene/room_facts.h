#pragma once

#include <glm/glm.hpp>

// What the renderer and the generator of the bundled room must agree on: the
// model files the demo loads, and where its lamp hangs and how far it swings.
// The room is shaped around these; both sides read them from here.
namespace room {

// Relative to the directory the demo runs in.
inline constexpr const char* kSceneModelPath = "models/final_scene/final_scene.bmf";
inline constexpr const char* kLampModelPath = "models/lamp2/lamp2.bmf";
inline constexpr const char* kLightCubeModelPath = "models/lightCube/light_cube.bmf";

// The lamp's origin: it hangs from here and swings about it, around the x axis.
inline constexpr glm::vec3 kLampPivot(0.0f, 4.0f, 3.0f);
// The light's marker is a unit cube scaled by kLightCubeScale, whose pivot
// lies kLightPivotOffset of its own units up its y axis: at rest, the light
// hangs kLightBelowPivot world units straight below the lamp's pivot.
inline constexpr float kLightCubeScale = 0.1f;
inline constexpr float kLightPivotOffset = 12.0f;
inline constexpr float kLightBelowPivot = kLightPivotOffset * kLightCubeScale;
inline constexpr glm::vec3 kLightRestPosition(kLampPivot.x, kLampPivot.y - kLightBelowPivot, kLampPivot.z);

// The swing turns around once it has passed +-kSwingTurnAngle radians, by up
// to a frame's step; the room keeps clear of the lamp out to kSwingLimit.
inline constexpr float kSwingTurnAngle = 0.4f;
inline constexpr float kSwingLimit = kSwingTurnAngle + 0.05f;

}  // namespace room
