#pragma once

// The test's own connection to the X server, for what a user sees and does
// and what a window manager does: finding a program's window, reading its
// pixels, real keyboard and mouse input through the XTEST extension (the
// server treats it as coming from its own devices), and asking a window to
// close.

#include <string>
#include <vector>

#include <sys/types.h>

#include "tests/e2e/picture.h"

using XWindowId = unsigned long;

class XConnection {
public:
    XConnection();  // the server of $DISPLAY; ok() tells whether it opened
    ~XConnection();
    XConnection(const XConnection&) = delete;
    XConnection& operator=(const XConnection&) = delete;

    bool ok() const { return display_ != nullptr; }

    // The mapped top-level window whose _NET_WM_PID is pid, or 0 if none
    // appears within the timeout.
    XWindowId waitForWindowOf(pid_t pid, double timeoutSeconds);
    std::string title(XWindowId window);
    bool size(XWindowId window, int& width, int& height);

    // The window's pixels as the screen shows them (empty on failure).
    Picture capture(XWindowId window);

    // What a window manager sends when the user clicks the close button:
    // a WM_PROTOCOLS client message carrying WM_DELETE_WINDOW. False when
    // the window does not take part in that protocol.
    bool requestClose(XWindowId window);

    // Keyboard focus on the window, so that input goes to it.
    void focus(XWindowId window);

    // Keys by keysym name ("Return", "w", "Shift_R"); false if one is unknown
    // to the server's keymap. Several keys go out in one batch, in order.
    bool keys(const std::vector<std::string>& keysyms, bool press);
    // Press and release in one batch, so that a busy server cannot
    // auto-repeat the key in between.
    bool tap(const std::string& keysym);
    void pointerTo(XWindowId window, int x, int y);
    void pointerBy(int dx, int dy);
    void click(unsigned int button);

private:
    void* display_ = nullptr;  // Display*, kept out of this header
};
