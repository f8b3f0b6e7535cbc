// Frames of the real flight through the bundled room, compared with reference
// pictures committed beside this file (tests/gl/reference/).
//
// Metric: a pixel differs when any of its colour channels is more than
// kChannelTolerance (of 255) away from the reference; a frame fails when more
// than kMaxDifferingShare of its pixels differ. That absorbs rounding changes
// in the rasterizer and still catches a missing pass, a wrong matrix or a
// broken shader, each of which changes large areas by far more.
//
// A failing frame writes its picture and a difference image (differing
// pixels red over a dimmed copy of the reference) next to the test binary,
// under reference_output/. To accept a deliberate change of the rendering:
//   scripts/update_reference_images.sh
// which runs this test with RTG_UPDATE_REFERENCE_IMAGES=1 and so overwrites
// the references with the frames it renders.

#include <cstdlib>
#include <filesystem>
#include <iomanip>
#include <sstream>

#include <gtest/gtest.h>

#include "tests/gl/gl_test_context.h"
#include "tests/gl/scene_test_support.h"

namespace {

constexpr int kWidth = 160;
constexpr int kHeight = 90;
constexpr float kFrameStep = 1.0f / 60.0f;
constexpr int kChannelTolerance = 12;
constexpr double kMaxDifferingShare = 0.005;

const std::string kReferenceDirectory = std::string(RTG_SOURCE_DIR) + "/tests/gl/reference";
const std::string kOutputDirectory = "reference_output";

struct Comparison {
    int differing = 0;
    Image difference;
};

Comparison compareImages(const Image& actual, const Image& reference) {
    Comparison result;
    result.difference = reference;
    for (std::size_t i = 0; i < actual.rgba.size(); i += 4) {
        int worst = 0;
        for (std::size_t c = 0; c < 3; ++c) worst = std::max(worst, std::abs(actual.rgba[i + c] - reference.rgba[i + c]));
        std::uint8_t* out = &result.difference.rgba[i];
        if (worst > kChannelTolerance) {
            ++result.differing;
            out[0] = 255, out[1] = 0, out[2] = 0;
        } else {
            for (std::size_t c = 0; c < 3; ++c) out[c] = static_cast<std::uint8_t>(out[c] / 3);
        }
        out[3] = 255;
    }
    return result;
}

class FlightReference : public ::testing::TestWithParam<float> {};

std::string frameName(float seconds) {
    std::ostringstream name;
    name << "flight_" << std::setw(3) << std::setfill('0') << static_cast<int>(seconds) << "s";
    return name.str();
}

TEST_P(FlightReference, MatchesTheReferencePicture) {
    const float seconds = GetParam();
    const std::string name = frameName(seconds);
    const std::string outputDirectory = std::filesystem::absolute(kOutputDirectory).string();
    ScopedWorkingDirectory inRunDirectory(RTG_RUN_DIR);
    resizeTestWindow(kWidth, kHeight);
    RoomScene scene(kWidth, kHeight);
    ASSERT_FALSE(scene.sceneModel.meshes.empty()) << "the bundled room is missing from " << RTG_RUN_DIR;
    glEnable(GL_CULL_FACE);
    glFrontFace(GL_CCW);
    glEnable(GL_DEPTH_TEST);

    // The program's own start: camera at (0, 5, 5), flight from the first frame.
    FloatingCamera camera(static_cast<float>(kWidth) / static_cast<float>(kHeight));
    camera.translate(glm::vec3(0.0f, 5.0f, 5.0f));
    camera.update();
    Flight flight;
    const int frames = static_cast<int>(seconds / kFrameStep + 0.5f);
    replayFrames(scene, camera, flight, frames, kFrameStep);
    flight.step(camera, kFrameStep);
    camera.update();
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glClearColor(0.0f, 0.0f, 0.0f, 0.1f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    scene.render(camera, kFrameStep);
    const Image actual = readWindow(kWidth, kHeight);

    const std::string referencePath = kReferenceDirectory + "/" + name + ".png";
    if (std::getenv("RTG_UPDATE_REFERENCE_IMAGES") != nullptr) {
        ASSERT_TRUE(writePng(referencePath, actual)) << referencePath;
        std::cout << "Wrote " << referencePath << std::endl;
        return;
    }
    Image reference;
    ASSERT_TRUE(readPng(referencePath, reference)) << "no reference picture " << referencePath;
    ASSERT_EQ(reference.width, kWidth);
    ASSERT_EQ(reference.height, kHeight);
    const Comparison comparison = compareImages(actual, reference);
    const double share = static_cast<double>(comparison.differing) / (kWidth * kHeight);
    if (share > kMaxDifferingShare) {
        writePng(outputDirectory + "/" + name + "_actual.png", actual);
        writePng(outputDirectory + "/" + name + "_difference.png", comparison.difference);
    }
    EXPECT_LE(share, kMaxDifferingShare) << comparison.differing << " pixels differ from " << referencePath
                                         << "; see " << outputDirectory << "/" << name << "_*.png";
}

// The establishing view, the approach to the table, under the lamp, and the
// held end of the flight.
INSTANTIATE_TEST_SUITE_P(Flight, FlightReference, ::testing::Values(1.0f, 30.0f, 42.0f, 75.0f),
                         [](const ::testing::TestParamInfo<float>& frame) { return frameName(frame.param); });

}  // namespace
