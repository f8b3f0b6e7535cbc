#include "tests/e2e/frame_lines.h"

#include <chrono>
#include <cstdlib>
#include <thread>

namespace {

const char* const kFrameLine = "Frames per Second: ";
constexpr double kFrameTimeout = 30.0;  // a frame under the sanitizers, on a busy machine

}  // namespace

int countFrameLines(const std::string& output) {
    int count = 0;
    for (std::size_t at = output.find(kFrameLine); at != std::string::npos; at = output.find(kFrameLine, at + 1))
        ++count;
    return count;
}

double lastFrameSeconds(const std::string& output) {
    const std::size_t at = output.rfind(kFrameLine);
    if (at == std::string::npos) return 0.0;
    const double rate = std::strtod(output.c_str() + at + std::char_traits<char>::length(kFrameLine), nullptr);
    return rate >= 1.0 ? 1.0 / rate : 1.0;  // under one frame a second reads as 0
}

QuitOutcome quitInMidFrame(Process& process, const std::function<void()>& request) {
    // Two fresh frame lines give the time a frame takes now; a quarter of it
    // after the second, the program is well into drawing the next frame.
    const auto freshFrame = [&process]() {
        process.drain();
        const int target = countFrameLines(process.output()) + 1;
        process.waitUntil([target](const std::string& output) { return countFrameLines(output) >= target; },
                          kFrameTimeout);
        return std::chrono::steady_clock::now();
    };
    const auto first = freshFrame();
    const auto second = freshFrame();
    std::this_thread::sleep_for((second - first) / 4);
    process.drain();
    const int before = countFrameLines(process.output());
    request();
    QuitOutcome outcome;
    outcome.status = process.wait(kFrameTimeout);
    outcome.framesAfterRequest = countFrameLines(process.output()) - before;
    return outcome;
}
