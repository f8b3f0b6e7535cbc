#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <map>
#include <sstream>
#include <string>
#include <tuple>
#include <utility>

#include <gtest/gtest.h>
#include <glm/gtc/matrix_transform.hpp>

#include "app/flight.h"
#include "assets/scene/lamp.h"
#include "assets/scene/layout.h"
#include "assets/scene/material_library.h"
#include "assets/scene/scene_models.h"
#include "camera/floating_camera.h"
#include "scene/lamp_swing.h"
#include "tests/support/mesh_checks.h"

namespace {

struct Triangle {
    glm::vec3 a, b, c;
    glm::vec3 lo, hi;
};

const std::vector<SceneModel>& sceneModels() {
    static const std::vector<SceneModel> models = buildSceneModels();
    return models;
}

const SceneModel& model(const char* path) {
    for (const SceneModel& m : sceneModels())
        if (m.path == path) return m;
    throw std::runtime_error(std::string("no model ") + path);
}

std::vector<Triangle> triangles(const ModelData& data, const glm::mat4& place) {
    std::vector<Triangle> out;
    for (const MeshRecord& mesh : data.meshes)
        for (std::size_t i = 0; i + 2 < mesh.indices.size(); i += 3) {
            Triangle t;
            t.a = glm::vec3(place * glm::vec4(mesh.vertices[mesh.indices[i]].position, 1.0f));
            t.b = glm::vec3(place * glm::vec4(mesh.vertices[mesh.indices[i + 1]].position, 1.0f));
            t.c = glm::vec3(place * glm::vec4(mesh.vertices[mesh.indices[i + 2]].position, 1.0f));
            t.lo = glm::min(t.a, glm::min(t.b, t.c));
            t.hi = glm::max(t.a, glm::max(t.b, t.c));
            out.push_back(t);
        }
    return out;
}

// The lamp's and the light cube's model matrices at swing angle a, as the demo swings them.
glm::mat4 lampAt(float a) { return LampState::swungBy(a).lampModelMatrix; }
glm::mat4 lightCubeAt(float a) { return LampState::swungBy(a).lightCubeModelMatrix; }

// Swing angles covering the whole swing, finely enough that nothing moves
// more than about 0.015 units between two of them.
std::vector<float> swingAngles() {
    std::vector<float> angles;
    for (float a = -layout::kSwingLimit; a <= layout::kSwingLimit + 1e-6f; a += 0.025f) angles.push_back(a);
    return angles;
}

// Smallest distance from the flight path to the triangles, and where.
float pathClearance(const std::vector<Triangle>& tris, glm::vec3& where) {
    const std::vector<glm::vec3> points = makeFlightPoints();
    float best = 1e9f;
    for (std::size_t i = 0; i + 1 < points.size(); ++i) {
        const glm::vec3 lo = glm::min(points[i], points[i + 1]) - glm::vec3(layout::kFlightClearance);
        const glm::vec3 hi = glm::max(points[i], points[i + 1]) + glm::vec3(layout::kFlightClearance);
        for (const Triangle& t : tris) {
            if (glm::any(glm::lessThan(t.hi, lo)) || glm::any(glm::greaterThan(t.lo, hi))) continue;
            const float d = segmentTriangleDistance(points[i], points[i + 1], t.a, t.b, t.c);
            if (d < best) {
                best = d;
                where = points[i];
            }
        }
    }
    return best;
}

}  // namespace

TEST(SceneModels, AreTheThreeFilesTheDemoLoads) {
    ASSERT_EQ(sceneModels().size(), 3u);
    EXPECT_EQ(sceneModels()[0].path, "models/final_scene/final_scene.bmf");
    EXPECT_EQ(sceneModels()[1].path, "models/lamp2/lamp2.bmf");
    EXPECT_EQ(sceneModels()[2].path, "models/lightCube/light_cube.bmf");
}

