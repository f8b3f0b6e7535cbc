#include "tests/gl/scene_test_support.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>

#include <unistd.h>

#include <GL/glew.h>
#include <gtest/gtest.h>
#include <stb_image.h>

#include "io/output_file.h"
#include "io/png_writer.h"
#include "model/bmf_format.h"
#include "scene/room_facts.h"
#include "tests/gl/gl_test_context.h"

namespace fs = std::filesystem;

const glm::vec3 kPillarCentre(0.0f, 2.8f, 0.5f);
const glm::vec3 kCameraBehindPillar(0.0f, 2.8f, -3.0f);
const glm::vec3 kCameraFacingLight(0.0f, 2.8f, 6.0f);

namespace {

struct Face {
    glm::vec3 normal;   // outward
    glm::vec3 tangent;  // along u
};

const Face kBoxFaces[6] = {
    {{1, 0, 0}, {0, 0, -1}}, {{-1, 0, 0}, {0, 0, 1}}, {{0, 1, 0}, {1, 0, 0}},
    {{0, -1, 0}, {1, 0, 0}}, {{0, 0, 1}, {1, 0, 0}},  {{0, 0, -1}, {-1, 0, 0}},
};

// An axis-aligned box, counter-clockwise seen from the side its normals face:
// outside for a solid, inside for a room. skipFace leaves one face open.
void addBox(MeshRecord& mesh, glm::vec3 lo, glm::vec3 hi, bool inward, int skipFace = -1) {
    const glm::vec3 centre = (lo + hi) * 0.5f;
    const glm::vec3 half = (hi - lo) * 0.5f;
    for (int f = 0; f < 6; ++f) {
        if (f == skipFace) continue;
        const glm::vec3 n = inward ? -kBoxFaces[f].normal : kBoxFaces[f].normal;
        const glm::vec3 t = kBoxFaces[f].tangent;
        const glm::vec3 b = glm::cross(n, t);
        const glm::vec3 faceCentre = centre + kBoxFaces[f].normal * half;
        const float ht = glm::dot(glm::abs(t), half);
        const float hb = glm::dot(glm::abs(b), half);
        const std::uint32_t base = static_cast<std::uint32_t>(mesh.vertices.size());
        const float corners[4][2] = {{-1, -1}, {1, -1}, {1, 1}, {-1, 1}};
        for (const auto& c : corners) {
            Vertex v{};
            v.position = faceCentre + t * (c[0] * ht) + b * (c[1] * hb);
            v.normal = n;
            v.tangent = t;
            // One texture repeat per world unit.
            v.texCoords = glm::vec2((c[0] * 0.5f + 0.5f) * 2.0f * ht, (c[1] * 0.5f + 0.5f) * 2.0f * hb);
            mesh.vertices.push_back(v);
        }
        for (std::uint32_t i : {0u, 1u, 2u, 0u, 2u, 3u}) mesh.indices.push_back(base + i);
    }
}

void writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    fs::create_directories(fs::path(path).parent_path());
    std::string error;
    if (!writeWholeFile(path, bytes.data(), bytes.size(), error)) ADD_FAILURE() << error;
}

// Raised tiles with grooves between them: the height field of the floor.
float tileHeight(float u, float v) {
    const float du = std::fabs(u - std::floor(u) - 0.5f);
    const float dv = std::fabs(v - std::floor(v) - 0.5f);
    return std::min(1.0f, (0.5f - std::max(du, dv)) * 12.0f);
}

