#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include <glm/glm.hpp>

#include "model/bmf_format.h"

// Geometry checks shared by the asset and importer tests.

float pointTriangleDistance(const glm::vec3& p, const glm::vec3& a, const glm::vec3& b, const glm::vec3& c);
float segmentTriangleDistance(const glm::vec3& p0, const glm::vec3& p1, const glm::vec3& a, const glm::vec3& b,
                              const glm::vec3& c);

// One line per fault, at most maxFaults lines: triangles whose winding
// disagrees with their vertex normals, degenerate triangles, tangents that
// are not unit length or not orthogonal to the normal, tangents that do not
// follow +u, or mirrored texture coordinates.
std::vector<std::string> meshFaults(const MeshRecord& mesh, std::size_t maxFaults = 10);

// Signed volume enclosed by a mesh (positive when its faces point outwards).
double signedVolume(const std::vector<Vertex>& vertices, const std::vector<std::uint32_t>& indices);
