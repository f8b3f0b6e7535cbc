#include <csignal>
#include <string>

#include <gtest/gtest.h>

#include "tests/e2e/frame_lines.h"
#include "tests/e2e/process.h"
#include "tests/support/output_lines.h"

namespace {

const std::string kRunDir = RTG_RUN_DIR;
const std::string kRtg = kRunDir + "/rtg";

TEST(RtgCommandLine, WrongArgumentCountPrintsUsageAndFails) {
    for (const auto& args : std::vector<std::vector<std::string>>{
             {kRtg}, {kRtg, "640"}, {kRtg, "640", "480", "extra"}}) {
        const RunResult r = runToCompletion(args, kRunDir, 10);
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.output, "Usage: " + kRtg + " <window_width> <window_height>\n");
    }
}

TEST(RtgCommandLine, BadSizesAreRejectedBeforeAWindowOpens) {
    struct Case {
        const char* width;
        const char* height;
        const char* message;
    };
    const Case cases[] = {
        {"0", "480", "Invalid window width: '0' (expected a positive integer)\n"},
        {"-640", "480", "Invalid window width: '-640' (expected a positive integer)\n"},
        {"640", "abc", "Invalid window height: 'abc' (expected a positive integer)\n"},
        {"640x", "480", "Invalid window width: '640x' (expected a positive integer)\n"},
    };
    for (const Case& c : cases) {
        const RunResult r = runToCompletion({kRtg, c.width, c.height}, kRunDir, 10);
        EXPECT_EQ(r.status, 1) << c.width << " " << c.height;
        EXPECT_EQ(r.output, c.message);  // nothing else: no GL version line, so no window
    }
}

TEST(RtgCommandLine, WindowFailureTakesTheErrorPath) {
    // SDL refuses this size itself; its own text reaches the "Error: " line
    // and the program takes the start-up failure path (status -1).
    const RunResult r = runToCompletion({kRtg, "100000", "100"}, kRunDir, 30);
    EXPECT_EQ(r.status, 255);
    const auto lines = outputLines(r.output);
    ASSERT_EQ(lines.size(), 1u) << r.output;
    EXPECT_EQ(lines[0].rfind("Error: ", 0), 0u);
    EXPECT_GT(lines[0].size(), 7u);
}

TEST(RtgCommandLine, NoDisplayTakesTheErrorPath) {
    Process rtg({"/usr/bin/env", "-u", "DISPLAY", "-u", "WAYLAND_DISPLAY", kRtg, "64", "64"}, kRunDir);
    EXPECT_EQ(rtg.wait(30), 255);
    const auto lines = outputLines(rtg.output());
    ASSERT_EQ(lines.size(), 1u) << rtg.output();
    EXPECT_EQ(lines[0].rfind("Error: ", 0), 0u) << lines[0];
}

void expectRunsThenQuitsOn(int sig) {
    Process rtg({kRtg, "160", "120"}, kRunDir);
    ASSERT_TRUE(rtg.waitForOutput("Frames per Second: ", 60)) << rtg.output();
    // Then the signal, in mid-frame: SDL turns it into its quit event, which
    // the next frame sees.
    const QuitOutcome outcome = quitInMidFrame(rtg, [&rtg, sig]() { rtg.signal(sig); });
    EXPECT_EQ(outcome.status, 0) << rtg.output();
    EXPECT_EQ(outcome.framesAfterRequest, 2) << "frames finished after the signal (the one in progress, then the "
                                                "one that saw the quit)";
    const auto lines = outputLines(rtg.output());
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[0].rfind("OpenGL version: ", 0), 0u) << lines[0];
    // After the version line, the scene may print its own start-up lines;
    // the run ends with the frame line of the frame that saw the quit.
    EXPECT_EQ(lines.back().rfind("Frames per Second: ", 0), 0u) << lines.back();
    int frameLines = 0;
    for (const std::string& line : lines) {
        if (line.rfind("Frames per Second: ", 0) == 0) {
            ++frameLines;
            const std::string number = line.substr(19);
            EXPECT_FALSE(number.empty());
            EXPECT_EQ(number.find_first_not_of("0123456789"), std::string::npos) << line;
        }
    }
    EXPECT_GE(frameLines, 1);
}

TEST(RtgRun, SigintEndsCleanlyAfterTheFrameInProgress) { expectRunsThenQuitsOn(SIGINT); }

TEST(RtgRun, SigtermEndsCleanlyAfterTheFrameInProgress) { expectRunsThenQuitsOn(SIGTERM); }

}  // namespace
