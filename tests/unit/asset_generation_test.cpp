#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>

#include <gtest/gtest.h>
#include <stb_image.h>

#include "assets/generate.h"
#include "assets/scene/layout.h"
#include "assets/scene/material_library.h"
#include "tests/support/temp_dir.h"

namespace fs = std::filesystem;

namespace {

using FileTree = std::map<std::string, std::vector<std::uint8_t>>;

std::vector<std::uint8_t> readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
}

// Every file under root by its relative path.
FileTree readTree(const fs::path& root) {
    FileTree files;
    for (const auto& entry : fs::recursive_directory_iterator(root))
        if (entry.is_regular_file()) files[fs::relative(entry.path(), root).generic_string()] = readFile(entry.path());
    return files;
}

FileTree generate() {
    TempDir dir;
    GenerationReport report;
    std::string error;
    EXPECT_TRUE(dir.ok());
    EXPECT_TRUE(generateAssets(dir.file(""), report, error)) << error;
    FileTree files = readTree(dir.file(""));
    EXPECT_EQ(report.filesWritten, files.size());
    return files;
}

ModelData parse(const std::vector<std::uint8_t>& bytes, const std::string& name) {
    ModelData data;
    std::string error;
    EXPECT_TRUE(parseModelFile(bytes.data(), bytes.size(), data, error)) << name << ": " << error;
    return data;
}

void expectImageOfItsSet(const std::string& name, const std::vector<std::uint8_t>& bytes) {
    int w = 0, h = 0, channels = 0;
    stbi_uc* pixels = stbi_load_from_memory(bytes.data(), static_cast<int>(bytes.size()), &w, &h, &channels, 4);
    ASSERT_NE(pixels, nullptr) << name << " does not decode";
    stbi_image_free(pixels);
    const std::string stem = fs::path(name).stem().string();
    const int size = findTextureSet(stem.substr(0, stem.rfind('_'))).size;
    EXPECT_EQ(w, size) << name;
    EXPECT_EQ(h, size) << name;
    // Colour and normal maps carry colour; specular and displacement maps are grey.
    const bool grey = stem.find("_specular") != std::string::npos || stem.find("_displacement") != std::string::npos;
    EXPECT_EQ(channels, grey ? 1 : 3) << name;
}

}  // namespace

// One test, because each generation takes seconds and every test runs in its own process.
TEST(Generation, WritesACompleteSceneWithTheSameBytesEveryTime) {
    const FileTree first = generate();
    const FileTree again = generate();
    ASSERT_EQ(again.size(), first.size());
    for (const auto& [name, bytes] : first) {
        ASSERT_TRUE(again.count(name)) << name;
        EXPECT_TRUE(again.at(name) == bytes) << name << " differs between two runs";
    }
    // Every model reads back, and every image it names was written and decodes.
    std::size_t images = 0;
    for (const char* model : {layout::kSceneModelPath, layout::kLampModelPath, layout::kLightCubeModelPath}) {
        ASSERT_TRUE(first.count(model)) << model;
        for (const MaterialRecord& m : parse(first.at(model), model).materials)
            for (const std::string& path :
                 {m.diffuseMapPath, m.normalMapPath, m.specularMapPath, m.displacementMapPath}) {
                ASSERT_TRUE(first.count(path)) << model << " names " << path << ", which was not written";
                ++images;
            }
    }
    for (const auto& [name, bytes] : first)
        if (fs::path(name).extension() == ".png") expectImageOfItsSet(name, bytes);
    EXPECT_GT(images, 80u);
}

TEST(Generation, ReportsAnUnwritableDirectoryBeforeAnyWork) {
    GenerationReport report;
    std::string error;
    EXPECT_FALSE(generateAssets("/proc/rtg-assets-cannot-write-here", report, error));
    EXPECT_NE(error.find("cannot write"), std::string::npos) << error;
    EXPECT_EQ(report.filesWritten, 0u);
}

TEST(RunnableDirectory, HoldsTheCurrentSceneWithItsImages) {
    // The build runs the generator into the runnable directory whenever it changes.
    for (const SceneModel& model : buildSceneModels()) {
        const fs::path built = fs::path(RTG_RUN_DIR) / model.path;
        ASSERT_TRUE(fs::exists(built)) << built;
        EXPECT_TRUE(readFile(built) == serializeModelFile(model.data)) << built << " is stale";
        for (const MaterialRecord& m : model.data.materials)
            for (const std::string& path :
                 {m.diffuseMapPath, m.normalMapPath, m.specularMapPath, m.displacementMapPath})
                EXPECT_TRUE(fs::exists(fs::path(RTG_RUN_DIR) / path)) << path;
    }
}
