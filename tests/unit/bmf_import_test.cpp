#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/mesh_checks.h"
#include "tests/support/temp_dir.h"
#include "tools/bmf/import.h"

namespace fs = std::filesystem;

namespace {

const char* kObj =
    "mtllib scene.mtl\n"
    "v 0 0 0\nv 1 0 0\nv 1 1 0\nv 0 1 0\nv 2 0 0\nv 3 0 0\nv 2 1 0\n"
    "vt 0 0\nvt 1 0\nvt 1 1\nvt 0 1\n"
    "vn 0 0 1\n"
    "usemtl wood\n"
    "f 1/1/1 2/2/1 3/3/1 4/4/1\n"  // a quad: two triangles once triangulated
    "usemtl plain\n"
    "f 5/1/1 6/2/1 7/4/1\n";

const char* kMtl =
    "newmtl wood\n"
    "Kd 0.8 0.6 0.4\nKs 0.3 0.3 0.3\nKe 0.1 0 0\nNs 50\n"
    "map_Kd textures/wood.png\n"
    "map_Ks textures\\wood_spec.png\n"  // written on Windows
    "norm textures/wood_normal.png\n"
    "map_bump textures/wood_height.png\n"
    "newmtl plain\n"
    "Kd 0.2 0.4 0.6\nNs 10\n";

std::string base64(const std::string& bytes) {
    static const char* table = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        std::uint32_t n = static_cast<std::uint8_t>(bytes[i]) << 16;
        if (i + 1 < bytes.size()) n |= static_cast<std::uint8_t>(bytes[i + 1]) << 8;
        if (i + 2 < bytes.size()) n |= static_cast<std::uint8_t>(bytes[i + 2]);
        out += table[(n >> 18) & 63];
        out += table[(n >> 12) & 63];
        out += i + 1 < bytes.size() ? table[(n >> 6) & 63] : '=';
        out += i + 2 < bytes.size() ? table[n & 63] : '=';
    }
    return out;
}

template <typename T>
void append(std::string& buffer, std::initializer_list<T> values) {
    for (T v : values) buffer.append(reinterpret_cast<const char*>(&v), sizeof v);
}

std::string gltfBuffer() {
    std::string buffer;
    append<float>(buffer, {0, 0, 0, 1, 0, 0, 1, 1, 0, 0, 1, 0});  // positions, 48 bytes
    append<float>(buffer, {0, 0, 1, 0, 0, 1, 0, 0, 1, 0, 0, 1});  // normals, 48 bytes
    append<float>(buffer, {0, 1, 1, 1, 1, 0, 0, 0});              // texcoords, 32 bytes
    append<std::uint16_t>(buffer, {0, 1, 2, 0, 2, 3});            // indices, 12 bytes
    return buffer;
}

// A quad facing +z, placed by its node 10 units along x, with an external
// base-colour image, an embedded normal map and glTF's top-down v. Its
// buffer is embedded, or the file bufferUri names.
std::string gltfScene(const std::string& bufferUri = std::string()) {
    const std::string png = "\x89PNG\r\n\x1a\n";
    return std::string(R"({
  "asset": {"version": "2.0"},
  "scene": 0,
  "scenes": [{"nodes": [0]}],
  "nodes": [{"mesh": 0, "translation": [10, 0, 0]}],
  "meshes": [{"primitives": [{"attributes": {"POSITION": 0, "NORMAL": 1, "TEXCOORD_0": 2}, "indices": 3, "material": 0}]}],
  "materials": [{"pbrMetallicRoughness": {"baseColorFactor": [0.5, 0.25, 1.0, 1.0], "baseColorTexture": {"index": 0}},
                 "normalTexture": {"index": 1}, "emissiveFactor": [0.1, 0.2, 0.3]}],
  "textures": [{"source": 0}, {"source": 1}],
  "images": [{"uri": "tex/base.png"}, {"uri": "data:image/png;base64,)") +
           base64(png) + R"("}],
  "buffers": [{"byteLength": 140, "uri": ")" +
           (bufferUri.empty() ? "data:application/octet-stream;base64," + base64(gltfBuffer()) : bufferUri) + R"("}],
  "bufferViews": [{"buffer": 0, "byteOffset": 0, "byteLength": 128},
                  {"buffer": 0, "byteOffset": 128, "byteLength": 12}],
  "accessors": [
    {"bufferView": 0, "byteOffset": 0, "componentType": 5126, "count": 4, "type": "VEC3", "min": [0, 0, 0], "max": [1, 1, 0]},
    {"bufferView": 0, "byteOffset": 48, "componentType": 5126, "count": 4, "type": "VEC3"},
    {"bufferView": 0, "byteOffset": 96, "componentType": 5126, "count": 4, "type": "VEC2"},
    {"bufferView": 1, "byteOffset": 0, "componentType": 5123, "count": 6, "type": "SCALAR"}]
})";
}

