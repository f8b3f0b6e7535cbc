#include "tools/bench/report.h"

#include <algorithm>
#include <cstdio>
#include <sstream>

const char* const kPassMethodCpuFinish = "cpu-clock-glfinish";
const char* const kPassMethodGpuTimer = "gl-time-elapsed";

namespace {

std::string format(const char* pattern, double value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, pattern, value);
    return buffer;
}

std::string number(double value) { return format("%.4f", value); }

std::string mib(std::uint64_t kib) { return format("%.1f", static_cast<double>(kib) / 1024.0); }

std::string summaryRow(const std::string& label, const Summary& s) {
    char buffer[160];
    std::snprintf(buffer, sizeof buffer, "  %-14s %9.2f %9.2f %9.2f %9.2f %9.2f %9.2f\n", label.c_str(), s.min,
                  s.median, s.p95, s.p99, s.max, s.mean);
    return buffer;
}

std::string summaryJson(const Summary& s) {
    return "{\"count\": " + std::to_string(s.count) + ", \"min\": " + number(s.min) +
           ", \"median\": " + number(s.median) + ", \"p95\": " + number(s.p95) + ", \"p99\": " + number(s.p99) +
           ", \"max\": " + number(s.max) + ", \"mean\": " + number(s.mean) + "}";
}

std::string methodText(const std::string& method) {
    if (method == kPassMethodCpuFinish) return "CPU clock around glFinish at each pass boundary";
    if (method == kPassMethodGpuTimer) return "GL_TIME_ELAPSED queries around each pass";
    return method;
}

// Frame times, per-pass times and memory: what a measurement adds to the report.
void formatMeasurement(const BenchResult& r, std::ostringstream& out) {
    char line[256];
    out << "\ntimes (ms)             min    median       p95       p99       max      mean\n";
    out << summaryRow("frame", r.frameMs) << summaryRow("render call", r.renderCallMs)
        << summaryRow("render CPU", r.renderCpuMs);
    std::snprintf(line, sizeof line, "  frames per second: %.2f over %.2f s\n", r.fps, r.wallSeconds);
    out << line;

    if (!r.passes.empty()) {
        out << "\nper pass: " << r.profileFrames << " frames of a separate profiling run, " << methodText(r.passMethod)
            << "\n";
        out << "  pass             median ms   mean ms   share\n";
        double sum = 0.0;
        for (const PassTiming& p : r.passes) sum += p.ms.median;
        for (const PassTiming& p : r.passes) {
            std::snprintf(line, sizeof line, "  %-14s %11.2f %9.2f %6.1f %%\n", p.name.c_str(), p.ms.median, p.ms.mean,
                          sum > 0.0 ? 100.0 * p.ms.median / sum : 0.0);
            out << line;
        }
        std::snprintf(line, sizeof line, "  %-14s %11.2f   (profiled frame median %.2f ms)\n", "sum", sum,
                      r.profileFrameMs.median);
        out << line;
    }

    const MemoryReport& m = r.memory;
    out << "\nresident set size (MiB): after start-up " << mib(m.afterStartupKiB) << ", first frame " << mib(m.startKiB)
        << ", last frame " << mib(m.endKiB) << ", max " << mib(m.maxKiB);
    std::snprintf(line, sizeof line, ", trend %+.1f KiB per 1000 frames\n", m.slopeKiBPer1000Frames);
    out << line;
}

}  // namespace

std::string jsonString(const std::string& text) {
    std::string out = "\"";
    for (const char c : text) {
        switch (c) {
            case '"': out += "\\\""; break;
            case '\\': out += "\\\\"; break;
            case '\n': out += "\\n"; break;
            case '\t': out += "\\t"; break;
            case '\r': out += "\\r"; break;
            default:
                if (static_cast<unsigned char>(c) < 0x20) {
                    char buffer[8];
                    std::snprintf(buffer, sizeof buffer, "\\u%04x", static_cast<unsigned>(c));
                    out += buffer;
                } else {
                    out += c;
                }
        }
    }
    return out + "\"";
}

void summarizeFrames(BenchResult& result) {
    std::vector<double> frame;
    std::vector<double> call;
    std::vector<double> cpu;
    std::vector<double> index;
    std::vector<double> resident;
    for (const FrameRecord& r : result.frames) {
        frame.push_back(r.frameMs);
        call.push_back(r.renderCallMs);
        cpu.push_back(r.renderCpuMs);
        index.push_back(r.index);
        resident.push_back(static_cast<double>(r.residentKiB));
    }
    result.fps = framesPerSecond(frame);
    result.frameMs = summarize(frame);
    result.renderCallMs = summarize(call);
    result.renderCpuMs = summarize(cpu);
    MemoryReport& m = result.memory;
    if (!result.frames.empty()) {
        m.startKiB = result.frames.front().residentKiB;
        m.endKiB = result.frames.back().residentKiB;
        m.maxKiB = 0;
        for (const FrameRecord& r : result.frames) m.maxKiB = std::max(m.maxKiB, r.residentKiB);
    }
    m.maxKiB = std::max(m.maxKiB, m.afterStartupKiB);
    m.slopeKiBPer1000Frames = linearSlope(index, resident) * 1000.0;
}

