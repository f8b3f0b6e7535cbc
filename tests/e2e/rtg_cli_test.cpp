#include <chrono>
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
    for (const auto& args :
         std::vector<std::vector<std::string>>{{kRtg}, {kRtg, "640"}, {kRtg, "640", "480", "extra"}}) {
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

// The address sanitizer reserves far more address space than the memory
// limit below allows.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kAddressSanitizer = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kAddressSanitizer = true;
#else
constexpr bool kAddressSanitizer = false;
#endif
#else
constexpr bool kAddressSanitizer = false;
#endif

// Starts that cannot succeed end at once with one line saying why and status
// 1, before the first frame: a GL context too old for the shaders, render
// targets that do not fit (reproduced cheaply: under a 1.5 GB address-space
// limit the targets of 16384 x 16384 fail at once, where without it they
// take 4 GB and seconds).
TEST(RtgCommandLine, StartsThatCannotSucceedEndWithOneLineAndStatusOne) {
    const std::string outOfMemory = "ulimit -v 1500000 && exec ./";
    struct Case {
        std::vector<std::string> argv;
        std::string lastLine;  // its start
        bool needsNoSanitizer;
    };
    const Case cases[] = {
        {{"/usr/bin/env", "MESA_GL_VERSION_OVERRIDE=3.0", "MESA_GLSL_VERSION_OVERRIDE=130", kRtg, "64", "64"},
         "OpenGL too old: 3.3 with GLSL 3.30 needed, found 3.0 ",
         false},
        {{"/bin/sh", "-c", outOfMemory + "rtg 16384 16384"},
         "Out of memory: the render targets of a 16384x16384 window do not fit (GL_OUT_OF_MEMORY)",
         true},
        {{"/bin/sh", "-c", outOfMemory + "rtg-bench --size 16384x16384"},
         "Out of memory: the render targets of a 16384x16384 window do not fit (GL_OUT_OF_MEMORY)",
         true},
    };
    for (const Case& c : cases) {
        if (c.needsNoSanitizer && kAddressSanitizer) continue;
        const RunResult r = runToCompletion(c.argv, kRunDir, 30);
        EXPECT_EQ(r.status, 1) << c.argv.back() << ": " << r.output;
        const auto lines = outputLines(r.output);
        ASSERT_FALSE(lines.empty()) << c.argv.back();
        EXPECT_EQ(lines.back().rfind(c.lastLine, 0), 0u) << lines.back();
    }
}

// No display, or a size the window system refuses: GLEW cannot start.
// "Error: " and GLEW's text, then the program waits for a key: its standard
// input gives one after two seconds, and bash's exec makes the timed process
// rtg itself.
TEST(RtgCommandLine, NoWindowTakesTheGlewFailurePathAndWaitsForAKey) {
    const std::string keyAfterTwoSeconds = " < <(sleep 2; echo)";
    for (const std::string& command :
         {"exec /usr/bin/env -u DISPLAY -u WAYLAND_DISPLAY ./rtg 64 64" + keyAfterTwoSeconds,
          "exec ./rtg 32768 1" + keyAfterTwoSeconds}) {
        const auto begin = std::chrono::steady_clock::now();
        const RunResult r = runToCompletion({"/bin/bash", "-c", command}, kRunDir, 30);
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
        EXPECT_EQ(r.status, 255) << command << ": " << r.output;
        const auto lines = outputLines(r.output);
        ASSERT_FALSE(lines.empty()) << command;
        EXPECT_EQ(lines.back().rfind("Error: ", 0), 0u) << lines.back();
        EXPECT_EQ(r.output.find("OpenGL version: "), std::string::npos) << r.output;
        EXPECT_GE(seconds, 1.9) << command << ": ended before its standard input gave a key";
    }
}

// environment: NAME=VALUE settings for the run (through env, which becomes rtg).
void expectRunsThenQuitsOn(int sig, const std::vector<std::string>& environment = {}) {
    std::vector<std::string> argv = {"/usr/bin/env"};
    argv.insert(argv.end(), environment.begin(), environment.end());
    argv.insert(argv.end(), {kRtg, "160", "120"});
    Process rtg(argv, kRunDir);
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

// Also without a usable audio driver, which fails SDL's start of every
// subsystem: only video is needed.
TEST(RtgRun, SigtermEndsCleanlyAfterTheFrameInProgress) {
    expectRunsThenQuitsOn(SIGTERM, {"SDL_AUDIODRIVER=nonexistent"});
}

}  // namespace