std::size_t triangles(const ModelData& model) {
    std::size_t n = 0;
    for (const MeshRecord& mesh : model.meshes) n += mesh.indices.size() / 3;
    return n;
}

const MaterialRecord* materialWithDiffuse(const ModelData& model, float red) {
    for (const MaterialRecord& m : model.materials)
        if (std::fabs(m.diffuse.r - red) < 1e-4f) return &m;
    return nullptr;
}

void expectSound(const ModelData& model) {
    for (const MeshRecord& mesh : model.meshes) {
        const std::vector<std::string> faults = meshFaults(mesh);
        EXPECT_TRUE(faults.empty()) << faults.size() << " faults, first: " << (faults.empty() ? "" : faults.front());
    }
}

class Import : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.ok());
        fs::create_directories(dir.file("assets/textures"));
        fs::create_directories(dir.file("assets/tex"));
        fs::create_directories(dir.file("run"));
        for (const char* name : {"wood.png", "wood_spec.png", "wood_normal.png"})
            dir.write(std::string("assets/textures/") + name, "x");
        dir.write("assets/tex/base.png", "x");
        dir.write("assets/scene.obj", kObj);
        dir.write("assets/scene.mtl", kMtl);
        dir.write("assets/scene.gltf", gltfScene());
    }
    ImportRequest request(const std::string& scene, const std::string& runDir) const {
        ImportRequest r;
        r.scenePath = dir.file(scene);
        r.outputPath = dir.file("run/imported.bmf");
        r.runDir = dir.file(runDir);
        return r;
    }
    TempDir dir;
};

}  // namespace

TEST_F(Import, ObjTriangulatesAndMapsMaterialsWithPathsFromTheRunDirectory) {
    ImportResult result;
    std::string error;
    ASSERT_TRUE(importScene(request("assets/scene.obj", "run"), result, error)) << error;
    EXPECT_EQ(triangles(result.model), 3u);  // the quad became two triangles
    // Only the two materials in use; the reader's own default material is left out.
    EXPECT_EQ(result.model.materials.size(), 2u);
    expectSound(result.model);

    const MaterialRecord* wood = materialWithDiffuse(result.model, 0.8f);
    ASSERT_NE(wood, nullptr);
    EXPECT_EQ(wood->diffuse, glm::vec3(0.8f, 0.6f, 0.4f));
    EXPECT_EQ(wood->specular, glm::vec3(0.3f));
    EXPECT_EQ(wood->emissive, glm::vec3(0.1f, 0.0f, 0.0f));
    EXPECT_FLOAT_EQ(wood->shininess, 50.0f);
    EXPECT_EQ(wood->diffuseMapPath, "../assets/textures/wood.png");
    EXPECT_EQ(wood->specularMapPath, "../assets/textures/wood_spec.png");
    EXPECT_EQ(wood->normalMapPath, "../assets/textures/wood_normal.png");
    // The bump map is a height field: it goes to the displacement slot. Its file is missing.
    EXPECT_EQ(wood->displacementMapPath, "../assets/textures/wood_height.png");
    ASSERT_EQ(result.warnings.size(), 1u);
    EXPECT_NE(result.warnings[0].find("wood_height.png"), std::string::npos) << result.warnings[0];

    const MaterialRecord* plain = materialWithDiffuse(result.model, 0.2f);
    ASSERT_NE(plain, nullptr);
    EXPECT_EQ(plain->diffuseMapPath, missingMapPath("diffuse"));
    EXPECT_EQ(plain->normalMapPath, "no-normal-map/");
    EXPECT_EQ(plain->specularMapPath, "no-specular-map/");
    EXPECT_EQ(plain->displacementMapPath, "no-displacement-map/");
    // Each mesh keeps its own material.
    for (const MeshRecord& mesh : result.model.meshes) {
        const MaterialRecord& m = result.model.materials.at(mesh.materialIndex);
        EXPECT_EQ(mesh.indices.size() / 3, &m == wood ? 2u : 1u);
    }
}

