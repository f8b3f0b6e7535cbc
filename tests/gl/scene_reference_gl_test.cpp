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
// the references (and the README's picture, docs/rendering.png) with the
// frames it renders.

#include <cstdlib>
#include <filesystem>
#include <iomanip>
#include <sstream>

#include <gtest/gtest.h>

#include "app/frame_loop.h"
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
    for (std::size_t i = 0; i < actual.pixels.size(); i += 4) {
        int worst = 0;
        for (std::size_t c = 0; c < 3; ++c)
            worst = std::max(worst, std::abs(actual.pixels[i + c] - reference.pixels[i + c]));
        std::uint8_t* out = &result.difference.pixels[i];
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

// Reads the finished frame before it is shown.
struct WindowReader : FrameObserver {
    WindowReader(int w, int h) : width(w), height(h) {}
    void afterRender() override { image = readWindow(width, height); }
    int width;
    int height;
    Image image;
};

// The frame at the given time of the flight, through the program's frame
// loop: the earlier frames of 1/60 s replayed without drawing, then this one
// drawn.
Image renderFlightFrame(float seconds, int width, int height) {
    ScopedWorkingDirectory inRunDirectory(RTG_RUN_DIR);
    resizeTestWindow(width, height);
    RoomScene scene(width, height);
    EXPECT_FALSE(scene.sceneModel.meshes.empty()) << "the bundled room is missing from " << RTG_RUN_DIR;
    FrameLoop loop(scene, glTestWindow().window, false);
    loop.restart();  // the swing is process-wide: from its start too
    const int earlierFrames = static_cast<int>(seconds / kFrameStep + 0.5f);
    for (int frame = 0; frame < earlierFrames; ++frame) loop.advance(frame == 0 ? 0.0f : kFrameStep);
    WindowReader reader(width, height);
    loop.frame(kFrameStep, &reader);
    return reader.image;
}

bool updating() { return std::getenv("RTG_UPDATE_REFERENCE_IMAGES") != nullptr; }

TEST_P(FlightReference, MatchesTheReferencePicture) {
    const std::string name = frameName(GetParam());
    const std::string outputDirectory = std::filesystem::absolute(kOutputDirectory).string();
    const Image actual = renderFlightFrame(GetParam(), kWidth, kHeight);

    const std::string referencePath = kReferenceDirectory + "/" + name + ".png";
    if (updating()) {
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
    EXPECT_LE(share, kMaxDifferingShare) << comparison.differing << " pixels differ from " << referencePath << "; see "
                                         << outputDirectory << "/" << name << "_*.png";
}

// The README's picture, written only when the references are updated.
TEST(ReadmePicture, IsRenderedWithTheReferences) {
    if (!updating()) GTEST_SKIP() << "written by scripts/update_reference_images.sh";
    const std::string path = std::string(RTG_SOURCE_DIR) + "/docs/rendering.png";
    ASSERT_TRUE(writePng(path, renderFlightFrame(30.0f, 960, 540))) << path;
    std::cout << "Wrote " << path << std::endl;
}

// The establishing view, the approach to the table, under the lamp, and the
// held end of the flight.
INSTANTIATE_TEST_SUITE_P(Flight, FlightReference, ::testing::Values(1.0f, 30.0f, 42.0f, 75.0f),
                         [](const ::testing::TestParamInfo<float>& frame) { return frameName(frame.param); });

}  // namespace
