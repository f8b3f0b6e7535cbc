// rtg-preview: looks at the generated scene without a GPU. Renders frames
// along the real camera flight (lit by the point light, with shadows from a
// cube of depth maps), a plan and a side section with the flight path drawn
// in, into PNG files:  rtg-preview OUT_DIR [WIDTH HEIGHT]
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <iostream>
#include <map>
#include <string>

#include <glm/gtc/matrix_transform.hpp>

#include "app/flight.h"
#include "assets/generate.h"
#include "assets/preview/rasterizer.h"
#include "assets/scene/layout.h"
#include "assets/scene/material_library.h"
#include "camera/floating_camera.h"
#include "io/png_writer.h"
#include "io/standard_streams.h"
#include "scene/lamp_swing.h"
#include "scene/shadow_transforms.h"

namespace {

constexpr int kPreviewTextureSize = 256;
constexpr int kShadowSize = 512;
constexpr float kAmbient = 0.18f;
// Plans and sections are for reading the layout: light them more evenly.
constexpr float kDrawingAmbient = 0.5f;

struct Tri {
    glm::vec3 p[3], n[3];
    glm::vec2 uv[3];
    int texture;
    glm::vec3 emissive;
};

struct Texture {
    int size;
    std::vector<glm::vec3> texels;
    glm::vec3 sample(glm::vec2 uv) const {
        // Mirrored repeat, as the demo's textures are set up.
        auto mirror = [](float t) {
            const float f = std::fmod(std::fabs(t), 2.0f);
            return f > 1.0f ? 2.0f - f : f;
        };
        const int x = std::min(size - 1, static_cast<int>(mirror(uv.x) * static_cast<float>(size)));
        const int y = std::min(size - 1, static_cast<int>((1.0f - mirror(uv.y)) * static_cast<float>(size)));
        return texels[static_cast<std::size_t>(y) * size + x];
    }
};

struct World {
    std::vector<Tri> tris;
    std::vector<Texture> textures;
    glm::vec3 light;
};

void addModel(World& world, const SceneModel& model, const glm::mat4& place, std::map<std::string, int>& textureIndex) {
    const glm::mat3 normalMatrix = glm::transpose(glm::inverse(glm::mat3(place)));
    for (const MeshRecord& mesh : model.data.meshes) {
        const MaterialRecord& material = model.data.materials[mesh.materialIndex];
        // The texture set's name is the image file's stem.
        const std::string file = std::filesystem::path(material.diffuseMapPath).stem().string();
        const std::string set = file.substr(0, file.rfind("_diffuse"));
        if (!textureIndex.count(set)) {
            const SurfaceMaps maps = renderTextureSet(set, kPreviewTextureSize);
            textureIndex[set] = static_cast<int>(world.textures.size());
            world.textures.push_back({maps.albedo.size, maps.albedo.values});
        }
        for (std::size_t i = 0; i + 2 < mesh.indices.size(); i += 3) {
            Tri t;
            for (int k = 0; k < 3; ++k) {
                const Vertex& v = mesh.vertices[mesh.indices[i + k]];
                t.p[k] = glm::vec3(place * glm::vec4(v.position, 1.0f));
                t.n[k] = glm::normalize(normalMatrix * v.normal);
                t.uv[k] = v.texCoords;
            }
            t.texture = textureIndex[set];
            t.emissive = material.emissive;
            world.tris.push_back(t);
        }
    }
}

World buildWorld(float swing) {
    World world;
    std::map<std::string, int> textureIndex;
    const std::vector<SceneModel> models = buildSceneModels();
    const LampState lamp = LampState::swungBy(swing);
    world.light = lamp.lightPosition;
    addModel(world, models[0], glm::mat4(1.0f), textureIndex);
    addModel(world, models[1], lamp.lampModelMatrix, textureIndex);
    addModel(world, models[2], lamp.lightCubeModelMatrix, textureIndex);
    return world;
}

// Distance from the light to the nearest surface, per cube face and texel.
// The faces are the demo's own.
struct ShadowCube {
    std::vector<glm::mat4> faces;
    std::vector<float> distance[kShadowFaceCount];
};

ShadowCube renderShadows(const World& world) {
    ShadowCube cube;
    cube.faces = computeShadowTransforms(makeShadowProjection(kShadowSize, kShadowSize), world.light);
    for (int f = 0; f < kShadowFaceCount; ++f) {
        cube.distance[f].assign(static_cast<std::size_t>(kShadowSize) * kShadowSize, 1e9f);
        DepthTarget target(kShadowSize, kShadowSize);
        for (const Tri& t : world.tris) {
            if (t.emissive != glm::vec3(0.0f)) continue;  // the light cube casts no shadow
            const glm::vec4 clip[3] = {cube.faces[f] * glm::vec4(t.p[0], 1), cube.faces[f] * glm::vec4(t.p[1], 1),
                                       cube.faces[f] * glm::vec4(t.p[2], 1)};
            rasterTriangle(target, clip, false, [&](int x, int y, const glm::vec3& w) {
                const glm::vec3 p = t.p[0] * w.x + t.p[1] * w.y + t.p[2] * w.z;
                cube.distance[f][static_cast<std::size_t>(y) * kShadowSize + x] = glm::distance(p, world.light);
            });
        }
    }
    return cube;
}

float litFraction(const ShadowCube& cube, const glm::vec3& light, const glm::vec3& p) {
    const float d = glm::distance(p, light);
    if (d > kShadowFarPlane) return 0.0f;
    for (int f = 0; f < kShadowFaceCount; ++f) {
        const glm::vec4 c = cube.faces[f] * glm::vec4(p, 1.0f);
        if (c.w <= 0.0f || std::fabs(c.x) > c.w || std::fabs(c.y) > c.w) continue;
        const int x = std::clamp(static_cast<int>((c.x / c.w * 0.5f + 0.5f) * kShadowSize), 0, kShadowSize - 1);
        const int y = std::clamp(static_cast<int>((0.5f - c.y / c.w * 0.5f) * kShadowSize), 0, kShadowSize - 1);
        const float stored = cube.distance[f][static_cast<std::size_t>(y) * kShadowSize + x];
        return d - 0.02f - 0.004f * d > stored ? 0.0f : 1.0f;
    }
    return 1.0f;
}

struct Frame {
    Image image;
    DepthTarget depth;
    Frame(int w, int h)
        : image{w, h, 3, std::vector<std::uint8_t>(static_cast<std::size_t>(w) * h * 3, 0)}, depth(w, h) {}
    void set(int x, int y, glm::vec3 c) {
        c = glm::clamp(c, 0.0f, 1.0f);
        std::uint8_t* px = &image.pixels[(static_cast<std::size_t>(y) * image.width + x) * 3];
        px[0] = static_cast<std::uint8_t>(c.r * 255.0f);
        px[1] = static_cast<std::uint8_t>(c.g * 255.0f);
        px[2] = static_cast<std::uint8_t>(c.b * 255.0f);
    }
};

// Lambert shading with the demo's attenuation, an ambient term and shadows.
Frame renderView(const World& world, const ShadowCube& shadows, const glm::mat4& viewProjection, int width, int height,
                 float maxY, bool orthographic) {
    Frame frame(width, height);
    for (const Tri& t : world.tris) {
        if (t.p[0].y > maxY && t.p[1].y > maxY && t.p[2].y > maxY) continue;
        const glm::vec4 clip[3] = {viewProjection * glm::vec4(t.p[0], 1), viewProjection * glm::vec4(t.p[1], 1),
                                   viewProjection * glm::vec4(t.p[2], 1)};
        rasterTriangle(frame.depth, clip, true, [&](int x, int y, const glm::vec3& w) {
            const glm::vec3 p = t.p[0] * w.x + t.p[1] * w.y + t.p[2] * w.z;
            glm::vec3 n = glm::normalize(t.n[0] * w.x + t.n[1] * w.y + t.n[2] * w.z);
            const glm::vec2 uv = t.uv[0] * w.x + t.uv[1] * w.y + t.uv[2] * w.z;
            const glm::vec3 albedo = world.textures[static_cast<std::size_t>(t.texture)].sample(uv);
            if (t.emissive != glm::vec3(0.0f)) {
                frame.set(x, y, t.emissive);
                return;
            }
            const glm::vec3 toLight = world.light - p;
            const float d = glm::length(toLight);
            const float attenuation = 1.0f / (1.0f + 0.09f * d + 0.0028f * d * d);
            const float diffuse = std::max(0.0f, glm::dot(n, toLight / d)) * attenuation;
            const float lit = diffuse > 0.0f ? litFraction(shadows, world.light, p + n * 0.01f) : 0.0f;
            frame.set(x, y, albedo * ((orthographic ? kDrawingAmbient : kAmbient) + 1.3f * diffuse * lit));
        });
    }
    return frame;
}

void drawLine(Image& image, glm::vec2 a, glm::vec2 b, glm::vec3 colour) {
    const int steps = static_cast<int>(std::max(std::fabs(b.x - a.x), std::fabs(b.y - a.y))) + 1;
    for (int i = 0; i <= steps; ++i) {
        const glm::vec2 p = glm::mix(a, b, static_cast<float>(i) / static_cast<float>(steps));
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx) {
                const int x = static_cast<int>(p.x) + dx, y = static_cast<int>(p.y) + dy;
                if (x < 0 || y < 0 || x >= image.width || y >= image.height) continue;
                std::uint8_t* px = &image.pixels[(static_cast<std::size_t>(y) * image.width + x) * 3];
                px[0] = static_cast<std::uint8_t>(colour.r * 255);
                px[1] = static_cast<std::uint8_t>(colour.g * 255);
                px[2] = static_cast<std::uint8_t>(colour.b * 255);
            }
    }
}

