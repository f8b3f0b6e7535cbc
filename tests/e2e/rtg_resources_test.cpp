// Missing and broken resources, each in a scratch copy of the runnable
// directory: the program names each fault in order, keeps running, shows
// what it still can, and ends normally when its window is closed.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/e2e/console_messages.h"
#include "tests/e2e/picture.h"
#include "tests/e2e/rtg_session.h"
#include "tests/e2e/scratch_directory.h"

namespace {

constexpr int kFramesAfterStart = 5;  // "keeps running": frames keep coming after the faults
// A pixel counts as lit above this luminance.
constexpr float kLitLuminance = 0.08f;
// The intact room at the start of the flight lights about 80 % of the window
// with a mean step of about 0.04 between neighbouring pixels; a room that is
// still drawn keeps most of both. When the room cannot be drawn the window
// is blank (black, or white where the fixed-function pipeline draws the
// lighting quad), with at most the few pixels of the light cube.
constexpr float kRoomLit = 0.5f;
constexpr float kRoomDetail = 0.02f;
constexpr float kBlankDetail = 0.003f;

const char* const kFrameLine = "Frames per Second: ";

struct Outcome {
    std::vector<std::string> messages;  // printed between the GL version and the first frame
    Picture picture;                    // the window after a few frames
};

std::string keep(const Picture& picture) {
    return keepForInspection(picture, ::testing::UnitTest::GetInstance()->current_test_info()->name());
}

::testing::AssertionResult showsTheRoom(const Outcome& o) {
    const float lit = litFraction(o.picture, kLitLuminance);
    const float shown = detail(o.picture);
    if (lit > kRoomLit && shown > kRoomDetail) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "the room is not shown: lit " << lit << ", detail " << shown << "; "
                                         << keep(o.picture);
}

::testing::AssertionResult showsNothing(const Outcome& o) {
    const float shown = detail(o.picture);
    if (shown < kBlankDetail) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "the window is not blank: detail " << shown << "; " << keep(o.picture);
}

class RtgResources : public ::testing::Test {
protected:
    ScratchDirectory& scratch() {
        if (!scratch_) scratch_ = std::make_unique<ScratchDirectory>(testName());
        return *scratch_;
    }

    static std::string testName() { return ::testing::UnitTest::GetInstance()->current_test_info()->name(); }

    // Runs rtg in the scratch directory, lets it draw, looks at it and closes it.
    Outcome run() {
        Outcome outcome;
        RtgSession rtg(scratch().path());
        if (!rtg.ready()) {
            ADD_FAILURE() << rtg.failure();
            return outcome;
        }
        EXPECT_TRUE(rtg.waitFrames(kFramesAfterStart)) << "stopped drawing:\n" << rtg.process().output();
        outcome.picture = rtg.screenshot();
        outcome.messages = groupMessages(rtg.startupLines());
        EXPECT_EQ(rtg.closeWindow(), 0) << rtg.process().output();
        const std::vector<std::string> lines = rtg.outputLines();
        EXPECT_TRUE(!lines.empty() && lines.back().rfind(kFrameLine, 0) == 0) << "last line not a frame line";
        return outcome;
    }