TEST(SceneModels, PassTheReadersValidationUnchanged) {
    for (const SceneModel& m : sceneModels()) {
        const std::vector<std::uint8_t> bytes = serializeModelFile(m.data);
        ModelData back;
        std::string error;
        ASSERT_TRUE(parseModelFile(bytes.data(), bytes.size(), back, error)) << m.path << ": " << error;
        ASSERT_EQ(back.meshes.size(), m.data.meshes.size()) << m.path;
        ASSERT_EQ(back.materials.size(), m.data.materials.size()) << m.path;
        for (std::size_t i = 0; i < back.meshes.size(); ++i) {
            EXPECT_EQ(back.meshes[i].indices, m.data.meshes[i].indices) << m.path;
            EXPECT_EQ(back.meshes[i].indices.size() % 3, 0u) << m.path;
            EXPECT_FALSE(back.meshes[i].indices.empty()) << m.path;
        }
        // Every map is an image under the model's own texture folder.
        for (const MaterialRecord& mat : back.materials)
            for (const std::string* path :
                 {&mat.diffuseMapPath, &mat.normalMapPath, &mat.specularMapPath, &mat.displacementMapPath}) {
                EXPECT_EQ(path->rfind(m.textureDir + "/", 0), 0u) << *path;
                EXPECT_EQ(path->substr(path->size() - 4), ".png") << *path;
            }
    }
}

TEST(SceneModels, WindingNormalsTangentsAndUvsAgree) {
    for (const SceneModel& m : sceneModels())
        for (const MeshRecord& mesh : m.data.meshes) {
            const std::vector<std::string> faults = meshFaults(mesh);
            EXPECT_TRUE(faults.empty()) << m.path << " material " << mesh.materialIndex << ": " << faults.size()
                                        << " faults, first: " << (faults.empty() ? "" : faults.front());
        }
}

TEST(SceneModels, FlightKeepsItsClearanceFromTheRoom) {
    glm::vec3 where(0.0f);
    const float clearance = pathClearance(triangles(model(layout::kSceneModelPath).data, glm::mat4(1.0f)), where);
    EXPECT_GE(clearance, layout::kFlightClearance)
        << "near flight point (" << where.x << ", " << where.y << ", " << where.z << ")";
}

TEST(SceneModels, FlightKeepsItsClearanceFromTheSwingingLampAndLightCube) {
    for (float a : swingAngles()) {
        glm::vec3 where(0.0f);
        std::vector<Triangle> tris = triangles(model(layout::kLampModelPath).data, lampAt(a));
        const std::vector<Triangle> cube = triangles(model(layout::kLightCubeModelPath).data, lightCubeAt(a));
        tris.insert(tris.end(), cube.begin(), cube.end());
        EXPECT_GE(pathClearance(tris, where), layout::kFlightClearance) << "swing " << a;
    }
}

TEST(SceneModels, EverySurfaceIsWithinTheShadowRangeOfTheLight) {
    float farthest = 0.0f;
    for (const Triangle& t : triangles(model(layout::kSceneModelPath).data, glm::mat4(1.0f)))
        for (const glm::vec3& p : {t.a, t.b, t.c})
            farthest = std::max(farthest, glm::distance(p, layout::kLightRestPosition));
    EXPECT_LE(farthest, layout::kShadowReach);
    // The room is shaped to use that range: it reaches well out towards it.
    EXPECT_GT(farthest, 18.0f);
}

TEST(SceneModels, RoomEnclosesTheFlightWithACeilingAboveNine) {
    // Straight up from every flight point the first thing hit is above 9 at the
    // start, and something is hit at all (the room is closed over the path).
    const std::vector<Triangle> room = triangles(model(layout::kSceneModelPath).data, glm::mat4(1.0f));
    for (const glm::vec3& p : makeFlightPoints()) {
        float lowest = 1e9f;
        for (const Triangle& t : room) {
            // Vertical ray against the triangle, in the xz plane.
            const glm::vec2 q(p.x, p.z), a(t.a.x, t.a.z), b(t.b.x, t.b.z), c(t.c.x, t.c.z);
            const float d = (b.x - a.x) * (c.y - a.y) - (c.x - a.x) * (b.y - a.y);
            if (std::fabs(d) < 1e-9f) continue;
            const float l1 = ((c.x - b.x) * (q.y - b.y) - (q.x - b.x) * (c.y - b.y)) / d;
            const float l2 = ((a.x - c.x) * (q.y - c.y) - (q.x - c.x) * (a.y - c.y)) / d;
            const float l3 = 1.0f - l1 - l2;
            if (l1 < 0 || l2 < 0 || l3 < 0) continue;
            const float y = l1 * t.a.y + l2 * t.b.y + l3 * t.c.y;
            if (y > p.y) lowest = std::min(lowest, y);
        }
        EXPECT_LT(lowest, 1e8f) << "open sky above (" << p.x << ", " << p.y << ", " << p.z << ")";
        if (p.z > 20.0f) {
            EXPECT_GT(lowest, 9.0f);
        }
    }
}