TEST_F(Import, PathsFollowTheChosenRunDirectory) {
    ImportResult result;
    std::string error;
    ASSERT_TRUE(importScene(request("assets/scene.obj", ""), result, error)) << error;
    const MaterialRecord* wood = materialWithDiffuse(result.model, 0.8f);
    ASSERT_NE(wood, nullptr);
    EXPECT_EQ(wood->diffuseMapPath, "assets/textures/wood.png");
}

TEST_F(Import, GltfAppliesNodeTransformsFlipsVAndExtractsEmbeddedImages) {
    ImportResult result;
    std::string error;
    ASSERT_TRUE(importScene(request("assets/scene.gltf", "run"), result, error)) << error;
    ASSERT_EQ(result.model.meshes.size(), 1u);
    const MeshRecord& mesh = result.model.meshes[0];
    EXPECT_EQ(mesh.indices.size(), 6u);
    expectSound(result.model);
    for (const Vertex& v : mesh.vertices) {
        EXPECT_GE(v.position.x, 10.0f);  // moved by its node
        EXPECT_LE(v.position.x, 11.0f);
        // Texture coordinates follow the position: v grows upwards, as the loader expects.
        EXPECT_NEAR(v.texCoords.x, v.position.x - 10.0f, 1e-5f);
        EXPECT_NEAR(v.texCoords.y, v.position.y, 1e-5f);
        EXPECT_NEAR(v.tangent.x, 1.0f, 1e-4f);
    }
    const MaterialRecord& m = result.model.materials.at(mesh.materialIndex);
    EXPECT_NEAR(m.diffuse.r, 0.5f, 1e-5f);
    EXPECT_NEAR(m.diffuse.b, 1.0f, 1e-5f);
    EXPECT_NEAR(m.emissive.g, 0.2f, 1e-5f);
    EXPECT_GT(m.shininess, 0.0f);
    EXPECT_EQ(m.diffuseMapPath, "../assets/tex/base.png");
    EXPECT_EQ(m.specularMapPath, "no-specular-map/");
    // The embedded normal map (the first embedded image) was written beside the
    // output, and is named from the run directory.
    ASSERT_EQ(result.embeddedWritten.size(), 1u);
    EXPECT_EQ(m.normalMapPath, "imported_textures/texture0.png");
    EXPECT_TRUE(fs::exists(dir.file("run/imported_textures/texture0.png")));
}

TEST_F(Import, WrittenFileReadsBackUnchanged) {
    ImportResult result;
    std::string error;
    ASSERT_TRUE(importScene(request("assets/scene.obj", "run"), result, error)) << error;
    ASSERT_TRUE(writeModelFile(dir.file("run/imported.bmf"), result.model, error)) << error;
    std::ifstream in(dir.file("run/imported.bmf"), std::ios::binary);
    const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), {});
    ModelData back;
    ASSERT_TRUE(parseModelFile(bytes.data(), bytes.size(), back, error)) << error;
    EXPECT_EQ(back.materials.size(), result.model.materials.size());
    EXPECT_EQ(triangles(back), 3u);
    EXPECT_FALSE(writeModelFile(dir.file("no/such/folder/x.bmf"), result.model, error));
}

TEST_F(Import, ReportsScenesItCannotUse) {
    ImportResult result;
    std::string error;
    EXPECT_FALSE(importScene(request("assets/missing.obj", "run"), result, error));
    EXPECT_FALSE(error.empty());
    // Only points: nothing to draw.
    dir.write("assets/points.obj", "v 0 0 0\nv 1 0 0\nv 0 1 0\np 1 2 3\n");
    EXPECT_FALSE(importScene(request("assets/points.obj", "run"), result, error));
    EXPECT_FALSE(error.empty());
    EXPECT_TRUE(result.model.meshes.empty());
}