void writeFloorTextures(const std::string& directory) {
    const int size = 64;
    Image diffuse{size, size, 4, {}}, normal{size, size, 4, {}}, specular{size, size, 4, {}}, height{size, size, 4, {}};
    for (Image* image : {&diffuse, &normal, &specular, &height}) image->pixels.resize(size * size * 4);
    const float texel = 1.0f / size;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const float u = (x + 0.5f) * texel * 2.0f;  // two tiles per texture
            const float v = (y + 0.5f) * texel * 2.0f;
            const float h = tileHeight(u, v);
            const float dx = (tileHeight(u + texel, v) - tileHeight(u - texel, v)) * 0.5f;
            const float dy = (tileHeight(u, v + texel) - tileHeight(u, v - texel)) * 0.5f;
            const glm::vec3 n = glm::normalize(glm::vec3(-dx * 4.0f, -dy * 4.0f, 1.0f));
            const bool dark = (static_cast<int>(std::floor(u)) + static_cast<int>(std::floor(v))) % 2 != 0;
            const std::size_t i = static_cast<std::size_t>((y * size + x) * 4);
            const std::uint8_t d = dark ? 90 : 200;
            diffuse.pixels[i] = d, diffuse.pixels[i + 1] = static_cast<std::uint8_t>(d * 0.8f),
            diffuse.pixels[i + 2] = 60;
            normal.pixels[i] = static_cast<std::uint8_t>((n.x * 0.5f + 0.5f) * 255.0f);
            normal.pixels[i + 1] = static_cast<std::uint8_t>((n.y * 0.5f + 0.5f) * 255.0f);
            normal.pixels[i + 2] = static_cast<std::uint8_t>((n.z * 0.5f + 0.5f) * 255.0f);
            specular.pixels[i] = specular.pixels[i + 1] = specular.pixels[i + 2] = dark ? 40 : 160;
            // The displacement map holds depth: white is deepest.
            height.pixels[i] = height.pixels[i + 1] = height.pixels[i + 2] =
                static_cast<std::uint8_t>((1.0f - h) * 255.0f);
            for (Image* image : {&diffuse, &normal, &specular, &height}) image->pixels[i + 3] = 255;
        }
    }
    // Which way up does not matter for tiles.
    writePng(directory + "/floor_diffuse.png", diffuse);
    writePng(directory + "/floor_normal.png", normal);
    writePng(directory + "/floor_specular.png", specular);
    writePng(directory + "/floor_depth.png", height);
}

MaterialRecord plainMaterial(glm::vec3 diffuse, const std::string& mapPrefix) {
    MaterialRecord m;
    m.diffuse = diffuse;
    m.specular = glm::vec3(0.3f);
    m.shininess = 32.0f;
    m.diffuseMapPath = mapPrefix + "_diffuse.png";
    m.normalMapPath = mapPrefix + "_normal.png";
    m.specularMapPath = mapPrefix + "_specular.png";
    m.displacementMapPath = mapPrefix + "_depth.png";
    return m;
}

}  // namespace

void writeTestRoom(const std::string& directory) {
    const std::string textures = "models/final_scene/textures";
    writeFloorTextures(directory + "/" + textures);

    ModelData room;
    room.materials.push_back(plainMaterial(glm::vec3(1.0f), textures + "/floor"));
    room.materials.push_back(plainMaterial(glm::vec3(0.75f, 0.72f, 0.68f), textures + "/missing"));
    MeshRecord floor;
    floor.materialIndex = 0;
    addBox(floor, {-6.0f, -1.0f, -6.0f}, {6.0f, 0.0f, 10.0f}, false);
    room.meshes.push_back(floor);
    MeshRecord walls;
    walls.materialIndex = 1;
    addBox(walls, {-6.0f, 0.0f, -6.0f}, {6.0f, 7.0f, 10.0f}, true, 3);  // the floor box is below
    addBox(walls, {-0.9f, 0.0f, 2.4f}, {0.9f, 0.9f, 3.6f}, false);      // table under the light
    addBox(walls, kPillarCentre - glm::vec3(0.6f), kPillarCentre + glm::vec3(0.6f), false);
    room.meshes.push_back(walls);
    writeFile(directory + "/" + room::kSceneModelPath, serializeModelFile(room));

    // The lamp: a rod down from the pivot and a shade open below, just above
    // the light at local (0, -1.2, 0), so that the light reaches the walls.
    ModelData lamp;
    lamp.materials.push_back(plainMaterial(glm::vec3(0.3f, 0.35f, 0.5f), "models/lamp2/none"));
    MeshRecord shade;
    addBox(shade, {-0.03f, -0.8f, -0.03f}, {0.03f, 0.0f, 0.03f}, false);
    addBox(shade, {-0.4f, -1.1f, -0.4f}, {0.4f, -0.8f, 0.4f}, false, 3);
    lamp.meshes.push_back(shade);
    writeFile(directory + "/" + room::kLampModelPath, serializeModelFile(lamp));

    // A large cube so that it covers pixels at test sizes (the scene scales it by 0.1).
    ModelData cube;
    MaterialRecord glow = plainMaterial(glm::vec3(1.0f), "models/lightCube/none");
    glow.emissive = glm::vec3(1.0f, 0.9f, 0.7f);
    cube.materials.push_back(glow);
    MeshRecord cubeMesh;
    addBox(cubeMesh, glm::vec3(-2.0f), glm::vec3(2.0f), false);
    cube.meshes.push_back(cubeMesh);
    writeFile(directory + "/" + room::kLightCubeModelPath, serializeModelFile(cube));
}

