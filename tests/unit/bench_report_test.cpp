#include <string>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "tools/bench/report.h"

namespace {

BenchResult sampleResult() {
    BenchResult r;
    r.width = 320;
    r.height = 240;
    r.step = 1.0 / 60.0;
    r.warmupFrames = 2;
    r.renderer = "llvmpipe \"test\"\\renderer";
    r.glVersion = "4.5";
    r.startup = StartupTimes{10, 20, 3, 40, 50, 123};
    for (int i = 0; i < 4; ++i) {
        r.frames.push_back(FrameRecord{i, (i + 2) / 60.0, 10.0 * (i + 1), 5.0, 4.0, 1000u + 10u * i});
    }
    r.memory.afterStartupKiB = 900;
    r.passMethod = kPassMethodCpuFinish;
    r.profileFrames = 3;
    r.passes = {{"geometry", summarize({1, 2, 3})}, {"ssao", summarize({6, 6, 6})}};
    r.profiledPassMs = {{1, 6}, {2, 6}, {3, 6}};
    summarizeFrames(r);
    return r;
}

TEST(BenchReport, SummariesAndMemoryComeFromTheFrames) {
    const BenchResult r = sampleResult();
    EXPECT_DOUBLE_EQ(r.frameMs.median, 25.0);
    EXPECT_DOUBLE_EQ(r.fps, 40.0);  // 4 frames in 100 ms
    EXPECT_EQ(r.memory.startKiB, 1000u);
    EXPECT_EQ(r.memory.endKiB, 1030u);
    EXPECT_EQ(r.memory.maxKiB, 1030u);
    EXPECT_DOUBLE_EQ(r.memory.slopeKiBPer1000Frames, 10000.0);
}

TEST(BenchReport, JsonIsValidAndCarriesEveryFigure) {
    const nlohmann::json j = nlohmann::json::parse(formatJson(sampleResult()));
    EXPECT_EQ(j["renderer"], "llvmpipe \"test\"\\renderer");
    EXPECT_EQ(j["width"], 320);
    EXPECT_EQ(j["frames"], 4);
    EXPECT_DOUBLE_EQ(j["startup_ms"]["models_and_textures"].get<double>(), 40.0);
    EXPECT_DOUBLE_EQ(j["startup_ms"]["total"].get<double>(), 123.0);
    EXPECT_DOUBLE_EQ(j["frame_ms"]["median"].get<double>(), 25.0);
    EXPECT_DOUBLE_EQ(j["frame_ms"]["max"].get<double>(), 40.0);
    EXPECT_DOUBLE_EQ(j["render_cpu_ms"]["mean"].get<double>(), 4.0);
    EXPECT_EQ(j["pass_method"], kPassMethodCpuFinish);
    ASSERT_EQ(j["passes_ms"].size(), 2u);
    EXPECT_DOUBLE_EQ(j["passes_ms"]["geometry"]["median"].get<double>(), 2.0);
    EXPECT_EQ(j["rss_kib"]["max"], 1030);
    EXPECT_FALSE(j.contains("ssao_check"));

    BenchResult checked = sampleResult();
    checked.ssaoChecked = true;
    checked.ssaoMeanAbsDifference = 0.0125;
    const nlohmann::json k = nlohmann::json::parse(formatJson(checked));
    EXPECT_DOUBLE_EQ(k["ssao_check"]["mean_abs_difference"].get<double>(), 0.0125);

    BenchResult noPasses = sampleResult();
    noPasses.passes.clear();
    EXPECT_TRUE(nlohmann::json::parse(formatJson(noPasses))["passes_ms"].empty());
}

TEST(BenchReport, TableAndCsv) {
    const BenchResult r = sampleResult();
    const std::string table = formatTable(r);
    for (const char* text : {"320x240", "models and textures", "geometry", "ssao", "glFinish", "25.00", "40.00"}) {
        EXPECT_NE(table.find(text), std::string::npos) << text;
    }
    const std::string csv = formatCsv(r);
    EXPECT_EQ(csv.rfind("frame,simulated_s,frame_ms,render_call_ms,render_cpu_ms,rss_kib,geometry_ms,ssao_ms\n", 0),
              0u);
    // Pass columns for the profiled frames (the first three), empty after.
    EXPECT_NE(csv.find("\n2,0.066667,30.0000,5.0000,4.0000,1020,3.0000,6.0000\n"), std::string::npos) << csv;
    EXPECT_NE(csv.find("\n3,0.083333,40.0000,5.0000,4.0000,1030,,\n"), std::string::npos) << csv;
}

TEST(BenchReport, JsonStringEscapes) { EXPECT_EQ(jsonString("a\"b\\c\n\x01"), "\"a\\\"b\\\\c\\n\\u0001\""); }

}  // namespace
