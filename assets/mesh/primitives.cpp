#include "assets/mesh/primitives.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "assets/mesh/triangulate.h"

namespace {

constexpr float kPi = 3.14159265358979f;

// The tangent frame of a plane: u horizontal (x on floors and ceilings), v up
// the plane, with cross(T, B) = N.
void planeFrame(const glm::vec3& n, glm::vec3& t, glm::vec3& b) {
    if (std::fabs(n.y) > 0.99f) {
        t = glm::normalize(glm::vec3(1, 0, 0) - n * n.x);
    } else {
        t = glm::normalize(glm::cross(glm::vec3(0, 1, 0), n));
    }
    b = glm::cross(n, t);
}

Vertex makeVertex(const glm::vec3& p, const glm::vec3& n, const glm::vec2& uv, const glm::vec3& t) {
    Vertex v;
    v.position = p;
    v.normal = n;
    v.texCoords = uv;
    v.tangent = t;
    return v;
}

// Splits [start, start + length] at integer values: the tiles of one axis.
std::vector<glm::vec2> tileSpans(float start, float length) {
    std::vector<glm::vec2> spans;
    float a = start;
    const float end = start + length;
    while (a < end - 1e-5f) {
        const float b = std::min(end, std::floor(a + 1e-5f) + 1.0f);
        spans.emplace_back(a, b);
        a = b;
    }
    return spans;
}

void addQuadIndices(MeshPart& part, std::uint32_t a, std::uint32_t b, std::uint32_t c, std::uint32_t d) {
    part.indices.insert(part.indices.end(), {a, b, c, a, c, d});
}

}  // namespace

MeshPart makeQuad(const glm::vec3& origin, const glm::vec3& edgeU, const glm::vec3& edgeV, UvMapping uv) {
    MeshPart part;
    const float lu = glm::length(edgeU);
    const float lv = glm::length(edgeV);
    if (lu <= 0.0f || lv <= 0.0f) return part;
    const glm::vec3 t = edgeU / lu;
    const glm::vec3 n = glm::normalize(glm::cross(edgeU, edgeV));
    const float u0 = uv.offset.x;
    const float v0 = uv.offset.y;
    for (const glm::vec2& su : tileSpans(u0, lu / uv.texSize)) {
        for (const glm::vec2& sv : tileSpans(v0, lv / uv.texSize)) {
            const float fu0 = (su.x - u0) * uv.texSize / lu, fu1 = (su.y - u0) * uv.texSize / lu;
            const float fv0 = (sv.x - v0) * uv.texSize / lv, fv1 = (sv.y - v0) * uv.texSize / lv;
            const float ku = std::floor(su.x + 1e-5f), kv = std::floor(sv.x + 1e-5f);
            const auto base = static_cast<std::uint32_t>(part.vertices.size());
            const glm::vec3 p00 = origin + edgeU * fu0 + edgeV * fv0;
            const glm::vec3 p10 = origin + edgeU * fu1 + edgeV * fv0;
            const glm::vec3 p11 = origin + edgeU * fu1 + edgeV * fv1;
            const glm::vec3 p01 = origin + edgeU * fu0 + edgeV * fv1;
            part.vertices.push_back(makeVertex(p00, n, {su.x - ku, sv.x - kv}, t));
            part.vertices.push_back(makeVertex(p10, n, {su.y - ku, sv.x - kv}, t));
            part.vertices.push_back(makeVertex(p11, n, {su.y - ku, sv.y - kv}, t));
            part.vertices.push_back(makeVertex(p01, n, {su.x - ku, sv.y - kv}, t));
            addQuadIndices(part, base, base + 1, base + 2, base + 3);
        }
    }
    return part;
}

MeshPart makePictureQuad(const glm::vec3& origin, const glm::vec3& edgeU, const glm::vec3& edgeV,
                         const glm::vec4& uvRect) {
    MeshPart part;
    const glm::vec3 t = glm::normalize(edgeU);
    const glm::vec3 n = glm::normalize(glm::cross(edgeU, edgeV));
    part.vertices.push_back(makeVertex(origin, n, {uvRect.x, uvRect.y}, t));
    part.vertices.push_back(makeVertex(origin + edgeU, n, {uvRect.z, uvRect.y}, t));
    part.vertices.push_back(makeVertex(origin + edgeU + edgeV, n, {uvRect.z, uvRect.w}, t));
    part.vertices.push_back(makeVertex(origin + edgeV, n, {uvRect.x, uvRect.w}, t));
    addQuadIndices(part, 0, 1, 2, 3);
    return part;
}

