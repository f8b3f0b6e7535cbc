#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/bench/stats.h"

// One measured frame, as the CSV lists it.
struct FrameRecord {
    int index = 0;               // 0 = first measured frame
    double simulatedTime = 0.0;  // seconds of flight and swing at this frame
    double frameMs = 0.0;        // swap to swap
    double renderCallMs = 0.0;   // wall clock inside RoomScene::render
    double renderCpuMs = 0.0;    // this thread's CPU time inside render
    std::uint64_t residentKiB = 0;
};

// Start-up, from SDL's start to the first frame on screen.
struct StartupTimes {
    double contextMs = 0.0;         // SDL, window, GL context, GLEW
    double shaderProgramsMs = 0.0;  // the six programs
    double renderTargetsMs = 0.0;   // G-buffer, SSAO, shadow targets, kernel, noise
    double modelsMs = 0.0;          // the three models with their textures
    double firstFrameMs = 0.0;      // first render and swap
    double totalMs = 0.0;           // context start to first frame shown
};

struct PassTiming {
    std::string name;
    Summary ms;
};

struct MemoryReport {
    std::uint64_t afterStartupKiB = 0;
    std::uint64_t startKiB = 0;  // first measured frame
    std::uint64_t endKiB = 0;
    std::uint64_t maxKiB = 0;
    double slopeKiBPer1000Frames = 0.0;
};

struct BenchResult {
    int width = 0;
    int height = 0;
    double step = 0.0;
    int warmupFrames = 0;
    bool picturesOnly = false;  // nothing measured: no frame, pass or memory figures
    std::string renderer;
    std::string glVersion;
    StartupTimes startup;
    std::vector<FrameRecord> frames;
    Summary frameMs;
    Summary renderCallMs;
    Summary renderCpuMs;
    double fps = 0.0;
    double wallSeconds = 0.0;  // the measured frames alone
    std::string passMethod;    // how the per-pass numbers were taken
    int profileFrames = 0;
    Summary profileFrameMs;  // whole frames of the profiling run
    std::vector<PassTiming> passes;
    // Per profiled frame, the milliseconds of each pass in the order of
    // passes; profiled frame i replays measured frame i.
    std::vector<std::vector<double>> profiledPassMs;
    MemoryReport memory;
    bool ssaoChecked = false;
    double ssaoMeanAbsDifference = 0.0;
    double ssaoMaxAbsDifference = 0.0;
};

// Fills the summaries, fps and memory figures from the per-frame records.
void summarizeFrames(BenchResult& result);

// The report a person reads on the console.
std::string formatTable(const BenchResult& result);
// One JSON object with every figure of the table; times in ms, sizes in KiB.
std::string formatJson(const BenchResult& result);
// A header line and one line per measured frame; a pass's column is filled
// for the frames that the profiling run replayed, empty for the rest.
std::string formatCsv(const BenchResult& result);
// JSON string literal with the needed escapes.
std::string jsonString(const std::string& text);

// The method names that the report prints.
extern const char* const kPassMethodCpuFinish;
extern const char* const kPassMethodGpuTimer;