// A texture path is only recorded: one that leaves the folder is kept and
// named once; Blender's leading "//" is the scene's own folder.
TEST_F(Import, MapsOutsideTheScenesFolderAreKeptAndNamed) {
    dir.write("outside.png", "x");
    dir.write("assets/out.obj", "mtllib out.mtl\nv 0 0 0\nv 1 0 0\nv 1 1 0\nusemtl a\nf 1 2 3\nusemtl b\nf 3 2 1\n");
    dir.write("assets/out.mtl",
              "newmtl a\nmap_Kd ../outside.png\nnorm //textures/wood_normal.png\n"
              "newmtl b\nKd 0.5 0.5 0.5\nmap_Kd ../outside.png\n");
    ImportResult result;
    std::string error;
    ASSERT_TRUE(importScene(request("assets/out.obj", "run"), result, error)) << error;
    EXPECT_EQ(result.warnings, std::vector<std::string>{"diffuse map ../outside.png is outside the scene's folder"});
    ASSERT_EQ(result.model.materials.size(), 2u);
    for (const MaterialRecord& m : result.model.materials) EXPECT_EQ(m.diffuseMapPath, "../outside.png");
    EXPECT_EQ(result.model.materials[0].normalMapPath, "../assets/textures/wood_normal.png");
}

// What the import reads becomes part of the output: a buffer's bytes become
// vertex data, a material library's text becomes materials.
TEST_F(Import, FilesTheImportReadsMustLieInsideTheScenesFolderUnlessAllowed) {
    dir.write("outside.bin", gltfBuffer());
    dir.write("outside.mtl", "newmtl a\nKd 1 0 0\n");
    dir.write("assets/out.obj", "mtllib ../outside.mtl\nv 0 0 0\nv 1 0 0\nv 1 1 0\nusemtl a\nf 1 2 3\n");
    dir.write("assets/out.gltf", gltfScene("../outside.bin"));
    for (const char* scene : {"assets/out.obj", "assets/out.gltf"}) {
        ImportResult result;
        std::string error;
        EXPECT_FALSE(importScene(request(scene, "run"), result, error)) << scene;
        EXPECT_NE(error.find("is outside the scene's folder (--allow-outside allows it)"), std::string::npos) << error;
        ImportRequest allowed = request(scene, "run");
        allowed.allowOutside = true;
        EXPECT_TRUE(importScene(allowed, result, error)) << error;
    }
}

TEST_F(Import, OutputFolderMustExistAndRemovingAnImportKeepsWhatWasThere) {
    ImportResult result;
    std::string error;
    ImportRequest nowhere = request("assets/scene.gltf", "run");
    nowhere.outputPath = dir.file("run/missing/imported.bmf");
    EXPECT_FALSE(importScene(nowhere, result, error));
    EXPECT_EQ(error, "cannot write " + nowhere.outputPath + ": no folder " + dir.file("run/missing"));
    EXPECT_FALSE(fs::exists(dir.file("run/missing")));

    // The embedded image's folder goes with the import that made it; a folder
    // that was there before keeps what else it holds.
    const std::string out = dir.file("run/imported.bmf");
    ASSERT_TRUE(importScene(request("assets/scene.gltf", "run"), result, error)) << error;
    ASSERT_TRUE(writeModelFile(out, result.model, error)) << error;
    removeImportOutput(out, result);
    EXPECT_FALSE(fs::exists(out));
    EXPECT_FALSE(fs::exists(dir.file("run/imported_textures")));
    fs::create_directory(dir.file("run/imported_textures"));
    dir.write("run/imported_textures/keep.txt", "mine");
    ASSERT_TRUE(importScene(request("assets/scene.gltf", "run"), result, error)) << error;
    removeImportOutput(out, result);
    EXPECT_FALSE(fs::exists(dir.file("run/imported_textures/texture0.png")));
    EXPECT_TRUE(fs::exists(dir.file("run/imported_textures/keep.txt")));
}
