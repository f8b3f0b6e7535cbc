#pragma once

// rtg prints one frame-rate line per frame; these read a run by its lines.

#include <functional>
#include <string>

#include "tests/e2e/process.h"

// How a quit request ended the program: its exit status (see Process::wait)
// and the frame lines it printed after the request was sent.
struct QuitOutcome {
    int status = 0;
    int framesAfterRequest = 0;
};

// Frame-rate lines in a program's output.
int countFrameLines(const std::string& output);
// The time the last frame took, read from its frame-rate line (a whole
// number of frames per second); 0 when there is none yet.
double lastFrameSeconds(const std::string& output);

// Sends a quit request (request() does) a quarter of a frame after a frame
// line was printed: the program has polled its events for the frame now in
// progress and sees the request only at the start of the next one. A program
// that finishes its frames properly prints two more frame lines (the frame in
// progress and the one that saw the request); one that leaves at once prints
// fewer.
QuitOutcome quitInMidFrame(Process& process, const std::function<void()>& request);
