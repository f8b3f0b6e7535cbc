#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>

#include <gtest/gtest.h>
#include <stb_image.h>
#include <unistd.h>

#include "assets/generate.h"
#include "assets/scene/layout.h"
#include "assets/scene/material_library.h"

namespace fs = std::filesystem;

namespace {

std::vector<std::uint8_t> readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
}

// Every file under root by its relative path.
std::map<std::string, std::vector<std::uint8_t>> readTree(const fs::path& root) {
    std::map<std::string, std::vector<std::uint8_t>> files;
    for (const auto& entry : fs::recursive_directory_iterator(root))
        if (entry.is_regular_file()) files[fs::relative(entry.path(), root).generic_string()] = readFile(entry.path());
    return files;
}

class TempDir {
public:
    explicit TempDir(const std::string& tag)
        : path_(fs::temp_directory_path() / ("rtg-assets-" + tag + "-" + std::to_string(::getpid()))) {
        fs::remove_all(path_);
    }
    ~TempDir() { fs::remove_all(path_); }
    const fs::path& path() const { return path_; }

private:
    fs::path path_;
};

// The files one generation writes, shared by the tests below (it takes seconds).
const std::map<std::string, std::vector<std::uint8_t>>& generatedOnce() {
    static const auto files = [] {
        TempDir dir("once");
        GenerationReport report;
        std::string error;
        EXPECT_TRUE(generateAssets(dir.path().string(), report, error)) << error;
        return readTree(dir.path());
    }();
    return files;
}

}  // namespace

TEST(Generation, WritesTheSameBytesEveryTime) {
    TempDir dir("again");
    GenerationReport report;
    std::string error;
    ASSERT_TRUE(generateAssets(dir.path().string(), report, error)) << error;
    const auto again = readTree(dir.path());
    const auto& first = generatedOnce();
    ASSERT_EQ(again.size(), first.size());
    for (const auto& [name, bytes] : first) {
        ASSERT_TRUE(again.count(name)) << name;
        EXPECT_TRUE(again.at(name) == bytes) << name << " differs between two runs";
    }
    EXPECT_EQ(report.filesWritten, first.size());
}

TEST(Generation, WritesEveryModelAndEveryImageItsMaterialsName) {
    const auto& files = generatedOnce();
    for (const char* model : {layout::kSceneModelPath, layout::kLampModelPath, layout::kLightCubeModelPath}) {
        ASSERT_TRUE(files.count(model)) << model;
        const std::vector<std::uint8_t>& bytes = files.at(model);
        ModelData data;
        std::string error;
        ASSERT_TRUE(parseModelFile(bytes.data(), bytes.size(), data, error)) << model << ": " << error;
        for (const MaterialRecord& m : data.materials)
            for (const std::string& path : {m.diffuseMapPath, m.normalMapPath, m.specularMapPath, m.displacementMapPath})
                EXPECT_TRUE(files.count(path)) << model << " names " << path << ", which was not written";
    }
}

TEST(Generation, ImagesDecodeAtTheirSetsSizes) {
    for (const auto& [name, bytes] : generatedOnce()) {
        if (fs::path(name).extension() != ".png") continue;
        int w = 0, h = 0, channels = 0;
        stbi_uc* pixels = stbi_load_from_memory(bytes.data(), static_cast<int>(bytes.size()), &w, &h, &channels, 4);
        ASSERT_NE(pixels, nullptr) << name;
        stbi_image_free(pixels);
        const std::string stem = fs::path(name).stem().string();
        const std::string set = stem.substr(0, stem.rfind('_'));
        EXPECT_EQ(w, findTextureSet(set).size) << name;
        EXPECT_EQ(h, findTextureSet(set).size) << name;
        // Colour and normal maps carry colour; specular and displacement are grey.
        const bool grey = stem.find("_specular") != std::string::npos || stem.find("_displacement") != std::string::npos;
        EXPECT_EQ(channels, grey ? 1 : 3) << name;
    }
}

TEST(Generation, ReportsAnUnwritableDirectory) {
    GenerationReport report;
    std::string error;
    EXPECT_FALSE(generateAssets("/proc/rtg-assets-cannot-write-here", report, error));
    EXPECT_NE(error.find("cannot write"), std::string::npos) << error;
}

TEST(RunnableDirectory, HoldsTheSceneTheGeneratorWrites) {
    // The build runs the generator into the runnable directory.
    for (const auto& [name, bytes] : generatedOnce()) {
        const fs::path built = fs::path(RTG_RUN_DIR) / name;
        ASSERT_TRUE(fs::exists(built)) << built;
        EXPECT_TRUE(readFile(built) == bytes) << built << " is stale";
    }
}