std::string formatTable(const BenchResult& r) {
    std::ostringstream out;
    char line[256];
    if (r.picturesOnly) {
        std::snprintf(
            line, sizeof line,
            "rtg-bench %dx%d: pictures only, no frame times measured (add --frames N for them), step %.6f s\n", r.width,
            r.height, r.step);
    } else {
        std::snprintf(line, sizeof line, "rtg-bench %dx%d: %zu frames measured after %d warm-up, step %.6f s\n",
                      r.width, r.height, r.frames.size(), r.warmupFrames, r.step);
    }
    out << line << "renderer: " << r.renderer << " / OpenGL " << r.glVersion << "\n\n";

    const StartupTimes& s = r.startup;
    out << "start-up                     ms\n";
    const std::pair<const char*, double> startupRows[] = {{"context", s.contextMs},
                                                          {"shader programs", s.shaderProgramsMs},
                                                          {"render targets", s.renderTargetsMs},
                                                          {"models and textures", s.modelsMs},
                                                          {"first frame", s.firstFrameMs},
                                                          {"total", s.totalMs}};
    for (const auto& [label, ms] : startupRows) {
        std::snprintf(line, sizeof line, "  %-22s %9.2f\n", label, ms);
        out << line;
    }

    if (!r.picturesOnly) formatMeasurement(r, out);

    if (r.ssaoChecked) {
        std::snprintf(line, sizeof line,
                      "\nSSAO check: blurred occlusion, interleaved vs 32 samples per pixel: mean |diff| %.4f, "
                      "max |diff| %.4f\n",
                      r.ssaoMeanAbsDifference, r.ssaoMaxAbsDifference);
        out << line;
    }
    return out.str();
}

std::string formatJson(const BenchResult& r) {
    std::ostringstream out;
    const StartupTimes& s = r.startup;
    const MemoryReport& m = r.memory;
    out << "{\n";
    out << "  \"width\": " << r.width << ",\n  \"height\": " << r.height << ",\n";
    out << "  \"step_s\": " << format("%.6f", r.step) << ",\n";
    out << "  \"warmup_frames\": " << r.warmupFrames << ",\n";
    out << "  \"frames\": " << r.frames.size() << ",\n";
    out << "  \"renderer\": " << jsonString(r.renderer) << ",\n";
    out << "  \"gl_version\": " << jsonString(r.glVersion) << ",\n";
    out << "  \"startup_ms\": {\"context\": " << number(s.contextMs)
        << ", \"shader_programs\": " << number(s.shaderProgramsMs)
        << ", \"render_targets\": " << number(s.renderTargetsMs) << ", \"models_and_textures\": " << number(s.modelsMs)
        << ", \"first_frame\": " << number(s.firstFrameMs) << ", \"total\": " << number(s.totalMs) << "},\n";
    out << "  \"frame_ms\": " << summaryJson(r.frameMs) << ",\n";
    out << "  \"fps\": " << number(r.fps) << ",\n";
    out << "  \"wall_s\": " << number(r.wallSeconds) << ",\n";
    out << "  \"render_call_ms\": " << summaryJson(r.renderCallMs) << ",\n";
    out << "  \"render_cpu_ms\": " << summaryJson(r.renderCpuMs) << ",\n";
    out << "  \"pass_method\": " << jsonString(r.passMethod) << ",\n";
    out << "  \"profile_frames\": " << r.profileFrames << ",\n";
    out << "  \"profile_frame_ms\": " << summaryJson(r.profileFrameMs) << ",\n";
    out << "  \"passes_ms\": {";
    for (std::size_t i = 0; i < r.passes.size(); ++i) {
        out << (i == 0 ? "\n" : ",\n") << "    " << jsonString(r.passes[i].name) << ": " << summaryJson(r.passes[i].ms);
    }
    out << (r.passes.empty() ? "},\n" : "\n  },\n");
    out << "  \"rss_kib\": {\"after_startup\": " << m.afterStartupKiB << ", \"start\": " << m.startKiB
        << ", \"end\": " << m.endKiB << ", \"max\": " << m.maxKiB
        << ", \"trend_per_1000_frames\": " << number(m.slopeKiBPer1000Frames) << "}";
    if (r.ssaoChecked) {
        out << ",\n  \"ssao_check\": {\"mean_abs_difference\": " << format("%.6f", r.ssaoMeanAbsDifference)
            << ", \"max_abs_difference\": " << format("%.6f", r.ssaoMaxAbsDifference) << "}";
    }
    out << "\n}\n";
    return out.str();
}

std::string formatCsv(const BenchResult& r) {
    std::ostringstream out;
    out << "frame,simulated_s,frame_ms,render_call_ms,render_cpu_ms,rss_kib";
    for (const PassTiming& pass : r.passes) out << "," << pass.name << "_ms";
    out << "\n";
    char line[160];
    for (const FrameRecord& f : r.frames) {
        std::snprintf(line, sizeof line, "%d,%.6f,%.4f,%.4f,%.4f,%llu", f.index, f.simulatedTime, f.frameMs,
                      f.renderCallMs, f.renderCpuMs, static_cast<unsigned long long>(f.residentKiB));
        out << line;
        const std::size_t i = static_cast<std::size_t>(f.index);
        for (std::size_t p = 0; p < r.passes.size(); ++p) {
            out << ",";
            if (i < r.profiledPassMs.size() && p < r.profiledPassMs[i].size()) {
                std::snprintf(line, sizeof line, "%.4f", r.profiledPassMs[i][p]);
                out << line;
            }
        }
        out << "\n";
    }
    return out.str();
}