TEST(Lamp, HangsFromItsPivotWithTheLightBelowAndOpenUnderneath) {
    const std::vector<Triangle> lamp = triangles(model(layout::kLampModelPath).data, glm::mat4(1.0f));
    float top = -1e9f;
    for (const Triangle& t : lamp) top = std::max(top, t.hi.y);
    EXPECT_NEAR(top, 0.0f, 0.02f);  // the loop wraps the chain's last link at the pivot
    EXPECT_EQ(lampLightOffset(), glm::vec3(0.0f, -1.2f, 0.0f));
    // Rays from the light downwards and out to the sides at any angle below
    // the horizon hit nothing of the lamp: the shade does not close around it.
    const glm::vec3 light = lampLightOffset();
    int blocked = 0, upwardsOpen = 0, upwards = 0;
    for (int i = 0; i < 12; ++i)
        for (int degrees = -80; degrees <= 88; degrees += 2) {
            const float azimuth = 0.5236f * static_cast<float>(i) + 0.1f;
            const float elevation = glm::radians(static_cast<float>(degrees));
            const glm::vec3 dir(std::cos(elevation) * std::cos(azimuth), std::sin(elevation),
                                std::cos(elevation) * std::sin(azimuth));
            bool hit = false;
            for (const Triangle& t : lamp)
                if (segmentTriangleDistance(light, light + dir * 2.0f, t.a, t.b, t.c) == 0.0f) hit = true;
            if (degrees < 0 && hit) ++blocked;
            if (degrees >= 10) {
                ++upwards;
                if (!hit) ++upwardsOpen;
            }
        }
    EXPECT_EQ(blocked, 0);
    // Some light still reaches the walls and ceiling above, between the louvres.
    EXPECT_GT(upwardsOpen, upwards * 15 / 100);
    EXPECT_LT(upwardsOpen, upwards);
}

TEST(Lamp, HangsFromAChainThatReachesTheTieBeam) {
    // Something of the room lies within a hand's width of the axis all the way
    // from the pivot up to the beam: the lamp is attached, not floating.
    const std::vector<Triangle> room = triangles(model(layout::kSceneModelPath).data, glm::mat4(1.0f));
    for (float y = layout::kLampPivot.y + 0.02f; y < layout::kTieBeamBottom; y += 0.05f) {
        const glm::vec3 p(layout::kLampPivot.x, y, layout::kLampPivot.z);
        float nearest = 1e9f;
        for (const Triangle& t : room)
            if (t.lo.y < y + 0.1f && t.hi.y > y - 0.1f)
                nearest = std::min(nearest, pointTriangleDistance(p, t.a, t.b, t.c));
        EXPECT_LT(nearest, 0.06f) << "gap at y = " << y;
    }
}

TEST(LightCube, IsAUnitCubeCentredOnItsOriginThatGlows) {
    const ModelData& cube = model(layout::kLightCubeModelPath).data;
    glm::vec3 lo(1e9f), hi(-1e9f);
    for (const Triangle& t : triangles(cube, glm::mat4(1.0f))) {
        lo = glm::min(lo, t.lo);
        hi = glm::max(hi, t.hi);
    }
    EXPECT_EQ(lo, glm::vec3(-0.5f));
    EXPECT_EQ(hi, glm::vec3(0.5f));
    ASSERT_EQ(cube.materials.size(), 1u);
    EXPECT_GT(cube.materials[0].emissive.r, 0.5f);
    MeshRecord mesh = cube.meshes[0];
    EXPECT_NEAR(signedVolume(mesh.vertices, mesh.indices), 1.0, 1e-5);
}

