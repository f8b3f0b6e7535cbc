// rtg-bench: renders the demo's scene along its camera flight with a fixed
// simulated step and reports start-up, frame and per-pass times, memory, and
// on request pictures of every intermediate buffer.
#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <filesystem>
#include <functional>
#include <iostream>
#include <string>
#include <vector>

#include <GL/glew.h>

#include "app/startup.h"
#include "io/output_file.h"
#include "io/png_writer.h"
#include "io/standard_streams.h"
#include "scene/room_scene.h"
#include "tools/bench/frame_capture.h"
#include "tools/bench/memory.h"
#include "tools/bench/options.h"
#include "tools/bench/pass_method.h"
#include "tools/bench/pass_profiler.h"
#include "tools/bench/progress_line.h"
#include "tools/bench/report.h"
#include "tools/bench/session.h"

namespace {

using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Splits the scene's construction into its steps as they happen.
class BuildTimer : public SceneBuildObserver {
public:
    void buildStep(SceneBuildStep next) override {
        const Clock::time_point now = Clock::now();
        if (started_) ms_[static_cast<int>(current_)] = std::chrono::duration<double, std::milli>(now - last_).count();
        started_ = true;
        current_ = next;
        last_ = now;
    }
    double ms(SceneBuildStep step) const { return ms_[static_cast<int>(step)]; }

private:
    bool started_ = false;
    SceneBuildStep current_ = SceneBuildStep::ShaderPrograms;
    Clock::time_point last_;
    std::array<double, static_cast<int>(SceneBuildStep::Done) + 1> ms_{};
};

// Writes the file, or says that it could not.
bool saveText(const std::string& path, const std::string& text) {
    std::string unused;  // the bench's line names the file alone
    if (writeWholeFile(path, text.data(), text.size(), unused)) return true;
    std::cout << "Error: cannot write " << path << std::endl;
    return false;
}

std::string glString(GLenum name) {
    const GLubyte* text = glGetString(name);
    return text != nullptr ? reinterpret_cast<const char*>(text) : "";
}

std::string capturePrefix(double simulatedTime) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "t%07.3f", simulatedTime);
    return buffer;
}

FloatTexels readBlurredOcclusion(const RoomScene& scene) {
    return readTextureFloat(GL_TEXTURE_2D, scene.ssaoColorBufferBlur, GL_TEXTURE_2D, GL_RED, 1);
}

struct Runner {
    BenchSession& session;
    bool open = true;
    // A quit request (window closed, SIGINT, SIGTERM) cut a phase short.
    bool interrupted = false;

    // Untimed frames until the session's frame index reaches untilIndex.
    void advanceTo(int untilIndex) {
        while (open && session.frameIndex() < untilIndex) frame();
    }
    // One untimed frame; afterRender sees it finished.
    void frame(const std::function<void()>& afterRender = {}) {
        FrameCost cost;
        if (open) open = session.frame(cost, afterRender);
    }
};

void measure(const BenchOptions& options, Runner& runner, BenchResult& result) {
    ProgressLine progress("measuring");
    const Clock::time_point start = Clock::now();
    Clock::time_point previousSwap = start;
    const int total = options.seconds > 0.0 ? 0 : options.frames;
    for (int i = 0; runner.open; ++i) {
        if (total > 0 && i >= total) break;
        if (total == 0 && msSince(start) >= options.seconds * 1000.0) break;
        FrameRecord record;
        record.index = i;
        record.simulatedTime = runner.session.simulatedTime();
        FrameCost cost;
        runner.open = runner.session.frame(cost);
        const Clock::time_point now = Clock::now();
        record.frameMs = std::chrono::duration<double, std::milli>(now - previousSwap).count();
        previousSwap = now;
        record.renderCallMs = cost.renderCallMs;
        record.renderCpuMs = cost.renderCpuMs;
        record.residentKiB = currentResidentKiB();
        result.frames.push_back(record);
        progress.update(i + 1, total);
    }
    result.wallSeconds = msSince(start) / 1000.0;
    if (total > 0 ? static_cast<int>(result.frames.size()) < total : !runner.open) runner.interrupted = true;
}