MeshPart makePolygon(const std::vector<glm::vec3>& points, const glm::vec3& normal, UvMapping uv) {
    MeshPart part;
    if (points.size() < 3) return part;
    const glm::vec3 n = glm::normalize(normal);
    glm::vec3 t, b;
    planeFrame(n, t, b);
    std::vector<glm::vec2> flat;
    glm::vec2 lo(1e30f);
    for (const glm::vec3& p : points) {
        flat.emplace_back(glm::dot(p, t), glm::dot(p, b));
        lo = glm::min(lo, flat.back());
    }
    std::vector<std::uint32_t> order(points.size());
    for (std::uint32_t i = 0; i < order.size(); ++i) order[i] = i;
    if (signedArea2(flat) < 0.0f) {
        std::reverse(order.begin(), order.end());
        std::reverse(flat.begin(), flat.end());
    }
    for (std::size_t i = 0; i < order.size(); ++i) {
        part.vertices.push_back(makeVertex(points[order[i]], n, (flat[i] - lo) / uv.texSize + uv.offset, t));
    }
    part.indices = triangulatePolygon(flat);
    return part;
}

MeshPart makeBox(const glm::vec3& size, UvMapping uv, unsigned hiddenSides) {
    const glm::vec3 h = size * 0.5f;
    MeshPart part;
    auto face = [&](unsigned side, const glm::vec3& origin, const glm::vec3& edgeU, const glm::vec3& edgeV) {
        if ((hiddenSides & side) == 0) appendPart(part, makeQuad(origin, edgeU, edgeV, uv));
    };
    face(kRightSide, {h.x, -h.y, h.z}, {0, 0, -size.z}, {0, size.y, 0});
    face(kLeftSide, {-h.x, -h.y, -h.z}, {0, 0, size.z}, {0, size.y, 0});
    face(kFrontSide, {-h.x, -h.y, h.z}, {size.x, 0, 0}, {0, size.y, 0});
    face(kBackSide, {h.x, -h.y, -h.z}, {-size.x, 0, 0}, {0, size.y, 0});
    face(kTopSide, {-h.x, h.y, h.z}, {size.x, 0, 0}, {0, 0, -size.z});
    face(kBottomSide, {-h.x, -h.y, -h.z}, {size.x, 0, 0}, {0, 0, size.z});
    return part;
}

namespace {

// A convex face from points in any order: sorted around their centre.
MeshPart convexFace(std::vector<glm::vec3> points, const glm::vec3& normal, UvMapping uv) {
    glm::vec3 t, b;
    planeFrame(glm::normalize(normal), t, b);
    glm::vec3 c(0.0f);
    for (const glm::vec3& p : points) c += p;
    c /= static_cast<float>(points.size());
    std::sort(points.begin(), points.end(), [&](const glm::vec3& p, const glm::vec3& q) {
        return std::atan2(glm::dot(p - c, b), glm::dot(p - c, t)) < std::atan2(glm::dot(q - c, b), glm::dot(q - c, t));
    });
    return makePolygon(points, normal, uv);
}

}  // namespace

