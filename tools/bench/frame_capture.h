#pragma once

#include <string>
#include <vector>

#include <GL/glew.h>

#include "tools/bench/capture_maps.h"

class RoomScene;

// Texture read-back (level 0), rows from the bottom as GL stores them.
FloatTexels readTextureFloat(GLenum target, GLuint texture, GLenum faceOrTarget, GLenum format, int channels);
std::vector<std::uint8_t> readTextureRgba8(GLuint texture, int& width, int& height);
// The colour buffer of framebuffer 0 as it is before the swap (8-bit RGBA).
std::vector<std::uint8_t> readWindowRgba8(int width, int height);

// Writes every buffer the scene's passes name (RoomScene::passBuffers, the
// final frame among them) of the frame just rendered as PNG files named
// "<prefix>_<buffer>.png" in dir, and appends the raw value ranges, one
// "<prefix> <what> <min> <max>" line each, to notes. Call after render and
// before the swap. False when a picture could not be written.
bool captureFrame(const RoomScene& scene, const std::string& dir, const std::string& prefix, std::string& notes);
