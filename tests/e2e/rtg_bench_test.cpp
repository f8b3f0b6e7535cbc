#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#include <stb_image.h>

#include "tests/e2e/process.h"
#include "tests/e2e/x_window.h"
#include "tests/support/output_lines.h"
#include "tests/support/temp_dir.h"

namespace {

const std::string kRunDir = RTG_RUN_DIR;
const std::string kBench = kRunDir + "/rtg-bench";
const char* const kPasses[] = {"geometry", "ssao", "blur", "shadow", "lighting", "depth_copy", "forward"};

std::string readFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

struct Picture {
    int width = 0;
    int height = 0;
    int channels = 0;
    std::vector<unsigned char> pixels;

    // Distinct values of one channel inside a rectangle.
    std::set<int> values(int channel, int x0, int y0, int x1, int y1) const {
        std::set<int> seen;
        for (int y = y0; y < y1; ++y) {
            for (int x = x0; x < x1; ++x)
                seen.insert(pixels[(static_cast<std::size_t>(y) * width + x) * channels + channel]);
        }
        return seen;
    }
    std::set<int> values(int channel) const { return values(channel, 0, 0, width, height); }
};

Picture loadPng(const std::string& path) {
    Picture p;
    unsigned char* data = stbi_load(path.c_str(), &p.width, &p.height, &p.channels, 0);
    if (data == nullptr) return p;
    p.pixels.assign(data, data + static_cast<std::size_t>(p.width) * p.height * p.channels);
    stbi_image_free(data);
    return p;
}

TEST(RtgBenchCommandLine, BadOptionsAreRejectedBeforeAWindowOpens) {
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"--size", "640"}, "Error: Invalid --size '640' (expected WIDTHxHEIGHT, e.g. 1280x720)"},
        {{"--frames", "-3"}, "Error: Invalid --frames '-3' (expected a positive whole number)"},
        {{"--capture", "somewhere"}, "Error: --capture needs --at with the simulated times to capture"},
        {{"640", "480"}, "Error: Unknown option '640'"},
    };
    for (const auto& [args, message] : cases) {
        std::vector<std::string> argv = {kBench};
        argv.insert(argv.end(), args.begin(), args.end());
        const RunResult r = runToCompletion(argv, kRunDir, 10);
        EXPECT_EQ(r.status, 1);
        const auto lines = outputLines(r.output);
        ASSERT_EQ(lines.size(), 2u) << r.output;  // message and usage, nothing of GL
        EXPECT_EQ(lines[0], message);
        EXPECT_EQ(lines[1].rfind("Usage: " + kBench + " [--size WxH]", 0), 0u) << lines[1];
    }
    const RunResult help = runToCompletion({kBench, "--help"}, kRunDir, 10);
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.output.rfind("Usage: ", 0), 0u);
}

TEST(RtgBenchRun, ShortRunReportsEveryFigureAndPass) {
    TempDir dir;
    const RunResult r =
        runToCompletion({kBench, "--size", "160x120", "--frames", "6", "--warmup", "1", "--profile-frames", "3",
                         "--json", dir.file("summary.json"), "--csv", dir.file("frames.csv")},
                        kRunDir, 120);
    ASSERT_EQ(r.status, 0) << r.output;
    for (const char* text : {"rtg-bench 160x120", "start-up", "frames per second", "per pass", "resident set size"}) {
        EXPECT_NE(r.output.find(text), std::string::npos) << text << "\n" << r.output;
    }

    const nlohmann::json j = nlohmann::json::parse(readFile(dir.file("summary.json")));
    EXPECT_EQ(j["width"], 160);
    EXPECT_EQ(j["height"], 120);
    EXPECT_EQ(j["frames"], 6);
    EXPECT_FALSE(j["renderer"].get<std::string>().empty());
    for (const char* part :
         {"context", "shader_programs", "render_targets", "models_and_textures", "first_frame", "total"}) {
        EXPECT_GT(j["startup_ms"][part].get<double>(), 0.0) << part;
    }
    for (const char* series : {"frame_ms", "render_call_ms", "render_cpu_ms", "profile_frame_ms"}) {
        for (const char* stat : {"min", "median", "p95", "p99", "max", "mean"}) {
            EXPECT_GT(j[series][stat].get<double>(), 0.0) << series << " " << stat;
        }
        EXPECT_LE(j[series]["min"].get<double>(), j[series]["median"].get<double>()) << series;
        EXPECT_LE(j[series]["median"].get<double>(), j[series]["max"].get<double>()) << series;
    }
    EXPECT_GT(j["fps"].get<double>(), 0.0);
    EXPECT_EQ(j["profile_frames"], 3);
    // This machine renders in software: passes are timed on the CPU clock.
    EXPECT_EQ(j["pass_method"], "cpu-clock-glfinish");
    ASSERT_EQ(j["passes_ms"].size(), std::size(kPasses));
    for (const char* pass : kPasses) {
        EXPECT_EQ(j["passes_ms"][pass]["count"], 3) << pass;
        EXPECT_GT(j["passes_ms"][pass]["median"].get<double>(), 0.0) << pass;
    }
    for (const char* rss : {"after_startup", "start", "end", "max"}) {
        EXPECT_GT(j["rss_kib"][rss].get<double>(), 0.0) << rss;
    }
    EXPECT_GE(j["rss_kib"]["max"].get<double>(), j["rss_kib"]["end"].get<double>());

    const auto csv = outputLines(readFile(dir.file("frames.csv")));
    ASSERT_EQ(csv.size(), 7u);
    EXPECT_EQ(csv[0],
              "frame,simulated_s,frame_ms,render_call_ms,render_cpu_ms,rss_kib,geometry_ms,ssao_ms,blur_ms,shadow_ms,"
              "lighting_ms,depth_copy_ms,forward_ms");
    EXPECT_EQ(csv[1].rfind("0,0.033333,", 0), 0u) << csv[1];  // after the start-up frame and one warm-up
}

