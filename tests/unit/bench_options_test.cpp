#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tools/bench/options.h"

namespace {

struct Parsed {
    BenchOptions options;
    std::string error;
};

Parsed parse(std::vector<std::string> args) {
    args.insert(args.begin(), "rtg-bench");
    std::vector<const char*> argv;
    for (const std::string& a : args) argv.push_back(a.c_str());
    Parsed r;
    const bool ok = parseBenchOptions(static_cast<int>(argv.size()), argv.data(), r.options, r.error);
    EXPECT_EQ(ok, r.error.empty());
    return r;
}

TEST(BenchOptions, DefaultsAreAShortReproducibleRun) {
    const Parsed r = parse({});
    ASSERT_EQ(r.error, "");
    EXPECT_EQ(r.options.width, 1280);
    EXPECT_EQ(r.options.height, 720);
    EXPECT_GT(r.options.frames, 0);
    EXPECT_EQ(r.options.seconds, 0.0);
    EXPECT_DOUBLE_EQ(r.options.step, 1.0 / 60.0);
    EXPECT_TRUE(r.options.captureDir.empty());
}

TEST(BenchOptions, EveryOptionIsRead) {
    const Parsed r =
        parse({"--size", "640x480", "--frames", "25", "--step", "0.02", "--warmup", "0", "--profile-frames", "7",
               "--csv", "f.csv", "--json", "s.json", "--capture", "out", "--at", "3,0.5,3", "--ssao-check"});
    ASSERT_EQ(r.error, "");
    const BenchOptions& o = r.options;
    EXPECT_EQ(o.width, 640);
    EXPECT_EQ(o.height, 480);
    EXPECT_EQ(o.frames, 25);
    EXPECT_DOUBLE_EQ(o.step, 0.02);
    EXPECT_EQ(o.warmup, 0);
    EXPECT_EQ(o.profileFrames, 7);
    EXPECT_EQ(o.csvPath, "f.csv");
    EXPECT_EQ(o.jsonPath, "s.json");
    EXPECT_EQ(o.captureDir, "out");
    EXPECT_EQ(o.captureTimes, (std::vector<double>{0.5, 3.0}));  // sorted, duplicates dropped
    EXPECT_TRUE(o.ssaoCheck);
    EXPECT_FALSE(o.picturesOnly);

    const Parsed check = parse({"--ssao-check", "--at", "1.5"});
    ASSERT_EQ(check.error, "");
    EXPECT_TRUE(check.options.captureDir.empty());
    EXPECT_EQ(check.options.captureTimes, (std::vector<double>{1.5}));

    const Parsed seconds = parse({"--seconds", "2.5"});
    ASSERT_EQ(seconds.error, "");
    EXPECT_DOUBLE_EQ(seconds.options.seconds, 2.5);
}

TEST(BenchOptions, BadInputIsRejectedWithTheReason) {
    struct Case {
        std::vector<std::string> args;
        std::string error;
    };
    const std::vector<Case> cases = {
        {{"--size", "640"}, "Invalid --size '640' (expected WIDTHxHEIGHT, e.g. 1280x720)"},
        {{"--size", "0x480"}, "Invalid --size '0x480' (expected WIDTHxHEIGHT, e.g. 1280x720)"},
        {{"--size", "640x-1"}, "Invalid --size '640x-1' (expected WIDTHxHEIGHT, e.g. 1280x720)"},
        {{"--size", "99999x480"}, "Invalid --size '99999x480' (expected WIDTHxHEIGHT, e.g. 1280x720)"},
        {{"--frames", "0"}, "Invalid --frames '0' (expected a positive whole number)"},
        {{"--frames", "1e3"}, "Invalid --frames '1e3' (expected a positive whole number)"},
        {{"--frames", "99999999999"}, "Invalid --frames '99999999999' (expected a positive whole number)"},
        {{"--warmup", "-1"}, "Invalid --warmup '-1' (expected a whole number)"},
        {{"--step", "0"}, "Invalid --step '0' (expected a positive number of seconds)"},
        {{"--step", "fast"}, "Invalid --step 'fast' (expected a positive number of seconds)"},
        {{"--seconds", "inf"}, "Invalid --seconds 'inf' (expected a positive number of seconds)"},
        {{"--at", "1,,2"}, "Invalid --at '1,,2' (expected simulated seconds >= 0 separated by commas, e.g. 0,2.5,10)"},
        {{"--at", "-1"}, "Invalid --at '-1' (expected simulated seconds >= 0 separated by commas, e.g. 0,2.5,10)"},
        // Counts and frame indexes that would not fit the frame counter.
        {{"--warmup", "2147483647"}, "Invalid --warmup '2147483647' (expected a whole number)"},
        {{"--capture", "out", "--at", "1,35791396.3"},
         "Invalid --at '1,35791396.3' (expected simulated seconds >= 0 separated by commas, e.g. 0,2.5,10)"},
        {{"--ssao-check", "--at", "1", "--step", "1e-300"},
         "Invalid --at '1' (expected simulated seconds >= 0 separated by commas, e.g. 0,2.5,10)"},
        {{"--ssao-check", "--step", "1e-300"}, "Invalid --step '1e-300' (expected a positive number of seconds)"},
        {{"--frames"}, "Missing value after --frames"},
        {{"--json", ""}, "Empty path after --json"},
        {{"--fast"}, "Unknown option '--fast'"},
        {{"640", "480"}, "Unknown option '640'"},
        {{"--frames", "10", "--seconds", "2"}, "Give either --frames or --seconds, not both"},
        {{"--capture", "out"}, "--capture needs --at with the simulated times to capture"},
        {{"--at", "1"}, "--at needs --capture (or --ssao-check) to say what to do at those times"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(parse(c.args).error, c.error) << c.args.front();
    }
}

// Pictures alone are taken without the measurement, unless an option of the
// measurement asks for it.
TEST(BenchOptions, CaptureAloneMeasuresNothing) {
    EXPECT_TRUE(parse({"--capture", "out", "--at", "75", "--size", "64x48", "--step", "0.5", "--ssao-check"})
                    .options.picturesOnly);
    EXPECT_FALSE(parse({"--ssao-check"}).options.picturesOnly);
    for (const std::vector<std::string>& measure : {std::vector<std::string>{"--frames", "3"},
                                                    {"--seconds", "1"},
                                                    {"--warmup", "0"},
                                                    {"--profile-frames", "0"},
                                                    {"--csv", "f.csv"},
                                                    {"--json", "s.json"}}) {
        std::vector<std::string> args = {"--capture", "out", "--at", "75"};
        args.insert(args.end(), measure.begin(), measure.end());
        EXPECT_FALSE(parse(args).options.picturesOnly) << measure.front();
    }
}

TEST(BenchOptions, HelpAndUsage) {
    EXPECT_TRUE(parse({"--help"}).options.help);
    const std::string usage = benchUsage("./rtg-bench");
    const std::string help = benchHelp("./rtg-bench");
    EXPECT_EQ(help.rfind(usage + "\n", 0), 0u);
    for (const char* option :
         {"--size WxH", "--frames N", "--seconds S", "--step SEC", "--warmup N", "--profile-frames N", "--csv FILE",
          "--json FILE", "--capture DIR", "--at T1,T2", "--ssao-check"}) {
        EXPECT_NE(usage.find(option), std::string::npos) << option;
        // One line of the help for each, with its default.
        const std::size_t line = help.find("\n  " + std::string(option));
        ASSERT_NE(line, std::string::npos) << option;
        EXPECT_NE(help.substr(line, help.find('\n', line + 1) - line).find("default"), std::string::npos) << option;
    }
}

}  // namespace