MeshPart makeBevelledBox(const glm::vec3& size, float bevel, UvMapping uv, unsigned hiddenSides, unsigned flatSides) {
    const glm::vec3 h = size * 0.5f;
    bevel = std::min(bevel, 0.49f * std::min(size.x, std::min(size.y, size.z)));
    if (bevel <= 0.0f) return makeBox(size, uv, hiddenSides);
    auto side = [](int axis, float sign) { return 1u << (2 * axis + (sign > 0.0f ? 1 : 0)); };
    // Hidden and flat sides alike end the chamfers and corners next to them.
    auto hidden = [&](int axis, float sign) { return ((hiddenSides | flatSides) & side(axis, sign)) != 0; };
    // Where a face ends along an axis on one side: short of the edge by the
    // bevel, or at the edge itself where that side is hidden.
    auto reach = [&](int axis, float sign) { return sign * (hidden(axis, sign) ? h[axis] : h[axis] - bevel); };
    MeshPart part;
    auto add = [&](const std::vector<glm::vec3>& pts, const glm::vec3& n) { appendPart(part, convexFace(pts, n, uv)); };
    // Faces: for each axis and side, the inset rectangle on the box's surface.
    for (int a = 0; a < 3; ++a) {
        const int b = (a + 1) % 3, c = (a + 2) % 3;
        for (float s : {-1.0f, 1.0f}) {
            if (hidden(a, s)) continue;
            std::vector<glm::vec3> pts;
            for (float sb : {-1.0f, 1.0f})
                for (float sc : {-1.0f, 1.0f}) {
                    glm::vec3 p;
                    p[a] = s * h[a];
                    p[b] = reach(b, sb);
                    p[c] = reach(c, sc);
                    pts.push_back(p);
                }
            glm::vec3 n(0.0f);
            n[a] = s;
            add(pts, n);
        }
    }
    // Edge chamfers between two faces, running along the third axis.
    for (int a = 0; a < 3; ++a) {
        const int b = (a + 1) % 3, c = (a + 2) % 3;
        for (float sa : {-1.0f, 1.0f})
            for (float sb : {-1.0f, 1.0f}) {
                if (hidden(a, sa) || hidden(b, sb)) continue;
                std::vector<glm::vec3> pts;
                for (float sc : {-1.0f, 1.0f}) {
                    glm::vec3 p;
                    p[a] = sa * h[a];
                    p[b] = sb * (h[b] - bevel);
                    p[c] = reach(c, sc);
                    pts.push_back(p);
                    p[a] = sa * (h[a] - bevel);
                    p[b] = sb * h[b];
                    pts.push_back(p);
                }
                glm::vec3 n(0.0f);
                n[a] = sa;
                n[b] = sb;
                add(pts, glm::normalize(n));
            }
    }
    // Corner triangles.
    for (float sx : {-1.0f, 1.0f})
        for (float sy : {-1.0f, 1.0f})
            for (float sz : {-1.0f, 1.0f}) {
                const glm::vec3 s(sx, sy, sz);
                if (hidden(0, sx) || hidden(1, sy) || hidden(2, sz)) continue;
                std::vector<glm::vec3> pts;
                for (int a = 0; a < 3; ++a) {
                    glm::vec3 p = s * (h - glm::vec3(bevel));
                    p[a] = s[a] * h[a];
                    pts.push_back(p);
                }
                add(pts, glm::normalize(s));
            }
    // Flat sides: the section, its corners chamfered where both sides
    // next to them are bevelled.
    for (int a = 0; a < 3; ++a) {
        const int b = (a + 1) % 3, c = (a + 2) % 3;
        for (float s : {-1.0f, 1.0f}) {
            if ((flatSides & side(a, s)) == 0 || (hiddenSides & side(a, s)) != 0) continue;
            std::vector<glm::vec3> pts;
            for (float sb : {-1.0f, 1.0f})
                for (float sc : {-1.0f, 1.0f}) {
                    glm::vec3 p;
                    p[a] = s * h[a];
                    p[b] = sb * h[b];
                    p[c] = sc * h[c];
                    if (hidden(b, sb) || hidden(c, sc)) {
                        pts.push_back(p);
                        continue;
                    }
                    p[c] = sc * (h[c] - bevel);
                    pts.push_back(p);
                    p[b] = sb * (h[b] - bevel);
                    p[c] = sc * h[c];
                    pts.push_back(p);
                }
            glm::vec3 n(0.0f);
            n[a] = s;
            add(pts, n);
        }
    }
    return part;
}

