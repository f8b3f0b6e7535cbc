// What the shader files must share with the code, read from the files
// themselves: a change on one side fails here until the other follows.
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "scene/shadow_transforms.h"
#include "scene/ssao_kernel.h"
#include "tests/support/output_lines.h"

namespace {

std::string shaderSource(const std::string& name) {
    std::ifstream file(std::string(RTG_SOURCE_DIR) + "/shaders/" + name, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// The number written right after `before` in text; NaN when `before` is absent.
double numberAfter(const std::string& text, const std::string& before) {
    const std::size_t at = text.find(before);
    if (at == std::string::npos) return std::nan("");
    return std::strtod(text.c_str() + at + before.size(), nullptr);
}

TEST(ShaderSources, RepeatTheNumbersOfTheCode) {
    struct Case {
        const char* file;
        const char* before;
        double value;
    };
    const Case cases[] = {
        {"ssao.frag", "uniform vec3 samples[", kSsaoKernelSize},
        {"ssao.frag", "const int kKernelSize = ", kSsaoKernelSize},
        {"ssao_full.frag", "uniform vec3 samples[", kSsaoKernelSize},
        {"ssao_full.frag", "const int kKernelSize = ", kSsaoKernelSize},
        {"ssao_full.frag", "const int kSamplesPerPixel = ", kSsaoKernelSize},  // all of them
        {"ssao_lighting.frag", "const float kShadowMapSize = ", kShadowMapSize},
        {"ssao_lighting.frag", "const float kShadowNearPlane = ", kShadowNearPlane},
        {"ssao.frag", "const float kVisibilityLevels = ", kSsaoRawVisibilityLevels},
        {"ssao.frag", "const float kDepthClasses = ", kSsaoRawDepthClasses},
        {"depth.geom", "uniform mat4 shadowTransformMats[", kShadowFaceCount},
        {"depth.geom", "face < ", kShadowFaceCount},
        {"depth.geom", "max_vertices = ", 3 * kShadowFaceCount},  // a triangle per face
    };
    for (const Case& c : cases) {
        // As floats: the shaders' numbers are single precision, as are the code's.
        EXPECT_EQ(static_cast<float>(numberAfter(shaderSource(c.file), c.before)), static_cast<float>(c.value))
            << c.file << ": " << c.before;
    }
}

TEST(ShaderSources, WriterAndReaderAgreeOnWhatTheyPack) {
    // The geometry pass packs shininess and emission as levels into gNormal.z
    // for the lighting pass; ssao.frag packs visibility and a depth class
    // into the 8-bit occlusion for the blur.
    struct Shared {
        const char* writer;
        const char* reader;
        const char* before;
    };
    const Shared shared[] = {
        {"ssao_geometry.vert", "ssao_lighting.frag", "const uint kShininessFloor = "},
        {"ssao_geometry.vert", "ssao_lighting.frag", "const uint kEmissionFloor = "},
        {"ssao.frag", "ssao_blur.frag", "const float kVisibilityLevels = "},
        {"ssao.frag", "ssao_blur.frag", "const float kDepthClasses = "},
    };
    for (const Shared& s : shared) {
        const double written = numberAfter(shaderSource(s.writer), s.before);
        EXPECT_FALSE(std::isnan(written)) << s.writer << ": " << s.before;
        EXPECT_EQ(numberAfter(shaderSource(s.reader), s.before), written) << s.reader << ": " << s.before;
    }
    // Sixteen visibility levels times the depth classes fill the 8 bits.
    EXPECT_EQ((numberAfter(shaderSource("ssao.frag"), "const float kVisibilityLevels = ") + 1.0) *
                  numberAfter(shaderSource("ssao.frag"), "const float kDepthClasses = "),
              256.0);
}

// The lines of a shader after its opening comment.
std::vector<std::string> shaderBody(const std::string& name) {
    const std::vector<std::string> lines = outputLines(shaderSource(name));
    std::size_t first = 1;  // past "#version"
    while (first < lines.size() && lines[first].rfind("//", 0) == 0) ++first;
    return std::vector<std::string>(lines.begin() + static_cast<std::ptrdiff_t>(first), lines.end());
}

TEST(ShaderSources, TheBruteForceSsaoTwinDiffersOnlyWhereItMust) {
    // rtg-bench's SSAO check measures the interleaving alone only while the
    // twin is the scene's shader with every sample taken in every pixel.
    const std::vector<std::string> interleaved = shaderBody("ssao.frag");
    const std::vector<std::string> twin = shaderBody("ssao_full.frag");
    ASSERT_GT(interleaved.size(), 20u);
    ASSERT_EQ(twin.size(), interleaved.size());
    int differing = 0;
    for (std::size_t i = 0; i < twin.size(); ++i) {
        if (twin[i] == interleaved[i]) continue;
        ++differing;
        EXPECT_TRUE(twin[i] == "const int kSamplesPerPixel = 32;" || twin[i] == "    int subset = 0;")
            << "line " << i << " of the body:\n"
            << interleaved[i] << "\n"
            << twin[i];
    }
    EXPECT_EQ(differing, 2);
}

}  // namespace