TEST(RtgBenchRun, ARunEndedBySignalBeforeItsEndIsNoSuccess) {
    // SDL turns SIGTERM into a quit request; it arrives long before the
    // frames asked for are measured.
    Process bench({kBench, "--size", "32x32", "--frames", "100000", "--profile-frames", "0"}, kRunDir);
    XConnection x;
    ASSERT_TRUE(x.ok());
    ASSERT_NE(x.waitForWindowOf(bench.pid(), 60), 0u) << bench.output();
    bench.signal(SIGTERM);
    EXPECT_EQ(bench.wait(60), 1) << bench.output();
    const auto lines = outputLines(bench.output());
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.back(), "Error: interrupted (window closed, SIGINT or SIGTERM) before the run was complete");
}

// "t000.500 ssao_raw 0.2 1.0" lines of capture.txt, by "<prefix> <what>".
std::map<std::string, std::pair<double, double>> readRanges(const std::string& path) {
    std::map<std::string, std::pair<double, double>> ranges;
    std::istringstream in(readFile(path));
    std::string prefix;
    std::string what;
    double a = 0.0;
    double b = 0.0;
    while (in >> prefix >> what >> a >> b) ranges[prefix + " " + what] = {a, b};
    return ranges;
}

TEST(RtgBenchCapture, WritesEveryBufferWithPlausibleContents) {
    TempDir dir;
    const std::string out = dir.file("pictures");
    // Pictures alone: nothing is measured.
    const RunResult r =
        runToCompletion({kBench, "--size", "160x120", "--capture", out, "--at", "0.5,0", "--ssao-check"}, kRunDir, 120);
    ASSERT_EQ(r.status, 0) << r.output;
    EXPECT_NE(r.output.find("pictures only"), std::string::npos) << r.output;
    EXPECT_EQ(r.output.find("frames per second"), std::string::npos) << r.output;
    const auto ranges = readRanges(out + "/capture.txt");
    for (const char* prefix : {"t000.000", "t000.500"}) {
        const std::string p = out + "/" + prefix;
        for (const char* buffer :
             {"final", "positions", "normals", "albedo", "specular", "ssao_raw", "ssao_blur", "ssao_blur_full"}) {
            const Picture picture = loadPng(p + "_" + buffer + ".png");
            EXPECT_EQ(picture.width, 160) << prefix << " " << buffer;
            EXPECT_EQ(picture.height, 120) << prefix << " " << buffer;
        }
        // Geometry in view: positions span a range (in front of the camera:
        // z < 0) and normals point in more than one direction.
        const auto z = ranges.at(std::string(prefix) + " positions_z");
        EXPECT_LT(z.first, 0.0) << prefix;
        EXPECT_LT(ranges.at(std::string(prefix) + " positions_x").first,
                  ranges.at(std::string(prefix) + " positions_x").second);
        EXPECT_GT(loadPng(p + "_positions.png").values(0).size(), 8u) << prefix;
        const Picture normals = loadPng(p + "_normals.png");
        EXPECT_GT(normals.values(0).size() + normals.values(1).size() + normals.values(2).size(), 12u) << prefix;
        EXPECT_GT(loadPng(p + "_final.png").values(1).size(), 8u) << prefix;
        // Occlusion is a visibility factor in [0, 1], and something occludes.
        for (const char* ssao : {" ssao_raw", " ssao_blur"}) {
            const auto range = ranges.at(prefix + std::string(ssao));
            EXPECT_GE(range.first, 0.0) << prefix << ssao;
            EXPECT_LE(range.second, 1.0) << prefix << ssao;
            EXPECT_LT(range.first, range.second) << prefix << ssao;
        }
        // The shadow cube as a 4 x 3 cross of 256-texel cells: every face
        // sees walls at different distances; the corner cells stay empty.
        const Picture cross = loadPng(p + "_shadow_cube.png");
        ASSERT_EQ(cross.width, 1024) << prefix;
        ASSERT_EQ(cross.height, 768) << prefix;
        const int faceCells[6][2] = {{2, 1}, {0, 1}, {1, 0}, {1, 2}, {1, 1}, {3, 1}};
        for (const auto& cell : faceCells) {
            const int x0 = cell[0] * 256;
            const int y0 = cell[1] * 256;
            EXPECT_GT(cross.values(0, x0, y0, x0 + 256, y0 + 256).size(), 4u)
                << prefix << " cell " << cell[0] << "," << cell[1];
        }
        EXPECT_EQ(cross.values(0, 0, 0, 256, 256), std::set<int>{0}) << prefix;
        const auto depth = ranges.at(std::string(prefix) + " shadow_depth");
        EXPECT_GE(depth.first, 0.0);
        EXPECT_LE(depth.second, 1.0);
        // Interleaved and brute-force occlusion agree after the blur.
        EXPECT_LT(ranges.at(std::string(prefix) + " ssao_check").first, 0.02) << prefix;
    }
}

}  // namespace