namespace {

// A surface of revolution (see makeLathe). u runs around in whole tiles of
// the texture (or, with tileAround false, once around: the globe's
// longitude), v along the profile; flat rings and discs (horizontal profile
// segments) take planar UVs seen from above, so that their grain runs
// straight across instead of fanning out from the centre.
MeshPart latheSurface(const std::vector<glm::vec2>& profile, int segments, UvMapping uv, float smoothDegrees,
                      bool tileAround) {
    MeshPart part;
    const std::size_t m = profile.size();
    if (m < 2 || segments < 3) return part;
    std::vector<glm::vec2> segNormal(m - 1);
    std::vector<bool> flat(m - 1);
    float widest = 0.0f;
    for (std::size_t k = 0; k + 1 < m; ++k) {
        const glm::vec2 d = profile[k + 1] - profile[k];
        if (glm::length(d) <= 0.0f) throw std::invalid_argument("makeLathe: repeated profile point");
        segNormal[k] = glm::normalize(glm::vec2(d.y, -d.x));
        flat[k] = std::fabs(d.y) <= 1e-6f * glm::length(d);
        widest = std::max(widest, std::max(profile[k].x, profile[k + 1].x));
    }
    const bool closed = glm::length(profile.front() - profile.back()) < 1e-6f;
    const float cosSmooth = std::cos(smoothDegrees * kPi / 180.0f);
    // Whole tiles around, so that the texture meets itself where u wraps.
    const float turns = tileAround ? std::max(1.0f, std::round(2.0f * kPi * widest / uv.texSize)) : 1.0f;

    auto addRing = [&](const glm::vec2& p, glm::vec2 n, float v, bool planar) {
        // A point on the axis takes the axial normal so that caps and poles shade flat.
        if (p.x <= 1e-7f) n = glm::vec2(0.0f, n.y >= 0.0f ? 1.0f : -1.0f);
        const auto first = static_cast<std::uint32_t>(part.vertices.size());
        for (int j = 0; j <= segments; ++j) {
            const float theta = 2.0f * kPi * static_cast<float>(j) / static_cast<float>(segments);
            const float c = std::cos(theta), s = std::sin(theta);
            const glm::vec3 pos(p.x * c, p.y, -p.x * s);
            const glm::vec3 nor = glm::normalize(glm::vec3(n.x * c, n.y, -n.x * s));
            if (planar) {
                // u along +x; v along -z on a face looking up, +z on one
                // looking down, so that the bitangent cross(n, t) runs along
                // +v. The tangent leans with a normal smoothed into the next
                // segment.
                const float up = n.y >= 0.0f ? 1.0f : -1.0f;
                const glm::vec2 flatUv = glm::vec2(pos.x, -up * pos.z) / uv.texSize + uv.offset;
                const glm::vec3 tangent = glm::normalize(glm::vec3(1.0f, 0.0f, 0.0f) - nor * nor.x);
                part.vertices.push_back(makeVertex(pos, nor, flatUv, tangent));
            } else {
                const float u = turns * static_cast<float>(j) / static_cast<float>(segments) + uv.offset.x;
                part.vertices.push_back(makeVertex(pos, nor, {u, v}, {-s, 0.0f, -c}));
            }
        }
        return first;
    };

    float arc = 0.0f;
    std::uint32_t previousEnd = 0;
    glm::vec2 previousEndNormal(0.0f);
    for (std::size_t k = 0; k + 1 < m; ++k) {
        const float v0 = arc / uv.texSize + uv.offset.y;
        arc += glm::length(profile[k + 1] - profile[k]);
        const float v1 = arc / uv.texSize + uv.offset.y;
        // Start ring: shared with the previous segment where the corner is
        // smooth and both map alike; a smooth corner between a flat ring and
        // a slope gets two rings with the same normal.
        std::uint32_t start;
        const bool smoothStart = k > 0 && glm::dot(segNormal[k - 1], segNormal[k]) >= cosSmooth;
        if (smoothStart && flat[k - 1] == flat[k]) {
            start = previousEnd;
        } else {
            glm::vec2 n = smoothStart ? previousEndNormal : segNormal[k];
            if (k == 0 && closed && glm::dot(segNormal[m - 2], segNormal[0]) >= cosSmooth)
                n = glm::normalize(segNormal[m - 2] + segNormal[0]);
            start = addRing(profile[k], n, v0, flat[k]);
        }
        glm::vec2 endNormal = segNormal[k];
        if (k + 2 < m && glm::dot(segNormal[k], segNormal[k + 1]) >= cosSmooth)
            endNormal = glm::normalize(segNormal[k] + segNormal[k + 1]);
        if (k + 2 == m && closed && glm::dot(segNormal[k], segNormal[0]) >= cosSmooth)
            endNormal = glm::normalize(segNormal[k] + segNormal[0]);
        const std::uint32_t end = addRing(profile[k + 1], endNormal, v1, flat[k]);
        previousEnd = end;
        previousEndNormal = endNormal;
        const bool startOnAxis = profile[k].x <= 1e-7f;
        const bool endOnAxis = profile[k + 1].x <= 1e-7f;
        if (startOnAxis && endOnAxis) continue;
        for (int j = 0; j < segments; ++j) {
            const std::uint32_t a = start + j, b = start + j + 1, c = end + j + 1, d = end + j;
            if (startOnAxis) {
                part.indices.insert(part.indices.end(), {a, c, d});
            } else if (endOnAxis) {
                part.indices.insert(part.indices.end(), {a, b, c});
            } else {
                addQuadIndices(part, a, b, c, d);
            }
        }
    }
    return part;
}

}  // namespace

MeshPart makeLathe(const std::vector<glm::vec2>& profile, int segments, UvMapping uv, float smoothDegrees) {
    return latheSurface(profile, segments, uv, smoothDegrees, true);
}

MeshPart makeCylinder(float radius, float height, int segments, bool caps, UvMapping uv) {
    return makeCone(radius, radius, height, segments, caps, uv);
}

