#include <fstream>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "tools/ssao_variant.h"

namespace {

std::string readSourceFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

TEST(SsaoVariant, TheSceneShaderYieldsItsBruteForceTwin) {
    // Tracks the real file: if the interleaving is rewritten, this fails
    // before the benchmark's quality check silently stops working.
    const std::string interleaved = readSourceFile(std::string(RTG_SOURCE_DIR) + "/shaders/ssao.frag");
    ASSERT_FALSE(interleaved.empty());
    std::string error;
    const std::string full = bruteForceSsaoSource(interleaved, error);
    ASSERT_EQ(error, "");
    EXPECT_NE(full.find("const int kSubsetCount = 1;"), std::string::npos);
    EXPECT_NE(full.find("const int kSamplesPerPixel = 32;"), std::string::npos);
    EXPECT_NE(full.find("int subset = 0;"), std::string::npos);
    EXPECT_EQ(full.find("pixel.x & 1"), std::string::npos);
    // Nothing else changes: three lines edited, each the same length or shorter.
    EXPECT_LE(full.size(), interleaved.size());
    EXPECT_EQ(full.substr(0, 20), interleaved.substr(0, 20));
}

TEST(SsaoVariant, MissingOrRepeatedLinesAreReported) {
    std::string error;
    EXPECT_EQ(bruteForceSsaoSource("void main() {}", error), "");
    EXPECT_EQ(error, "the SSAO shader has no single line \"const int kSubsetCount = 4;\"");

    const std::string twice =
        "const int kSubsetCount = 4;\nconst int kSubsetCount = 4;\nconst int kSamplesPerPixel = 8;\n"
        "int subset = (pixel.x & 1) + 2 * (pixel.y & 1);\n";
    EXPECT_EQ(bruteForceSsaoSource(twice, error), "");
    EXPECT_NE(error.find("kSubsetCount"), std::string::npos);
}

}  // namespace