glm::vec2 toScreen(const glm::mat4& viewProjection, const glm::vec3& p, int w, int h) {
    const glm::vec4 c = viewProjection * glm::vec4(p, 1.0f);
    return {(c.x / c.w * 0.5f + 0.5f) * static_cast<float>(w), (0.5f - c.y / c.w * 0.5f) * static_cast<float>(h)};
}

void save(const std::filesystem::path& path, const Image& image) {
    std::string ignored;
    writePng(path.string(), image, ignored);
    std::cout << "wrote " << path.string() << std::endl;
}

}  // namespace

int main(int argc, char** argv) {
    reopenClosedStandardStreams();
    if (argc != 2 && argc != 4 && argc != 5) {
        std::cout << "Usage: rtg-preview OUT_DIR [WIDTH HEIGHT [SWING_RADIANS]]" << std::endl;
        return 1;
    }
    const std::filesystem::path out = argv[1];
    std::filesystem::create_directories(out);
    const int width = argc >= 4 ? std::atoi(argv[2]) : 800;
    const int height = argc >= 4 ? std::atoi(argv[3]) : 450;
    const float swing = argc == 5 ? static_cast<float>(std::atof(argv[4])) : 0.0f;
    const World world = buildWorld(swing);
    std::cout << world.tris.size() << " triangles" << std::endl;
    const ShadowCube shadows = renderShadows(world);
    const std::vector<glm::vec3> path = makeFlightPoints();

    // Frames along the real flight: the camera, the flight step, 60 steps a second.
    FloatingCamera camera(static_cast<float>(width) / static_cast<float>(height));
    camera.update();
    Flight flight;
    const std::size_t stops[] = {0, 4, 8, 11, 13, 16, 19, 21, 24, 30, 35, 40, 47};
    std::size_t next = 0;
    for (int step = 0; step < 200000 && next < std::size(stops); ++step) {
        flight.step(camera, step == 0 ? 0.0f : 1.0f / 60.0f);
        camera.update();
        const bool holding = flight.segmentEnd == flight.finalPoint;
        if (flight.segmentIndex >= stops[next] || holding) {
            if (holding && stops[next] != 47) {
                ++next;
                continue;
            }
            char name[32];
            std::snprintf(name, sizeof name, "flight_%02zu.png", stops[next]);
            const Frame frame =
                renderView(world, shadows, camera.getViewProjectionMatrix(), width, height, 1e9f, false);
            std::cout << "point " << stops[next] << " at (" << camera.position.x << ", " << camera.position.y << ", "
                      << camera.position.z << ") yaw " << camera.yaw << " pitch " << camera.pitch << std::endl;
            save(out / name, frame.image);
            ++next;
        }
    }

    // The lamp close up, from beside the table.
    const glm::mat4 closeUp =
        glm::perspective(45.0f, static_cast<float>(width) / static_cast<float>(height), 0.1f, 1000.0f) *
        glm::lookAt(glm::vec3(-1.6f, 2.2f, 4.6f), layout::kLampPivot + glm::vec3(0, -1.0f, 0), glm::vec3(0, 1, 0));
    save(out / "lamp.png", renderView(world, shadows, closeUp, width, height, 1e9f, false).image);

    // Plan (ceiling and roof left out) and a section looking along -x, each with the path.
    const int planW = 630, planH = 700;
    // Looking down with -z up the image: view y is -z.
    const glm::mat4 plan = glm::ortho(-9.0f, 19.0f, -23.5f, 7.5f, 0.1f, 100.0f) *
                           glm::lookAt(glm::vec3(0, 50, 0), glm::vec3(0, 0, 0), glm::vec3(0, 0, -1));
    Frame planFrame = renderView(world, shadows, plan, planW, planH, 6.8f, true);
    // Section looking along -x, cut at the hall's +x wall: view x is -z.
    const glm::mat4 side = glm::ortho(-24.0f, 7.5f, -1.0f, 12.0f, 42.4f, 100.0f) *
                           glm::lookAt(glm::vec3(50, 0, 0), glm::vec3(0, 0, 0), glm::vec3(0, 1, 0));
    Frame sideFrame = renderView(world, shadows, side, 1200, 500, 1e9f, true);
    for (std::size_t i = 0; i + 1 < path.size(); ++i) {
        drawLine(planFrame.image, toScreen(plan, path[i], planW, planH), toScreen(plan, path[i + 1], planW, planH),
                 {1, 0.1f, 0.1f});
        drawLine(sideFrame.image, toScreen(side, path[i], 1200, 500), toScreen(side, path[i + 1], 1200, 500),
                 {1, 0.1f, 0.1f});
    }
    save(out / "plan.png", planFrame.image);
    save(out / "section.png", sideFrame.image);
    return 0;
}
