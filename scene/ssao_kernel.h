#pragma once

#include <cstdint>
#include <random>
#include <vector>

#include <glm/glm.hpp>

// SSAO sample kernel and rotation noise, drawn from one MT19937 engine with
// its default seed so every run (and every platform) gets the same bits.

constexpr unsigned int kSsaoKernelSize = 32;
constexpr unsigned int kSsaoNoiseSide = 4;
constexpr unsigned int kSsaoNoiseCount = kSsaoNoiseSide * kSsaoNoiseSide;
// The raw occlusion that the SSAO pass hands its blur packs two things into
// 8 bits: the visibility as a level from 0 to kSsaoRawVisibilityLevels in the
// high four bits and a class of the depth (one of kSsaoRawDepthClasses) in
// the low four.
constexpr int kSsaoRawVisibilityLevels = 15;
constexpr int kSsaoRawDepthClasses = 16;

// One uniform number in [0, 1] from one 32-bit draw: float(u) / 2^32 in
// single precision (1.0 exactly when u rounds up to 2^32).
float ssaoUniform(std::mt19937& engine);
float ssaoUniformFromDraw(std::uint32_t u);

// Hemisphere samples around +z, crowded towards the centre: sample i has
// z >= 0 and a length of at most 0.1 + 0.9 (i / count)^2.
std::vector<glm::vec3> generateSsaoKernel(std::mt19937& engine, unsigned int count);

// 16 rotation vectors (x, y, 0), x and y in [-1, 1], not normalised; value i
// belongs at column i % 4, row i / 4 of the noise tile.
std::vector<glm::vec3> generateSsaoNoise(std::mt19937& engine);
