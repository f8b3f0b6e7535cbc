#include <vector>

#include <gtest/gtest.h>

#include "app/frame_loop.h"
#include "scene/room_facts.h"
#include "scene/room_scene.h"
#include "scene/ssao_kernel.h"
#include "tests/gl/gl_test_context.h"
#include "tests/gl/scene_test_support.h"
#include "tools/bench/frame_capture.h"
#include "tools/bench/pass_profiler.h"
#include "tools/bench/session.h"

namespace {

// Some real work between boundaries, so that each pass takes measurable time.
void drawSomething() {
    glClearColor(0.2f, 0.3f, 0.4f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

void runFrames(PassProfiler& profiler, int frames, bool skipShadow) {
    for (int f = 0; f < frames; ++f) {
        for (int p = 0; p < kFramePassCount; ++p) {
            if (skipShadow && static_cast<RenderPass>(p) == RenderPass::Shadow) continue;
            profiler.passBoundary(static_cast<RenderPass>(p));
            drawSomething();
        }
        profiler.passBoundary(RenderPass::FrameEnd);
        profiler.finishFrame();
    }
}

TEST(PassProfiler, CpuClockGivesOneTimePerPassAndFrame) {
    PassProfiler profiler(false);
    runFrames(profiler, 3, false);
    for (int p = 0; p < kFramePassCount; ++p) {
        ASSERT_EQ(profiler.samples()[p].size(), 3u) << passName(static_cast<RenderPass>(p));
        for (const double ms : profiler.samples()[p]) EXPECT_GT(ms, 0.0);
    }
}

TEST(PassProfiler, GpuTimerQueriesRunWithoutErrorsAndSkipUnseenPasses) {
    // On llvmpipe the numbers mean nothing, but the query sequence (one
    // query active at a time, results read after the frame) must be valid.
    PassProfiler profiler(true);
    ASSERT_TRUE(profiler.usesGpuTimer());
    runFrames(profiler, 2, true);
    EXPECT_TRUE(profiler.samples()[static_cast<int>(RenderPass::Shadow)].empty());
    EXPECT_EQ(profiler.samples()[static_cast<int>(RenderPass::Lighting)].size(), 2u);
    for (const double ms : profiler.samples()[0]) EXPECT_GE(ms, 0.0);
}

TEST(FrameCapture, ReadsTexturesBackAndLeavesTheBindingAlone) {
    const std::vector<float> texels = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18};
    GLuint textures[2] = {0, 0};
    glGenTextures(2, textures);
    glBindTexture(GL_TEXTURE_2D, textures[0]);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB32F, 3, 2, 0, GL_RGB, GL_FLOAT, texels.data());
    glBindTexture(GL_TEXTURE_2D, textures[1]);  // what a frame might have left bound

    const FloatTexels read = readTextureFloat(GL_TEXTURE_2D, textures[0], GL_TEXTURE_2D, GL_RGB, 3);
    EXPECT_EQ(read.width, 3);
    EXPECT_EQ(read.height, 2);
    EXPECT_EQ(read.values, texels);
    const FloatTexels red = readTextureFloat(GL_TEXTURE_2D, textures[0], GL_TEXTURE_2D, GL_RED, 1);
    EXPECT_EQ(red.values, (std::vector<float>{1, 4, 7, 10, 13, 16}));
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(static_cast<GLuint>(bound), textures[1]);
    glDeleteTextures(2, textures);
}

TEST(FrameCapture, ReadsEachDepthCubeFace) {
    GLuint cube = 0;
    glGenTextures(1, &cube);
    glBindTexture(GL_TEXTURE_CUBE_MAP, cube);
    for (int face = 0; face < 6; ++face) {
        const std::vector<float> depth(4, 0.125f * (face + 1));
        glTexImage2D(GL_TEXTURE_CUBE_MAP_POSITIVE_X + face, 0, GL_DEPTH_COMPONENT, 2, 2, 0, GL_DEPTH_COMPONENT,
                     GL_FLOAT, depth.data());
    }
    glBindTexture(GL_TEXTURE_CUBE_MAP, 0);
    for (int face = 0; face < 6; ++face) {
        const FloatTexels read =
            readTextureFloat(GL_TEXTURE_CUBE_MAP, cube, GL_TEXTURE_CUBE_MAP_POSITIVE_X + face, GL_DEPTH_COMPONENT, 1);
        ASSERT_EQ(read.values.size(), 4u);
        EXPECT_NEAR(read.values[3], 0.125f * (face + 1), 1e-6) << face;
    }
    glDeleteTextures(1, &cube);
}

TEST(FrameCapture, ReadsTheWindowBeforeTheSwap) {
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glViewport(0, 0, 64, 64);
    glClearColor(1.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    const std::vector<std::uint8_t> rgba = readWindowRgba8(64, 64);
    ASSERT_EQ(rgba.size(), 64u * 64u * 4u);
    EXPECT_EQ(rgba[0], 255);
    EXPECT_EQ(rgba[1], 0);
    EXPECT_EQ(rgba[rgba.size() - 3], 0);
}

class RecordingBuildObserver : public SceneBuildObserver {
public:
    void buildStep(SceneBuildStep next) override { steps.push_back(next); }
    std::vector<SceneBuildStep> steps;
};

class BenchScene : public ::testing::Test {
protected:
    static constexpr int kWidth = 96;
    static constexpr int kHeight = 64;
    void SetUp() override {
        directory_ = makeSceneDirectory("bench");
        writeTestRoom(directory_);
        cwd_ = std::make_unique<ScopedWorkingDirectory>(directory_);
        resizeTestWindow(kWidth, kHeight);
        setFixedFrameState();
    }
    std::string directory_;
    std::unique_ptr<ScopedWorkingDirectory> cwd_;
};

TEST_F(BenchScene, ConstructionTellsEachStepInOrder) {
    RecordingBuildObserver observer;
    RoomScene scene(kWidth, kHeight, &observer);
    EXPECT_EQ(observer.steps,
              (std::vector<SceneBuildStep>{SceneBuildStep::ShaderPrograms, SceneBuildStep::RenderTargets,
                                           SceneBuildStep::Models, SceneBuildStep::Done}));
    EXPECT_NE(scene.gBuffer, 0u);
    EXPECT_EQ(scene.ssaoKernel.size(), kSsaoKernelSize);
}

TEST_F(BenchScene, EveryRestartRendersTheSameFrames) {
    RoomScene scene(kWidth, kHeight);
    BenchSession session(scene, glTestWindow(), 0.25);
    // Frame 12: three simulated seconds of flight and swing.
    auto renderFrame12 = [&] {
        std::vector<std::uint8_t> pixels;
        FloatTexels positions;
        FrameCost cost;
        while (session.frameIndex() < 12) session.frame(cost);
        session.frame(cost, [&] {
            pixels = readWindowRgba8(kWidth, kHeight);
            positions = readTextureFloat(GL_TEXTURE_2D, scene.gPosition, GL_TEXTURE_2D, GL_RGB, 3);
        });
        EXPECT_GT(cost.renderCallMs, 0.0);
        EXPECT_GT(cost.renderCpuMs, 0.0);
        return std::make_pair(pixels, positions.values);
    };
    const auto first = renderFrame12();
    EXPECT_DOUBLE_EQ(session.simulatedTime(), 13 * 0.25);
    const glm::vec3 lightAfterFirst = scene.lightPosition;
    EXPECT_NE(lightAfterFirst, room::kLightRestPosition);  // the lamp has swung

    session.restart();
    EXPECT_EQ(session.frameIndex(), 0);
    EXPECT_EQ(scene.lightPosition, room::kLightRestPosition);
    const auto second = renderFrame12();
    EXPECT_EQ(scene.lightPosition, lightAfterFirst);
    EXPECT_TRUE(first.first == second.first) << "window pixels differ";
    EXPECT_TRUE(first.second == second.second) << "G-buffer positions differ";

    // A redraw shows the same moment again: nothing moves.
    std::vector<std::uint8_t> again;
    FrameCost cost;
    session.redraw(cost, [&] { again = readWindowRgba8(kWidth, kHeight); });
    EXPECT_EQ(session.frameIndex(), 13);
    EXPECT_EQ(scene.lightPosition, lightAfterFirst);
    EXPECT_TRUE(again == first.first) << "a redraw changed the picture";
}

}  // namespace
