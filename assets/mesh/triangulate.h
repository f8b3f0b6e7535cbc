#pragma once

#include <cstdint>
#include <vector>

#include <glm/glm.hpp>

// Ear clipping of a simple polygon given counter-clockwise; returns index
// triples into points, each counter-clockwise. Empty for fewer than three points.
std::vector<std::uint32_t> triangulatePolygon(const std::vector<glm::vec2>& points);

// Twice the signed area: positive for counter-clockwise outlines.
float signedArea2(const std::vector<glm::vec2>& points);
