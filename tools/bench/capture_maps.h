#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "io/image.h"
#include "scene/shadow_transforms.h"

// Float texels as GL reads them back: rows from the bottom, `channels` per texel.
struct FloatTexels {
    int width = 0;
    int height = 0;
    int channels = 0;
    std::vector<float> values;
};

struct ValueRange {
    float min = 0.0f;
    float max = 0.0f;
};

// Smallest and largest finite value of one channel ({0, 0} when none).
ValueRange channelRange(const FloatTexels& texels, int channel);

// Each channel stretched from its own smallest to largest value (0 to 255);
// the ranges used are returned for the record. Non-finite values map to 0.
Image mapPerChannelRange(const FloatTexels& texels, std::vector<ValueRange>& ranges);
// Unit vectors: each component c in [-1, 1] as (c + 1) / 2.
Image mapSignedUnit(const FloatTexels& texels);
// Normals stored as an octahedral encoding in the first two channels, decoded
// to unit vectors and shown as (n + 1) / 2.
Image mapOctahedralNormals(const FloatTexels& texels);
// First channel, clamped to [0, 1], as grey.
Image mapUnitGrey(const FloatTexels& texels);
// 8-bit RGBA read back bottom-up: its colour, or its alpha as grey.
Image rgbFromRgba8(const std::vector<std::uint8_t>& rgba, int width, int height);
Image alphaFromRgba8(const std::vector<std::uint8_t>& rgba, int width, int height);

// The six depth faces of a cube map (GL face order +X, -X, +Y, -Y, +Z, -Z,
// each `faceSize` square, as read back) shrunk to `cellSize` by averaging and
// laid out as a cross four cells wide and three high:
//          +Y
//     -X   +Z   +X   -Z
//          -Y
// Every face is drawn with its first texel row at the top of its cell, the
// orientation in which the neighbouring faces meet at shared edges. Depth
// is stretched from the smallest to the largest value over all faces (near
// dark, far light); the range is returned. Empty cells are black.
Image shadowCross(const std::array<FloatTexels, kShadowFaceCount>& faces, int cellSize, ValueRange& range);

// Mean and largest absolute difference of the first channels of two
// pictures of the same size (NaN when the sizes differ or are empty).
struct Difference {
    double mean = 0.0;
    double max = 0.0;
};
Difference compareFirstChannel(const FloatTexels& a, const FloatTexels& b);
