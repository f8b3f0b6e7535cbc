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
    EXPECT_NE(full.find("const int kSamplesPerPixel = 32;"), std::string::npos);
    EXPECT_NE(full.find("int subset = 0;"), std::string::npos);
    EXPECT_EQ(full.find("pixel.x & 1) + 2"), std::string::npos);
    // The subset indexing the loop uses must come from those two lines.
    EXPECT_NE(full.find("samples[subset + kSubsetCount * i]"), std::string::npos);
    EXPECT_NE(full.find("kSubsetCount = kKernelSize / kSamplesPerPixel"), std::string::npos);
}

TEST(SsaoVariant, MissingOrRepeatedLinesAreReported) {
    std::string error;
    EXPECT_EQ(bruteForceSsaoSource("void main() {}", error), "");
    EXPECT_EQ(error, "the SSAO shader has no single line \"const int kSamplesPerPixel = N;\"");

    const std::string twice =
        "const int kSamplesPerPixel = 8;\nint subset = 1;\nvoid f() { int subset = 2; }\n";
    EXPECT_EQ(bruteForceSsaoSource(twice, error), "");
    EXPECT_EQ(error, "the SSAO shader has no single line \"int subset = ...;\"");

    const std::string minimal = "const int kSamplesPerPixel = 4;\nint subset = (pixel.x & 3) * 2;\n";
    EXPECT_EQ(bruteForceSsaoSource(minimal, error), "const int kSamplesPerPixel = 32;\nint subset = 0;\n");
    EXPECT_EQ(error, "");
}

}  // namespace