void profilePasses(const BenchOptions& options, Runner& runner, BenchResult& result) {
    const bool gpuTimer = !isSoftwareRenderer(result.renderer);
    result.passMethod = gpuTimer ? kPassMethodGpuTimer : kPassMethodCpuFinish;
    // Replays the first measured frames: same simulated times, same views.
    runner.session.restart();
    runner.advanceTo(1 + options.warmup);
    PassProfiler profiler(gpuTimer);
    RoomScene& scene = runner.session.scene();
    scene.setPassObserver(&profiler);
    ProgressLine progress("profiling passes");
    std::vector<double> frameMs;
    Clock::time_point previousSwap = Clock::now();
    for (int i = 0; i < options.profileFrames && runner.open; ++i) {
        FrameCost cost;
        runner.open = runner.session.frame(cost);
        profiler.finishFrame();
        frameMs.push_back(msSince(previousSwap));
        previousSwap = Clock::now();
        progress.update(i + 1, options.profileFrames);
    }
    scene.setPassObserver(nullptr);
    if (static_cast<int>(frameMs.size()) < options.profileFrames) runner.interrupted = true;
    result.profileFrames = static_cast<int>(frameMs.size());
    result.profileFrameMs = summarize(frameMs);
    for (int p = 0; p < kFramePassCount; ++p) {
        result.passes.push_back(PassTiming{passName(static_cast<RenderPass>(p)), summarize(profiler.samples()[p])});
    }
    result.profiledPassMs.assign(frameMs.size(), std::vector<double>(kFramePassCount, 0.0));
    for (std::size_t i = 0; i < frameMs.size(); ++i)
        for (int p = 0; p < kFramePassCount; ++p) result.profiledPassMs[i][p] = profiler.samples()[p][i];
}

// Draws the frame just shown once more with the scene's brute-force SSAO
// program and returns its blurred occlusion.
FloatTexels redrawWithBruteForceSsao(Runner& runner) {
    RoomScene& scene = runner.session.scene();
    std::string ignored;  // built before the first frame was inspected
    scene.useBruteForceSsao(true, ignored);
    FloatTexels full;
    FrameCost cost;
    runner.open = runner.session.redraw(cost, [&] { full = readBlurredOcclusion(scene); }) && runner.open;
    scene.useBruteForceSsao(false, ignored);
    return full;
}

// Capture and the SSAO comparison share one run from simulated time 0; both
// look at the frames at the --at times.
bool inspectRun(const BenchOptions& options, Runner& runner, BenchResult& result) {
    const bool capture = !options.captureDir.empty();
    if (capture) {
        std::error_code error;
        std::filesystem::create_directories(options.captureDir, error);
        if (error) {
            std::cout << "Error: cannot create " << options.captureDir << ": " << error.message() << std::endl;
            return false;
        }
    }
    RoomScene& scene = runner.session.scene();
    if (options.ssaoCheck) {
        std::string error;
        if (!scene.useBruteForceSsao(true, error) || !scene.useBruteForceSsao(false, error)) {
            std::cout << "Error: SSAO check: " << error << std::endl;
            return false;
        }
    }
    const std::vector<double>& times = options.captureTimes.empty() ? kDefaultSsaoCheckTimes : options.captureTimes;
    runner.session.restart();
    std::string notes;
    bool complete = true;
    std::vector<Difference> differences;
    ProgressLine progress(capture ? "capturing" : "checking SSAO");
    const int lastIndex = frameIndexAt(times.back(), options.step);
    for (const double time : times) {
        const int index = frameIndexAt(time, options.step);
        if (index < runner.session.frameIndex()) continue;  // rounds to a frame already seen
        // The frames in between change nothing but the camera and the lamp.
        runner.session.skipTo(index);
        progress.update(index, lastIndex + 1);
        if (!runner.open) {
            runner.interrupted = true;
            return false;
        }
        const std::string prefix = capturePrefix(index * options.step);
        bool captured = true;
        FloatTexels interleaved;
        runner.frame([&] {
            if (capture) captured = captureFrame(scene, options.captureDir, prefix, notes);
            if (options.ssaoCheck) interleaved = readBlurredOcclusion(scene);
        });
        if (!captured) {
            std::cout << "Error: could not write every picture of " << prefix << " in " << options.captureDir
                      << std::endl;
            complete = false;
        }
        if (!options.ssaoCheck) continue;

        const FloatTexels full = redrawWithBruteForceSsao(runner);
        if (capture) {
            std::string ignored;
            complete =
                writePng(options.captureDir + "/" + prefix + "_ssao_blur_full.png", mapUnitGrey(full), ignored) &&
                complete;
        }
        const Difference d = compareFirstChannel(interleaved, full);
        differences.push_back(d);
        char line[160];
        std::snprintf(line, sizeof line, "%s ssao_check %.6f %.6f\n", prefix.c_str(), d.mean, d.max);
        notes += line;
    }
    if (options.ssaoCheck && !differences.empty()) {
        result.ssaoChecked = true;
        for (const Difference& d : differences) {
            result.ssaoMeanAbsDifference += d.mean / static_cast<double>(differences.size());
            result.ssaoMaxAbsDifference = std::max(result.ssaoMaxAbsDifference, d.max);
        }
    }
    if (capture) complete = saveText(options.captureDir + "/capture.txt", notes) && complete;
    return complete;
}

}  // namespace

