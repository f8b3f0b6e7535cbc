#pragma once

#include <cstdint>
#include <vector>

#include <glm/glm.hpp>

#include "model/vertex.h"

// A piece of triangle mesh in its own space: counter-clockwise front faces,
// unit normals, and unit tangents along +u that are orthogonal to the normals.
// UVs are never mirrored: cross(tangent, dP/dv) points along the normal, so a
// shader may rebuild the bitangent as cross(normal, tangent).
struct MeshPart {
    std::vector<Vertex> vertices;
    std::vector<std::uint32_t> indices;

    std::size_t triangleCount() const { return indices.size() / 3; }
};

// Appends src to dst, placed by transform (which must not mirror): positions
// by the full matrix, normals by its inverse transpose, tangents by its linear
// part, re-orthogonalised against the normal.
void appendPart(MeshPart& dst, const MeshPart& src, const glm::mat4& transform = glm::mat4(1.0f));

// The same part placed by transform.
MeshPart transformed(const MeshPart& src, const glm::mat4& transform);

// Helpers for building transforms in the scene code.
glm::mat4 translation(const glm::vec3& t);
glm::mat4 rotationY(float radians);
glm::mat4 rotationX(float radians);
glm::mat4 rotationZ(float radians);
glm::mat4 scaling(const glm::vec3& s);