namespace {

// Whether p lies in the air of the room: the hall under its roof or the wing.
bool insideRoom(const glm::vec3& p) {
    using namespace layout;
    const float roof = kEaveHeight + (kRidgeHeight - kEaveHeight) * (1.0f - std::fabs(p.x) / kHallHalfWidth);
    const bool hall =
        std::fabs(p.x) < kHallHalfWidth && p.z > kHallFront && p.z < kHallBack && p.y > 0.0f && p.y < roof;
    const bool wing =
        p.x >= kHallHalfWidth && p.x < kWingEnd && std::fabs(p.z) < kWingHalfWidth && p.y > 0.0f && p.y < kWingCeiling;
    return hall || wing;
}

// Where a model is open and the air sees into it: points along the edges
// that only one of its triangles has (its holes, and where it meets other
// surfaces) that lie neither within tolerance of another triangle nor, when
// the room is around it, outside the room. One line per edge, at most maxLines.
std::vector<std::string> uncoveredEdges(const ModelData& data, bool roomAround, float tolerance, std::size_t maxLines) {
    struct Face {
        glm::vec3 p[3];
        std::size_t material;
    };
    std::vector<Face> faces;
    for (const MeshRecord& mesh : data.meshes)
        for (std::size_t i = 0; i + 2 < mesh.indices.size(); i += 3)
            faces.push_back({{mesh.vertices[mesh.indices[i]].position, mesh.vertices[mesh.indices[i + 1]].position,
                              mesh.vertices[mesh.indices[i + 2]].position},
                             mesh.materialIndex});
    // Edges by their end points to a tenth of a millimetre, either way round.
    using EdgeKey = std::array<long, 6>;
    auto edgeKey = [](glm::vec3 a, glm::vec3 b) {
        if (std::tie(b.x, b.y, b.z) < std::tie(a.x, a.y, a.z)) std::swap(a, b);
        return EdgeKey{std::lround(a.x * 1e4f), std::lround(a.y * 1e4f), std::lround(a.z * 1e4f),
                       std::lround(b.x * 1e4f), std::lround(b.y * 1e4f), std::lround(b.z * 1e4f)};
    };
    std::vector<EdgeKey> edges;
    for (const Face& f : faces)
        for (int e = 0; e < 3; ++e) edges.push_back(edgeKey(f.p[e], f.p[(e + 1) % 3]));
    std::sort(edges.begin(), edges.end());
    // Triangles by the cells of a grid that their bounds (and tolerance) touch.
    constexpr float kCell = 0.25f;
    auto cellOf = [](const glm::vec3& p) {
        const glm::ivec3 c = glm::ivec3(glm::floor(p / kCell)) + 1024;
        return (static_cast<std::int64_t>(c.x) * 2048 + c.y) * 2048 + c.z;
    };
    std::vector<std::pair<std::int64_t, std::size_t>> grid;
    for (std::size_t i = 0; i < faces.size(); ++i) {
        const glm::vec3* p = faces[i].p;
        const glm::vec3 lo = glm::min(p[0], glm::min(p[1], p[2])) - tolerance;
        const glm::vec3 hi = glm::max(p[0], glm::max(p[1], p[2])) + tolerance;
        for (float x = lo.x; x < hi.x + kCell; x += kCell)
            for (float y = lo.y; y < hi.y + kCell; y += kCell)
                for (float z = lo.z; z < hi.z + kCell; z += kCell)
                    grid.emplace_back(cellOf(glm::min(glm::vec3(x, y, z), hi)), i);
    }
    std::sort(grid.begin(), grid.end());
    grid.erase(std::unique(grid.begin(), grid.end()), grid.end());
    auto covered = [&](const glm::vec3& q, std::size_t self) {
        const std::int64_t cell = cellOf(q);
        auto it = std::lower_bound(grid.begin(), grid.end(), std::make_pair(cell, std::size_t{0}));
        for (; it != grid.end() && it->first == cell; ++it) {
            const glm::vec3* p = faces[it->second].p;
            if (it->second != self && pointTriangleDistance(q, p[0], p[1], p[2]) <= tolerance) return true;
        }
        return false;
    };
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < faces.size() && lines.size() < maxLines; ++i)
        for (int e = 0; e < 3; ++e) {
            const glm::vec3 a = faces[i].p[e], b = faces[i].p[(e + 1) % 3];
            const auto shared = std::equal_range(edges.begin(), edges.end(), edgeKey(a, b));
            if (shared.second - shared.first > 1) continue;
            // Every 5 cm along the edge.
            const int samples = std::max(1, static_cast<int>(std::ceil(glm::distance(a, b) / 0.05f)));
            for (int s = 0; s < samples; ++s) {
                const glm::vec3 q = glm::mix(a, b, (static_cast<float>(s) + 0.5f) / static_cast<float>(samples));
                if ((roomAround && !insideRoom(q)) || covered(q, i)) continue;
                std::ostringstream line;
                line << data.materials[faces[i].material].diffuseMapPath << " at (" << q.x << ", " << q.y << ", " << q.z
                     << ")";
                lines.push_back(line.str());
                break;
            }
        }
    return lines;
}

}  // namespace

