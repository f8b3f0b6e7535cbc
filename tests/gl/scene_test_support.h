#pragma once

// Helpers of the scene's GL tests: a small room written as model files, a
// working directory that holds it next to the shaders, and window read-back
// with PNG files.

#include <cstdint>
#include <string>
#include <vector>

#include <glm/glm.hpp>

#include "camera/floating_camera.h"
#include "io/image.h"
#include "scene/room_scene.h"

// A test room in scene coordinates: walls, floor and ceiling seen from
// inside, a table under the light, and a solid pillar at kPillarCentre
// between kCameraBehindPillar and the light. The floor material has all four
// maps; the pillar's maps are missing on purpose.
extern const glm::vec3 kPillarCentre;
extern const glm::vec3 kCameraBehindPillar;
extern const glm::vec3 kCameraFacingLight;
void writeTestRoom(const std::string& directory);

// Changes the working directory for the lifetime of the object.
class ScopedWorkingDirectory {
public:
    explicit ScopedWorkingDirectory(const std::string& directory);
    ~ScopedWorkingDirectory();
    ScopedWorkingDirectory(const ScopedWorkingDirectory&) = delete;
    ScopedWorkingDirectory& operator=(const ScopedWorkingDirectory&) = delete;

private:
    std::string previous_;
};

// A fresh directory under the system's temporary folder with a "shaders"
// link to the runnable directory's shaders.
std::string makeSceneDirectory(const std::string& name);

// Points the camera from eye at target (yaw and pitch; no roll).
void aimCamera(FloatingCamera& camera, const glm::vec3& eye, const glm::vec3& target);
// The pixel (top-left origin) where a world point lands for the camera.
glm::ivec2 projectToPixel(FloatingCamera& camera, const glm::vec3& world, int width, int height);

// Resizes the hidden test window so its default framebuffer is width x height.
void resizeTestWindow(int width, int height);

// RGBA, top row first.
Image readWindow(int width, int height);
// The picture as a PNG file, with the folders it needs.
bool writePng(const std::string& path, const Image& image);
// A PNG file as RGBA.
bool readPng(const std::string& path, Image& image);
// Mean of the RGB channels of a pixel (top-left origin).
float brightness(const Image& image, int x, int y);