    std::unique_ptr<ScratchDirectory> scratch_;
};

// The first material of the room whose map of the given kind (0 diffuse,
// 1 normal) exists, as its stored path.
std::string firstExistingMap(const ScratchDirectory& dir, int kind) {
    for (const std::vector<std::string>& maps : materialMapPaths(dir.file(kModelFiles[0]))) {
        const std::string& path = maps[static_cast<std::size_t>(kind)];
        if (dir.exists(path)) return path;
    }
    return std::string();
}

std::vector<ExpectedMessage> concat(std::vector<ExpectedMessage> a, const std::vector<ExpectedMessage>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

int countMessage(const std::vector<ExpectedMessage>& messages, const std::string& start) {
    int count = 0;
    for (const ExpectedMessage& m : messages)
        if (m.text.rfind(start, 0) == 0) ++count;
    return count;
}

TEST_F(RtgResources, IntactDirectoryLoadsQuietlyAndShowsTheRoom) {
    const std::vector<ExpectedMessage> expected = modelMessages(scratch().path());
    ASSERT_EQ(countMessage(expected, "INFO: No "), 0) << "the bundled scene should have every map";
    const Outcome outcome = run();
    EXPECT_TRUE(messagesMatch(outcome.messages, expected));
    EXPECT_TRUE(showsTheRoom(outcome));
}

TEST_F(RtgResources, NoShadersFolderNamesEveryFileAndShowsNothing) {
    scratch().remove("shaders");
    // Per program: its files in the order they are read (vertex, fragment,
    // then geometry), then each empty stage's compile failure in the order
    // they are compiled (geometry, vertex, fragment). A program without any
    // stage links in a compatibility context, so no link failure follows.
    struct Program {
        const char* vertex;
        const char* geometry;
        const char* fragment;
    };
    const Program programs[] = {
        {"ssao_geometry.vert", nullptr, "ssao_geometry.frag"},
        {"ssao.vert", nullptr, "ssao_lighting.frag"},
        {"ssao.vert", nullptr, "ssao.frag"},
        {"ssao.vert", nullptr, "ssao_blur.frag"},
        {"depth.vert", "depth.geom", "depth.frag"},
        {"standard.vert", nullptr, "standard.frag"},
    };
    std::vector<ExpectedMessage> expected;
    for (const Program& p : programs) {
        expected.push_back(exactly(std::string("File shaders/") + p.vertex + " not found"));
        expected.push_back(exactly(std::string("File shaders/") + p.fragment + " not found"));
        if (p.geometry != nullptr)
            expected.push_back(exactly(std::string("File shaders/") + p.geometry + " not found"));
        for (int stage = p.geometry != nullptr ? 0 : 1; stage < 3; ++stage)
            expected.push_back(followedByDetail("Shader compilation error: "));
    }
    const Outcome outcome = run();
    EXPECT_TRUE(messagesMatch(outcome.messages, concat(expected, modelMessages(scratch().path()))));
    EXPECT_TRUE(showsNothing(outcome));
}

TEST_F(RtgResources, MissingShaderFileIsReportedAndTheRoomStillShows) {
    scratch().remove("shaders/standard.frag");
    // The empty fragment stage fails to compile; the vertex stage alone
    // still links.
    const Outcome outcome = run();
    EXPECT_TRUE(messagesMatch(outcome.messages, concat({exactly("File shaders/standard.frag not found"),
                                                        followedByDetail("Shader compilation error: ")},
                                                       modelMessages(scratch().path()))));
    EXPECT_TRUE(showsTheRoom(outcome));
}

TEST_F(RtgResources, ShaderThatDoesNotCompileIsReportedWithItsLog) {
    scratch().replace("shaders/ssao.frag", "#version 330 core\nthis is not GLSL;\n");
    const Outcome outcome = run();
    EXPECT_TRUE(messagesMatch(
        outcome.messages, concat({followedByDetail("Shader compilation error: ")}, modelMessages(scratch().path()))));
    // Without ambient occlusion the room is still lit by the lamp.
    EXPECT_TRUE(showsTheRoom(outcome));
}

TEST_F(RtgResources, ShaderThatDoesNotLinkIsReportedWithItsLog) {
    // Compiles, but a vertex stage needs main() to link.
    scratch().replace("shaders/ssao_geometry.vert", "#version 330 core\nvoid notMain() {}\n");
    const Outcome outcome = run();
    EXPECT_TRUE(messagesMatch(outcome.messages,
                              concat({followedByDetail("Shader link error: ")}, modelMessages(scratch().path()))));
    // Nothing reaches the G-buffer, so the lit room is gone.
    EXPECT_TRUE(showsNothing(outcome));
}

TEST_F(RtgResources, NoModelsFolderReportsEachModelAndShowsNothing) {
    scratch().remove("models");
    const Outcome outcome = run();
    EXPECT_TRUE(messagesMatch(outcome.messages,
                              {exactly("File not found!"), exactly("File not found!"), exactly("File not found!")}));
    EXPECT_TRUE(showsNothing(outcome));
}

TEST_F(RtgResources, MissingModelFileIsReportedAndTheOthersLoad) {
    scratch().remove(kModelFiles[1]);
    const std::vector<ExpectedMessage> expected = modelMessages(scratch().path());
    ASSERT_EQ(countMessage(expected, "File not found!"), 1);
    const Outcome outcome = run();
    EXPECT_TRUE(messagesMatch(outcome.messages, expected));
    EXPECT_TRUE(showsTheRoom(outcome));
}

TEST_F(RtgResources, DamagedModelFileIsReportedAndTheOthersLoad) {
    const std::string lamp = scratch().read(kModelFiles[1]);
    ASSERT_GT(lamp.size(), 100u);
    scratch().replace(kModelFiles[1], lamp.substr(0, lamp.size() / 2));
    const Outcome outcome = run();
    EXPECT_TRUE(messagesMatch(outcome.messages, modelMessages(scratch().path(), {}, {kModelFiles[1]})));
    EXPECT_TRUE(showsTheRoom(outcome));
}

TEST_F(RtgResources, MissingTextureIsReportedForItsMaterial) {
    const std::string map = firstExistingMap(scratch(), 0);
    ASSERT_FALSE(map.empty());
    scratch().remove(map);
    const std::vector<ExpectedMessage> expected = modelMessages(scratch().path());
    ASSERT_GE(countMessage(expected, "INFO: No diffuse map for material "), 1);
    const Outcome outcome = run();
    EXPECT_TRUE(messagesMatch(outcome.messages, expected));
    EXPECT_TRUE(showsTheRoom(outcome));
}

TEST_F(RtgResources, FileThatIsNotAnImageIsReportedLikeAMissingOne) {
    const std::string map = firstExistingMap(scratch(), 1);
    ASSERT_FALSE(map.empty());
    scratch().replace(map, "this is not an image\n");
    const std::vector<ExpectedMessage> expected = modelMessages(scratch().path(), {map});
    ASSERT_GE(countMessage(expected, "INFO: No normal map found for material "), 1);
    const Outcome outcome = run();
    EXPECT_TRUE(messagesMatch(outcome.messages, expected));
    EXPECT_TRUE(showsTheRoom(outcome));
}

}  // namespace