TEST(SceneModels, AreClosedWhereverTheAirReachesThem) {
    // A face may be left out only where it lies against another surface (the
    // floor, a wall, another part: within a centimetre) or outside the room;
    // wherever else a part is open, a user flying freely looks into it.
    for (const SceneModel& m : sceneModels()) {
        const std::vector<std::string> open = uncoveredEdges(m.data, m.path == layout::kSceneModelPath, 0.01f, 20);
        std::string lines;
        for (const std::string& line : open) lines += "\n  open " + line;
        EXPECT_TRUE(open.empty()) << m.path << ":" << lines;
    }
}

TEST(SceneModels, StayWithinTheTriangleBudget) {
    std::size_t total = 0;
    for (const SceneModel& m : sceneModels())
        for (const MeshRecord& mesh : m.data.meshes) total += mesh.indices.size() / 3;
    // Every triangle goes through the G-buffer pass and the shadow pass's
    // geometry stage each frame, whose vertex work runs on one thread in a
    // software renderer. The room closed wherever the air reaches it takes
    // about 25 100.
    EXPECT_LE(total, 26000u);
    EXPECT_GT(total, 10000u);
}

namespace {

// A triangle with its texel density: the largest and smallest stretch of its
// texture in texels per world unit.
struct TexturedTriangle {
    glm::vec3 p[3];
    glm::vec3 normal;
    bool twoSided;
    std::string textureSet;
    float sharpest, softest;
};

void addTextured(const SceneModel& model, const glm::mat4& place, bool twoSided, std::vector<TexturedTriangle>& out) {
    for (const MeshRecord& mesh : model.data.meshes) {
        const std::string& path = model.data.materials[mesh.materialIndex].diffuseMapPath;
        const std::string file = path.substr(path.rfind('/') + 1);
        const std::string set = file.substr(0, file.rfind("_diffuse"));
        const float size = static_cast<float>(findTextureSet(set).size);
        for (std::size_t i = 0; i + 2 < mesh.indices.size(); i += 3) {
            TexturedTriangle t{{}, {}, twoSided, set, 0.0f, 0.0f};
            glm::vec2 uv[3];
            for (int k = 0; k < 3; ++k) {
                const Vertex& v = mesh.vertices[mesh.indices[i + static_cast<std::size_t>(k)]];
                t.p[k] = glm::vec3(place * glm::vec4(v.position, 1.0f));
                uv[k] = v.texCoords * size;
            }
            const glm::vec3 e1 = t.p[1] - t.p[0], e2 = t.p[2] - t.p[0];
            t.normal = glm::normalize(glm::cross(e1, e2));
            // World edges in the triangle's own plane, and the texel map from them.
            const glm::vec3 x = glm::normalize(e1), y = glm::cross(t.normal, x);
            const glm::mat2 world(glm::vec2(glm::dot(e1, x), glm::dot(e1, y)),
                                  glm::vec2(glm::dot(e2, x), glm::dot(e2, y)));
            const glm::mat2 m = glm::mat2(uv[1] - uv[0], uv[2] - uv[0]) * glm::inverse(world);
            const float a = m[0][0], b = m[1][0], c = m[0][1], d = m[1][1];
            const float sum = a * a + b * b + c * c + d * d;
            const float diff = std::sqrt((a * a + b * b - c * c - d * d) * (a * a + b * b - c * c - d * d) +
                                         4.0f * (a * c + b * d) * (a * c + b * d));
            t.sharpest = std::sqrt((sum + diff) / 2.0f);
            t.softest = std::sqrt(std::max(0.0f, (sum - diff) / 2.0f));
            out.push_back(t);
        }
    }
}

// Nearest view depth of the part of the triangle inside the view, or 0 when
// none of it is.
float nearestDepthInView(const TexturedTriangle& t, const glm::mat4& view, float tanX, float tanY) {
    std::vector<glm::vec3> polygon;
    for (const glm::vec3& p : t.p) polygon.emplace_back(view * glm::vec4(p, 1.0f));
    // Inside where dot(plane.xyz, p) + plane.w >= 0; the camera looks along -z.
    const glm::vec4 planes[5] = {
        {0, 0, -1, -0.1f}, {1, 0, -tanX, 0}, {-1, 0, -tanX, 0}, {0, 1, -tanY, 0}, {0, -1, -tanY, 0}};
    for (const glm::vec4& plane : planes) {
        std::vector<glm::vec3> kept;
        for (std::size_t k = 0; k < polygon.size(); ++k) {
            const glm::vec3& a = polygon[k];
            const glm::vec3& b = polygon[(k + 1) % polygon.size()];
            const float da = glm::dot(glm::vec3(plane), a) + plane.w, db = glm::dot(glm::vec3(plane), b) + plane.w;
            if (da >= 0.0f) kept.push_back(a);
            if ((da >= 0.0f) != (db >= 0.0f)) kept.push_back(a + (b - a) * (da / (da - db)));
        }
        polygon.swap(kept);
        if (polygon.empty()) return 0.0f;
    }
    float nearest = 1e30f;
    for (const glm::vec3& p : polygon) nearest = std::min(nearest, -p.z);
    return nearest;
}

}  // namespace

