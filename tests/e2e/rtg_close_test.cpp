// Closing the window the way a window manager does.
#include <string>
#include <vector>

#include <gtest/gtest.h>

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

}  // namespace