ScopedWorkingDirectory::ScopedWorkingDirectory(const std::string& directory) : previous_(fs::current_path().string()) {
    fs::current_path(directory);
}

ScopedWorkingDirectory::~ScopedWorkingDirectory() { fs::current_path(previous_); }

std::string makeSceneDirectory(const std::string& name) {
    const fs::path directory = fs::temp_directory_path() / ("rtg_scene_" + name + "_" + std::to_string(getpid()));
    fs::remove_all(directory);
    fs::create_directories(directory);
    fs::create_directory_symlink(fs::path(RTG_RUN_DIR) / "shaders", directory / "shaders");
    return directory.string();
}

void aimCamera(FloatingCamera& camera, const glm::vec3& eye, const glm::vec3& target) {
    const glm::vec3 d = glm::normalize(target - eye);
    camera.setPosition(eye);
    camera.yaw = glm::degrees(std::atan2(d.z, d.x));
    camera.pitch = glm::degrees(std::asin(d.y));
    camera.rotate(0.0f, 0.0f);
    camera.update();
}

glm::ivec2 projectToPixel(FloatingCamera& camera, const glm::vec3& world, int width, int height) {
    const glm::vec4 clip = camera.getViewProjectionMatrix() * glm::vec4(world, 1.0f);
    const glm::vec2 ndc = glm::vec2(clip) / clip.w;
    return {static_cast<int>((ndc.x * 0.5f + 0.5f) * width), static_cast<int>((0.5f - ndc.y * 0.5f) * height)};
}

void resizeTestWindow(int width, int height) {
    SDL_SetWindowSize(glTestWindow().window, width, height);
    // The GL drawable follows the X window only once the server has handled
    // the resize and the driver has looked again: clear, swap and read the far
    // corner until it holds the clear colour.
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glViewport(0, 0, width, height);
    for (int attempt = 0; attempt < 200; ++attempt) {
        SDL_PumpEvents();
        glClearColor(0.0f, 1.0f, 0.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
        std::uint8_t corner[4] = {0, 0, 0, 0};
        glReadPixels(width - 1, height - 1, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, corner);
        if (corner[1] == 255 && corner[0] == 0) break;
        SDL_GL_SwapWindow(glTestWindow().window);
        SDL_Delay(5);
    }
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
}

Image readWindow(int width, int height) {
    Image image{width, height, 4, std::vector<std::uint8_t>(static_cast<std::size_t>(width * height * 4))};
    std::vector<std::uint8_t> bottomUp(image.pixels.size());
    glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, bottomUp.data());
    const std::size_t row = static_cast<std::size_t>(width * 4);
    for (int y = 0; y < height; ++y)
        std::copy_n(bottomUp.data() + static_cast<std::size_t>(height - 1 - y) * row, row,
                    image.pixels.data() + static_cast<std::size_t>(y) * row);
    return image;
}

bool writePng(const std::string& path, const Image& image) {
    fs::create_directories(fs::path(path).parent_path());
    std::string error;
    return writePng(path, image, error);
}

bool readPng(const std::string& path, Image& image) {
    int channels = 0;
    stbi_set_flip_vertically_on_load(false);
    stbi_uc* pixels = stbi_load(path.c_str(), &image.width, &image.height, &channels, 4);
    // The model loader flips images for GL; restore its setting.
    stbi_set_flip_vertically_on_load(true);
    if (pixels == nullptr) return false;
    image.channels = 4;
    image.pixels.assign(pixels, pixels + static_cast<std::size_t>(image.width * image.height * 4));
    stbi_image_free(pixels);
    return true;
}

float brightness(const Image& image, int x, int y) {
    const std::size_t i = static_cast<std::size_t>((y * image.width + x) * 4);
    return (image.pixels[i] + image.pixels[i + 1] + image.pixels[i + 2]) / (3.0f * 255.0f);
}