MeshPart makeCone(float bottomRadius, float topRadius, float height, int segments, bool caps, UvMapping uv) {
    std::vector<glm::vec2> profile;
    if (caps) profile.emplace_back(0.0f, 0.0f);
    profile.emplace_back(bottomRadius, 0.0f);
    profile.emplace_back(topRadius, height);
    if (caps && topRadius > 0.0f) profile.emplace_back(0.0f, height);
    return makeLathe(profile, segments, uv);
}

MeshPart makeSphere(float radius, int segments, int rings, UvMapping uv) {
    std::vector<glm::vec2> profile;
    for (int i = 0; i <= rings; ++i) {
        const float phi = kPi * static_cast<float>(i) / static_cast<float>(rings);
        profile.emplace_back(i == 0 || i == rings ? 0.0f : radius * std::sin(phi), -radius * std::cos(phi));
    }
    return latheSurface(profile, segments, uv, 60.0f, false);
}

MeshPart makeTorus(float ringRadius, float tubeRadius, int segments, int sides, UvMapping uv) {
    std::vector<glm::vec2> profile;
    for (int i = 0; i <= sides; ++i) {
        const float phi = 2.0f * kPi * static_cast<float>(i % sides) / static_cast<float>(sides);
        profile.emplace_back(ringRadius + tubeRadius * std::cos(phi), tubeRadius * std::sin(phi));
    }
    return makeLathe(profile, segments, uv, 60.0f);
}

MeshPart makeExtrusion(const std::vector<glm::vec2>& outline, float depth, UvMapping uv, float smoothDegrees) {
    MeshPart part;
    const std::size_t n = outline.size();
    if (n < 3) return part;
    std::vector<glm::vec2> pts = outline;
    if (signedArea2(pts) < 0.0f) throw std::invalid_argument("makeExtrusion: outline must be counter-clockwise");
    std::vector<glm::vec3> front, back;
    for (const glm::vec2& p : pts) front.emplace_back(p.x, p.y, depth);
    for (std::size_t i = n; i-- > 0;) back.emplace_back(pts[i].x, pts[i].y, 0.0f);
    appendPart(part, makePolygon(front, {0, 0, 1}, uv));
    appendPart(part, makePolygon(back, {0, 0, -1}, uv));

    std::vector<glm::vec2> edgeNormal(n);
    for (std::size_t i = 0; i < n; ++i) {
        const glm::vec2 d = pts[(i + 1) % n] - pts[i];
        edgeNormal[i] = glm::normalize(glm::vec2(d.y, -d.x));
    }
    const float cosSmooth = std::cos(smoothDegrees * kPi / 180.0f);
    auto vertexNormal = [&](std::size_t vertex, std::size_t edge) {
        const std::size_t other = (edge == vertex) ? (vertex + n - 1) % n : (vertex + 1) % n;
        if (smoothDegrees > 0.0f && glm::dot(edgeNormal[edge], edgeNormal[other]) >= cosSmooth)
            return glm::normalize(edgeNormal[edge] + edgeNormal[other]);
        return edgeNormal[edge];
    };
    float run = 0.0f;
    for (std::size_t i = 0; i < n; ++i) {
        const std::size_t j = (i + 1) % n;
        const glm::vec2 d = pts[j] - pts[i];
        const float len = glm::length(d);
        if (len <= 0.0f) continue;
        const glm::vec3 t(d.x / len, d.y / len, 0.0f);
        const glm::vec2 ni = vertexNormal(i, i), nj = vertexNormal(j, i);
        const float u0 = run / uv.texSize + uv.offset.x, u1 = (run + len) / uv.texSize + uv.offset.x;
        const float v0 = uv.offset.y, v1 = depth / uv.texSize + uv.offset.y;
        const auto base = static_cast<std::uint32_t>(part.vertices.size());
        auto tangentFor = [&](const glm::vec2& nn) {
            const glm::vec3 n3(nn, 0.0f);
            return glm::normalize(t - n3 * glm::dot(n3, t));
        };
        part.vertices.push_back(makeVertex({pts[i], 0.0f}, {ni, 0.0f}, {u0, v0}, tangentFor(ni)));
        part.vertices.push_back(makeVertex({pts[j], 0.0f}, {nj, 0.0f}, {u1, v0}, tangentFor(nj)));
        part.vertices.push_back(makeVertex({pts[j], depth}, {nj, 0.0f}, {u1, v1}, tangentFor(nj)));
        part.vertices.push_back(makeVertex({pts[i], depth}, {ni, 0.0f}, {u0, v1}, tangentFor(ni)));
        addQuadIndices(part, base, base + 1, base + 2, base + 3);
        run += len;
    }
    return part;
}
