#include "assets/mesh/mesh_part.h"

#include <cmath>
#include <stdexcept>

#include <glm/gtc/matrix_transform.hpp>

namespace {

glm::vec3 orthogonalTo(const glm::vec3& n) {
    const glm::vec3 axis = std::fabs(n.x) < 0.9f ? glm::vec3(1, 0, 0) : glm::vec3(0, 1, 0);
    return glm::normalize(glm::cross(axis, n));
}

}  // namespace

void appendPart(MeshPart& dst, const MeshPart& src, const glm::mat4& transform) {
    const glm::mat3 linear(transform);
    // A mirroring transform would turn the winding and the UV handedness around.
    if (glm::determinant(linear) <= 0.0f) throw std::invalid_argument("appendPart: transform mirrors or collapses");
    const glm::mat3 normalMatrix = glm::transpose(glm::inverse(linear));
    const auto base = static_cast<std::uint32_t>(dst.vertices.size());
    dst.vertices.reserve(dst.vertices.size() + src.vertices.size());
    for (const Vertex& v : src.vertices) {
        Vertex out;
        out.position = glm::vec3(transform * glm::vec4(v.position, 1.0f));
        out.normal = glm::normalize(normalMatrix * v.normal);
        out.texCoords = v.texCoords;
        glm::vec3 t = linear * v.tangent;
        t -= out.normal * glm::dot(out.normal, t);
        const float len = glm::length(t);
        out.tangent = len > 1e-6f ? t / len : orthogonalTo(out.normal);
        dst.vertices.push_back(out);
    }
    dst.indices.reserve(dst.indices.size() + src.indices.size());
    for (std::uint32_t i : src.indices) dst.indices.push_back(base + i);
}

MeshPart transformed(const MeshPart& src, const glm::mat4& transform) {
    MeshPart out;
    appendPart(out, src, transform);
    return out;
}

glm::mat4 translation(const glm::vec3& t) { return glm::translate(glm::mat4(1.0f), t); }
glm::mat4 rotationY(float radians) { return glm::rotate(glm::mat4(1.0f), radians, glm::vec3(0, 1, 0)); }
glm::mat4 rotationX(float radians) { return glm::rotate(glm::mat4(1.0f), radians, glm::vec3(1, 0, 0)); }
glm::mat4 rotationZ(float radians) { return glm::rotate(glm::mat4(1.0f), radians, glm::vec3(0, 0, 1)); }
glm::mat4 scaling(const glm::vec3& s) { return glm::scale(glm::mat4(1.0f), s); }