TEST(SceneModels, TexturesMatchTheClosestViewOfTheirSurfacesAlongTheFlight) {
    // Flown as the demo flies it, in its default 1280 x 720 window; every
    // quarter of a second, each surface's largest size on screen (pixels per
    // world unit) where it is in view and faces the camera. The lamp counts at
    // rest and at both ends of its swing.
    std::vector<TexturedTriangle> triangles;
    addTextured(model(layout::kSceneModelPath), glm::mat4(1.0f), false, triangles);
    std::vector<glm::mat4> lampPlaces;
    for (float a : {-layout::kSwingLimit, 0.0f, layout::kSwingLimit}) lampPlaces.push_back(lampAt(a));
    const std::size_t roomCount = triangles.size();
    for (const glm::mat4& place : lampPlaces) addTextured(model(layout::kLampModelPath), place, true, triangles);
    FloatingCamera camera(1280.0f / 720.0f);
    const float pixelsAtOneUnit = 360.0f * camera.perspectiveMatrix[1][1];
    const float tanX = 1.0f / camera.perspectiveMatrix[0][0], tanY = 1.0f / camera.perspectiveMatrix[1][1];
    std::vector<float> pixelsPerUnit(triangles.size(), 0.0f);
    Flight flight;
    constexpr float kStep = 1.0f / 60.0f;
    for (int frame = 0; flight.segmentEnd != flight.finalPoint; ++frame) {
        flight.step(camera, frame == 0 ? 0.0f : kStep);
        camera.update();
        if (frame % 15 != 0) continue;
        const glm::mat4 view = camera.getViewMatrix();
        for (std::size_t i = 0; i < triangles.size(); ++i) {
            const TexturedTriangle& t = triangles[i];
            if (!t.twoSided && glm::dot(t.normal, camera.position - t.p[0]) <= 0.0f) continue;
            const float depth = nearestDepthInView(t, view, tanX, tanY);
            if (depth > 0.0f) pixelsPerUnit[i] = std::max(pixelsPerUnit[i], pixelsAtOneUnit / depth);
        }
    }
    ASSERT_GT(roomCount, 0u);
    // Per texture set: texels per pixel (geometric mean of the two directions)
    // on its surface seen largest against its texels. Above 2 the set could be
    // half its size with no view losing detail (and it aliases, without
    // mipmaps); below 0.5 that surface shows blurred. Strips whose texture is
    // stretched on purpose (a plain colour, over 4 : 1) do not count.
    std::map<std::string, float> texelsPerPixel;
    for (std::size_t i = 0; i < triangles.size(); ++i) {
        const TexturedTriangle& t = triangles[i];
        float& ratio = texelsPerPixel.emplace(t.textureSet, 1e30f).first->second;
        if (pixelsPerUnit[i] <= 0.0f || t.sharpest > 4.0f * t.softest) continue;
        ratio = std::min(ratio, std::sqrt(t.sharpest * t.softest) / pixelsPerUnit[i]);
    }
    for (const auto& [set, ratio] : texelsPerPixel) {
        EXPECT_LE(ratio, 2.0f) << set << " (" << findTextureSet(set).size
                               << " pixels a side) is larger than any view shows";
        EXPECT_GE(ratio, 0.5f) << set << " (" << findTextureSet(set).size
                               << " pixels a side) is blurred where the flight comes close";
    }
}
