#include "tests/support/mesh_checks.h"

#include <algorithm>
#include <cmath>
#include <sstream>

namespace {

// Closest point on segment p0-p1 to segment q0-q1: squared distance.
float segmentSegmentDistance2(const glm::vec3& p0, const glm::vec3& p1, const glm::vec3& q0, const glm::vec3& q1) {
    const glm::vec3 d1 = p1 - p0, d2 = q1 - q0, r = p0 - q0;
    const float a = glm::dot(d1, d1), e = glm::dot(d2, d2), f = glm::dot(d2, r);
    float s = 0.0f, t = 0.0f;
    if (a <= 1e-12f && e <= 1e-12f) return glm::dot(r, r);
    if (a <= 1e-12f) {
        t = std::clamp(f / e, 0.0f, 1.0f);
    } else {
        const float c = glm::dot(d1, r);
        if (e <= 1e-12f) {
            s = std::clamp(-c / a, 0.0f, 1.0f);
        } else {
            const float b = glm::dot(d1, d2);
            const float denom = a * e - b * b;
            s = denom > 1e-12f ? std::clamp((b * f - c * e) / denom, 0.0f, 1.0f) : 0.0f;
            t = (b * s + f) / e;
            if (t < 0.0f) {
                t = 0.0f;
                s = std::clamp(-c / a, 0.0f, 1.0f);
            } else if (t > 1.0f) {
                t = 1.0f;
                s = std::clamp((b - c) / a, 0.0f, 1.0f);
            }
        }
    }
    const glm::vec3 diff = (p0 + d1 * s) - (q0 + d2 * t);
    return glm::dot(diff, diff);
}

bool segmentCrossesTriangle(const glm::vec3& p0, const glm::vec3& p1, const glm::vec3& a, const glm::vec3& b,
                            const glm::vec3& c) {
    const glm::vec3 dir = p1 - p0, e1 = b - a, e2 = c - a;
    const glm::vec3 h = glm::cross(dir, e2);
    const float det = glm::dot(e1, h);
    if (std::fabs(det) < 1e-12f) return false;
    const glm::vec3 s = p0 - a;
    const float u = glm::dot(s, h) / det;
    if (u < 0.0f || u > 1.0f) return false;
    const glm::vec3 q = glm::cross(s, e1);
    const float v = glm::dot(dir, q) / det;
    if (v < 0.0f || u + v > 1.0f) return false;
    const float t = glm::dot(e2, q) / det;
    return t >= 0.0f && t <= 1.0f;
}

}  // namespace

float pointTriangleDistance(const glm::vec3& pf, const glm::vec3& af, const glm::vec3& bf, const glm::vec3& cf) {
    // Closest point by Voronoi regions of the triangle, in double precision:
    // the products of dot products cancel badly in float for long slivers.
    const glm::dvec3 p(pf), a(af), b(bf), c(cf);
    const glm::dvec3 ab = b - a, ac = c - a, ap = p - a;
    const double d1 = glm::dot(ab, ap), d2 = glm::dot(ac, ap);
    if (d1 <= 0.0 && d2 <= 0.0) return static_cast<float>(glm::length(ap));
    const glm::dvec3 bp = p - b;
    const double d3 = glm::dot(ab, bp), d4 = glm::dot(ac, bp);
    if (d3 >= 0.0 && d4 <= d3) return static_cast<float>(glm::length(bp));
    const double vc = d1 * d4 - d3 * d2;
    if (vc <= 0.0 && d1 >= 0.0 && d3 <= 0.0) return static_cast<float>(glm::length(p - (a + ab * (d1 / (d1 - d3)))));
    const glm::dvec3 cp = p - c;
    const double d5 = glm::dot(ab, cp), d6 = glm::dot(ac, cp);
    if (d6 >= 0.0 && d5 <= d6) return static_cast<float>(glm::length(cp));
    const double vb = d5 * d2 - d1 * d6;
    if (vb <= 0.0 && d2 >= 0.0 && d6 <= 0.0) return static_cast<float>(glm::length(p - (a + ac * (d2 / (d2 - d6)))));
    const double va = d3 * d6 - d5 * d4;
    if (va <= 0.0 && (d4 - d3) >= 0.0 && (d5 - d6) >= 0.0)
        return static_cast<float>(glm::length(p - (b + (c - b) * ((d4 - d3) / ((d4 - d3) + (d5 - d6))))));
    const double denom = 1.0 / (va + vb + vc);
    return static_cast<float>(glm::length(p - (a + ab * (vb * denom) + ac * (vc * denom))));
}