int main(int argc, char** argv) {
    reopenClosedStandardStreams();
    BenchOptions options;
    std::string error;
    if (!parseBenchOptions(argc, argv, options, error)) {
        std::cout << "Error: " << error << "\n" << benchUsage(argv[0]) << std::endl;
        return 1;
    }
    if (options.help) {
        std::cout << benchHelp(argv[0]) << std::flush;
        return 0;
    }

    BenchResult result;
    result.width = options.width;
    result.height = options.height;
    result.step = options.step;
    result.warmupFrames = options.warmup;
    result.picturesOnly = options.picturesOnly;

    const Clock::time_point startupBegin = Clock::now();
    WindowOptions windowOptions;
    windowOptions.width = options.width;
    windowOptions.height = options.height;
    windowOptions.swapInterval = 0;
    BuildTimer buildTimer;
    Startup app;
    const auto contextReady = [&] { result.startup.contextMs = msSince(startupBegin); };
    const StartupFailure failure = startUp(windowOptions, contextReady, &buildTimer, app, error);
    if (failure != StartupFailure::None) {
        std::cout << (failure == StartupFailure::Window ? "Error: " : "") << error << std::endl;
        return 1;
    }
    result.renderer = glString(GL_RENDERER);
    result.glVersion = glString(GL_VERSION);
    result.startup.shaderProgramsMs = buildTimer.ms(SceneBuildStep::ShaderPrograms);
    result.startup.renderTargetsMs = buildTimer.ms(SceneBuildStep::RenderTargets);
    result.startup.modelsMs = buildTimer.ms(SceneBuildStep::Models);

    RoomScene& scene = *app.scene;
    BenchSession session(scene, app.window, options.step);
    Runner runner{session};
    const Clock::time_point firstFrameBegin = Clock::now();
    runner.advanceTo(1);
    result.startup.firstFrameMs = msSince(firstFrameBegin);
    result.startup.totalMs = msSince(startupBegin);
    result.memory.afterStartupKiB = currentResidentKiB();

    if (!options.picturesOnly) {
        runner.advanceTo(1 + options.warmup);
        measure(options, runner, result);
        summarizeFrames(result);
        // A phase that finds the run asked to stop marks it interrupted.
        if (options.profileFrames > 0 && !runner.interrupted) profilePasses(options, runner, result);
    }
    bool ok = true;
    if ((!options.captureDir.empty() || options.ssaoCheck) && !runner.interrupted)
        ok = inspectRun(options, runner, result);

    std::cout << formatTable(result) << std::flush;
    if (!options.jsonPath.empty()) ok = saveText(options.jsonPath, formatJson(result)) && ok;
    if (!options.csvPath.empty()) ok = saveText(options.csvPath, formatCsv(result)) && ok;
    if (runner.interrupted) {
        std::cout << "Error: interrupted (window closed, SIGINT or SIGTERM) before the run was complete" << std::endl;
        return 1;
    }
    return ok ? 0 : 1;
}
