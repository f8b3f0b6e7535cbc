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
    EXPECT_EQ(rtg.closeWindow(), 0) << rtg.process().output();
    const std::vector<std::string> lines = rtg.outputLines();
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.back().rfind("Frames per Second: ", 0), 0u) << "last line: " << lines.back();
    // The frame line ends with its newline: the program finished the line
    // before it ended.
    EXPECT_EQ(rtg.process().output().back(), '\n');
}

}  // namespace
