// Closing the window the way a window manager does.
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <unistd.h>

#include "tests/e2e/rtg_session.h"

namespace {

TEST(RtgWindow, CloseRequestEndsTheProgramAfterTheFrameInProgress) {
    RtgSession rtg(runDirectory());
    ASSERT_TRUE(rtg.ready()) << rtg.failure();
    ASSERT_TRUE(rtg.waitFrames(3));
    // Without a window manager under Xvfb, the test sends what one sends
    // when the user clicks the close button: WM_DELETE_WINDOW.
    const QuitOutcome outcome = rtg.closeWindowInMidFrame();
    EXPECT_EQ(outcome.status, 0) << rtg.process().output();
    EXPECT_EQ(outcome.framesAfterRequest, 2) << "frames finished after the close request (the one in progress, "
                                                "then the one that saw the request)";
    const std::vector<std::string> lines = rtg.outputLines();
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.back().rfind("Frames per Second: ", 0), 0u) << "last line: " << lines.back();
    // The frame line ends with its newline: the program finished the line
    // before it ended.
    EXPECT_EQ(rtg.process().output().back(), '\n');
}

TEST(RtgWindow, RunsAndClosesWithStandardOutputClosed) {
    XConnection x;
    ASSERT_TRUE(x.ok());
    // The shell closes descriptor 1, then becomes rtg (the same process).
    Process rtg({"/bin/sh", "-c", "exec ./rtg 160 120 >&-"}, runDirectory());
    const XWindowId window = x.waitForWindowOf(rtg.pid(), 60);
    ASSERT_NE(window, 0u);
    // Descriptor 1 is /dev/null, not the X connection opened after it: the
    // frame lines went nowhere rather than into the X protocol stream.
    char target[256] = {};
    const std::string fd1 = "/proc/" + std::to_string(rtg.pid()) + "/fd/1";
    ASSERT_GT(readlink(fd1.c_str(), target, sizeof target - 1), 0);
    EXPECT_STREQ(target, "/dev/null");
    ASSERT_TRUE(x.requestClose(window));
    EXPECT_EQ(rtg.wait(60), 0);
}

}  // namespace
