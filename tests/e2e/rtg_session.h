#pragma once

// The real rtg as a user runs it: started in a directory, its window found,
// driven with real X input events, looked at through screenshots, and closed
// the way a window manager closes it.

#include <memory>
#include <string>
#include <vector>

#include "tests/e2e/frame_lines.h"
#include "tests/e2e/picture.h"
#include "tests/e2e/process.h"
#include "tests/e2e/x_window.h"
#include "tests/support/output_lines.h"

// Small, so that the whole suite stays quick on a software renderer.
constexpr int kWindowWidth = 160;
constexpr int kWindowHeight = 120;

// The build's runnable directory: rtg with its shaders and models.
const std::string& runDirectory();

class RtgSession {
public:
    // Starts rtg in directory and waits for its window and its first frames;
    // ready() tells whether that happened, failure() why not.
    explicit RtgSession(const std::string& directory, int width = kWindowWidth, int height = kWindowHeight);
    ~RtgSession();
    RtgSession(const RtgSession&) = delete;
    RtgSession& operator=(const RtgSession&) = delete;

    bool ready() const { return failure_.empty(); }
    const std::string& failure() const { return failure_; }

    int frames() const;          // frame-rate lines printed so far
    bool waitFrames(int count);  // until count more frames were shown
    // Lets time pass with no input (the output is read meanwhile).
    void idle(double seconds);

    // The window as it is now, once the frames in flight are shown.
    Picture screenshot();
    // The window as it is this moment.
    Picture capture();

    // Real keyboard and mouse input, to our window. Each returns after the
    // program has drawn a few frames with it, so that a screenshot afterwards
    // shows its effect.
    void pressKey(const std::string& keysym);
    // The same press and release, returning at once.
    void sendKey(const std::string& keysym);
    void keysDown(const std::vector<std::string>& keysyms);
    void keysUp(const std::vector<std::string>& keysyms);
    // Held over as few frames as take at least the given time together, by
    // the program's own frame-rate lines: a held key moves the camera by the
    // time of the frames that see it, so one slow frame on a busy machine
    // moves it as far as several quick ones. The keys go up as soon as the
    // frames that ended meanwhile took that long; the frame then under way
    // usually sees them still down, each earlier one has moved the camera by
    // the time of the frame before it. If that did not change the view from
    // the reference, they are held once more over two frame ends; false if
    // the view still did not change.
    bool holdKeysBriefly(const std::vector<std::string>& keysyms, double seconds, const Picture& reference);
    // Mouse motion sent without waiting for the program to show it.
    void sendMouseMotion(int dx, int dy);
    // Until the view has changed, or a few seconds have passed: false then.
    bool waitUntilMoved(const Picture& reference);
    // Until the view is the reference's again, or a few seconds have passed.
    bool waitUntilView(const Picture& reference);
    void pointerToCentre();
    void moveMouse(int dx, int dy);
    void clickLeft();

    // Asks the window to close as a window manager does and waits for the
    // exit; returns the exit status (see Process::wait).
    int closeWindow();
    // The same request, sent in the middle of a frame (see quitInMidFrame).
    QuitOutcome closeWindowInMidFrame();

    Process& process() { return *process_; }
    std::vector<std::string> outputLines() const { return ::outputLines(process_->output()); }
    // What the program printed between the GL version line and its first frame.
    std::vector<std::string> startupLines() const;

private:
    // After input: a few frames and a moment, so that a screenshot shows it.
    void showInput();
    bool waitForView(const Picture& reference, bool changed);

    std::unique_ptr<Process> process_;
    XConnection x_;
    XWindowId window_ = 0;
    std::string failure_;
};

// Writes a picture to the temporary folder for a failure message to point
// at; returns the words for that message.
std::string keepForInspection(const Picture& picture, const std::string& name);
