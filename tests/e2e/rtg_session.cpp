#include "tests/e2e/rtg_session.h"

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include <gtest/gtest.h>

namespace {

const char* const kFrameLine = "Frames per Second: ";
const char* const kVersionLine = "OpenGL version: ";
constexpr double kStartTimeout = 60.0;  // start-up under the sanitizers, on a busy machine
constexpr double kFrameTimeout = 30.0;
constexpr int kFramesToShowInput = 3;  // handled in one, drawn in the next, shown after the swap
// Never less time than this for input to show, however fast the frames.
constexpr double kSecondsToShowInput = 0.2;
constexpr double kMoveTimeout = 10.0;
constexpr int kFramesBeforeCapture = 2;
// A key held over this many frame ends was held for at least one whole frame.
constexpr int kFramesToHold = 2;
constexpr int kMaxFramesToHold = 10;

}  // namespace

const std::string& runDirectory() {
    static const std::string directory = RTG_RUN_DIR;
    return directory;
}

RtgSession::RtgSession(const std::string& directory, int width, int height) {
    if (!x_.ok()) {
        failure_ = "cannot connect to an X server with the XTEST extension (run the tests under scripts/xvfb.sh)";
        return;
    }
    process_ = std::make_unique<Process>(
        std::vector<std::string>{runDirectory() + "/rtg", std::to_string(width), std::to_string(height)}, directory);
    window_ = x_.waitForWindowOf(process_->pid(), kStartTimeout);
    if (window_ == 0) {
        failure_ = "rtg showed no window; it printed:\n" + process_->output();
        return;
    }
    if (!waitFrames(kFramesBeforeCapture)) failure_ = "rtg drew no frames; it printed:\n" + process_->output();
}

RtgSession::~RtgSession() = default;

int RtgSession::frames() const { return countFrameLines(process_->output()); }

bool RtgSession::waitFrames(int count) {
    // Count from the frames drawn by now, not from those read by now: lines
    // still waiting in the pipe are frames from before the input just sent.
    process_->drain();
    const int target = frames() + count;
    return process_->waitUntil([target](const std::string& output) { return countFrameLines(output) >= target; },
                               kFrameTimeout);
}

void RtgSession::idle(double seconds) {
    process_->waitUntil([](const std::string&) { return false; }, seconds);
}

Picture RtgSession::screenshot() {
    waitFrames(kFramesBeforeCapture);
    return x_.capture(window_);
}

Picture RtgSession::capture() { return x_.capture(window_); }

void RtgSession::showInput() {
    const auto start = std::chrono::steady_clock::now();
    waitFrames(kFramesToShowInput);
    const double waited = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (waited < kSecondsToShowInput) idle(kSecondsToShowInput - waited);
}

void RtgSession::pressKey(const std::string& keysym) {
    sendKey(keysym);
    showInput();
}

void RtgSession::sendKey(const std::string& keysym) {
    // Without a window manager nothing keeps the keyboard focus on our
    // window; take it before every input.
    x_.focus(window_);
    if (!x_.tap(keysym)) ADD_FAILURE() << "no key " << keysym << " in the X keymap";
}

void RtgSession::keysDown(const std::vector<std::string>& keysyms) {
    x_.focus(window_);
    if (!x_.keys(keysyms, true)) ADD_FAILURE() << "a key is missing from the X keymap";
}

void RtgSession::keysUp(const std::vector<std::string>& keysyms) {
    x_.focus(window_);
    x_.keys(keysyms, false);
}

bool RtgSession::holdKeysBriefly(const std::vector<std::string>& keysyms, double seconds, const Picture& reference) {
    keysDown(keysyms);
    double frameTime = 0.0;
    for (int frame = 0; frame < kMaxFramesToHold && frameTime < seconds; ++frame) {
        if (!waitFrames(1)) break;
        frameTime += lastFrameSeconds(process_->output());
    }
    keysUp(keysyms);
    showInput();
    if (viewChanged(reference, x_.capture(window_))) return true;
    keysDown(keysyms);
    waitFrames(kFramesToHold);
    keysUp(keysyms);
    showInput();
    return viewChanged(reference, x_.capture(window_));
}

bool RtgSession::waitUntilMoved(const Picture& reference) { return waitForView(reference, true); }

bool RtgSession::waitUntilView(const Picture& reference) { return waitForView(reference, false); }

bool RtgSession::waitForView(const Picture& reference, bool changed) {
    const auto start = std::chrono::steady_clock::now();
    while (std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() < kMoveTimeout) {
        if (viewChanged(reference, x_.capture(window_)) == changed) return true;
        if (!waitFrames(1)) return false;
    }
    return false;
}

void RtgSession::pointerToCentre() {
    int width = 0, height = 0;
    x_.size(window_, width, height);
    x_.focus(window_);
    x_.pointerTo(window_, width / 2, height / 2);
    showInput();
}

void RtgSession::moveMouse(int dx, int dy) {
    sendMouseMotion(dx, dy);
    showInput();
}

void RtgSession::sendMouseMotion(int dx, int dy) {
    x_.focus(window_);
    x_.pointerBy(dx, dy);
}

void RtgSession::clickLeft() {
    x_.focus(window_);
    x_.click(1);
    showInput();
}

int RtgSession::closeWindow() {
    if (!x_.requestClose(window_)) return -4000;
    return process_->wait(kFrameTimeout);
}

QuitOutcome RtgSession::closeWindowInMidFrame() {
    bool sent = true;
    QuitOutcome outcome = quitInMidFrame(*process_, [this, &sent]() { sent = x_.requestClose(window_); });
    if (!sent) outcome.status = -4000;
    return outcome;
}

std::vector<std::string> RtgSession::startupLines() const {
    std::vector<std::string> lines;
    bool started = false;
    for (const std::string& line : outputLines()) {
        if (line.rfind(kFrameLine, 0) == 0) break;
        if (started) lines.push_back(line);
        if (line.rfind(kVersionLine, 0) == 0) started = true;
    }
    return lines;
}

std::string keepForInspection(const Picture& picture, const std::string& name) {
    const std::filesystem::path path = std::filesystem::temp_directory_path() / ("rtg_e2e_" + name + ".ppm");
    return writePpm(path.string(), picture) ? "saved as " + path.string() : "could not be saved";
}