float segmentTriangleDistance(const glm::vec3& p0, const glm::vec3& p1, const glm::vec3& a, const glm::vec3& b,
                              const glm::vec3& c) {
    if (segmentCrossesTriangle(p0, p1, a, b, c)) return 0.0f;
    float best = std::min(pointTriangleDistance(p0, a, b, c), pointTriangleDistance(p1, a, b, c));
    best = std::min(best, std::sqrt(segmentSegmentDistance2(p0, p1, a, b)));
    best = std::min(best, std::sqrt(segmentSegmentDistance2(p0, p1, b, c)));
    best = std::min(best, std::sqrt(segmentSegmentDistance2(p0, p1, c, a)));
    return best;
}

std::vector<std::string> meshFaults(const MeshRecord& mesh, std::size_t maxFaults) {
    std::vector<std::string> faults;
    auto report = [&](std::size_t triangle, const std::string& what) {
        if (faults.size() >= maxFaults) return;
        std::ostringstream line;
        const Vertex& v = mesh.vertices[mesh.indices[triangle * 3]];
        line << "triangle " << triangle << " near (" << v.position.x << ", " << v.position.y << ", " << v.position.z
             << "): " << what;
        faults.push_back(line.str());
    };
    for (std::size_t t = 0; t * 3 + 2 < mesh.indices.size(); ++t) {
        const Vertex* v[3];
        for (int k = 0; k < 3; ++k) v[k] = &mesh.vertices[mesh.indices[t * 3 + k]];
        const glm::dvec3 p0(v[0]->position), p1(v[1]->position), p2(v[2]->position);
        const glm::dvec3 e1 = p1 - p0, e2 = p2 - p0;
        const glm::dvec3 cross = glm::cross(e1, e2);
        const double area2 = glm::length(cross);
        if (area2 < 1e-12) {
            report(t, "degenerate");
            continue;
        }
        const glm::dvec3 geometric = cross / area2;
        for (int k = 0; k < 3; ++k) {
            const glm::dvec3 n(v[k]->normal), tan(v[k]->tangent);
            if (glm::dot(geometric, n) <= 0.0) report(t, "winding disagrees with the vertex normal");
            if (std::fabs(glm::length(n) - 1.0) > 1e-3) report(t, "normal not unit length");
            if (std::fabs(glm::length(tan) - 1.0) > 1e-3) report(t, "tangent not unit length");
            if (std::fabs(glm::dot(n, tan)) > 1e-3) report(t, "tangent not orthogonal to the normal");
        }
        // Direction of +u and +v across the triangle, from its texture coordinates.
        const glm::dvec2 w0(v[0]->texCoords), w1(v[1]->texCoords), w2(v[2]->texCoords);
        const glm::dvec2 d1 = w1 - w0, d2 = w2 - w0;
        const double det = d1.x * d2.y - d2.x * d1.y;
        if (std::fabs(det) < 1e-14) continue;  // no texture across this triangle
        const glm::dvec3 dPdu = (e1 * d2.y - e2 * d1.y) / det;
        const glm::dvec3 dPdv = (e2 * d1.x - e1 * d2.x) / det;
        if (glm::dot(glm::cross(dPdu, dPdv), geometric) <= 0.0) report(t, "mirrored texture coordinates");
        for (int k = 0; k < 3; ++k)
            if (glm::dot(glm::dvec3(v[k]->tangent), dPdu) <= 0.0) report(t, "tangent does not follow +u");
    }
    return faults;
}

double signedVolume(const std::vector<Vertex>& vertices, const std::vector<std::uint32_t>& indices) {
    double volume = 0.0;
    for (std::size_t i = 0; i + 2 < indices.size(); i += 3) {
        const glm::dvec3 a(vertices[indices[i]].position), b(vertices[indices[i + 1]].position),
            c(vertices[indices[i + 2]].position);
        volume += glm::dot(a, glm::cross(b, c)) / 6.0;
    }
    return volume;
}
