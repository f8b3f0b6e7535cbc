#include "tests/e2e/x_window.h"

#include <chrono>
#include <thread>
#include <vector>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

namespace {

constexpr int kConnectAttempts = 20;

Display* dpy(void* display) { return static_cast<Display*>(display); }

bool keycodesOf(Display* display, const std::vector<std::string>& keysyms, std::vector<KeyCode>& codes) {
    for (const std::string& name : keysyms) {
        const KeySym keysym = XStringToKeysym(name.c_str());
        const KeyCode code = keysym == NoSymbol ? 0 : XKeysymToKeycode(display, keysym);
        if (code == 0) return false;
        codes.push_back(code);
    }
    return true;
}

// A window that vanishes between two requests is an ordinary event here, not
// a reason for Xlib's default handler to end the test process.
int ignoreXError(Display*, XErrorEvent*) { return 0; }

bool hasPid(Display* display, Window window, Atom pidAtom, pid_t pid) {
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    bool match = false;
    if (XGetWindowProperty(display, window, pidAtom, 0, 1, False, XA_CARDINAL, &type, &format, &count, &after, &data) ==
            Success &&
        data != nullptr) {
        match = type == XA_CARDINAL && format == 32 && count == 1 &&
                static_cast<pid_t>(*reinterpret_cast<unsigned long*>(data)) == pid;
    }
    if (data != nullptr) XFree(data);
    return match;
}

bool isViewable(Display* display, Window window) {
    XWindowAttributes attributes;
    return XGetWindowAttributes(display, window, &attributes) != 0 && attributes.map_state == IsViewable;
}

// Spreads an 8-bit channel out of a pixel by its visual mask.
std::uint8_t channel(unsigned long pixel, unsigned long mask) {
    if (mask == 0) return 0;
    int shift = 0;
    while (((mask >> shift) & 1UL) == 0) ++shift;
    const unsigned long max = mask >> shift;
    return static_cast<std::uint8_t>(((pixel & mask) >> shift) * 255UL / max);
}

}  // namespace

XConnection::XConnection() {
    XSetErrorHandler(ignoreXError);
    // A server that resets when its last client leaves refuses connections
    // for a moment (the previous test's program may just have ended).
    for (int attempt = 0; attempt < kConnectAttempts && display_ == nullptr; ++attempt) {
        if (attempt > 0) std::this_thread::sleep_for(std::chrono::milliseconds(100));
        display_ = XOpenDisplay(nullptr);
    }
    int event = 0, error = 0, major = 0, minor = 0;
    if (display_ != nullptr && !XTestQueryExtension(dpy(display_), &event, &error, &major, &minor)) {
        XCloseDisplay(dpy(display_));
        display_ = nullptr;  // without XTEST there is no way to type into a window
    }
}

XConnection::~XConnection() {
    if (display_ != nullptr) XCloseDisplay(dpy(display_));
}

XWindowId XConnection::waitForWindowOf(pid_t pid, double timeoutSeconds) {
    Display* display = dpy(display_);
    const Atom pidAtom = XInternAtom(display, "_NET_WM_PID", False);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(timeoutSeconds);
    while (std::chrono::steady_clock::now() < deadline) {
        Window root = 0, parent = 0;
        Window* children = nullptr;
        unsigned int count = 0;
        XWindowId found = 0;
        if (XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count) != 0) {
            for (unsigned int i = 0; i < count && found == 0; ++i) {
                if (hasPid(display, children[i], pidAtom, pid) && isViewable(display, children[i])) found = children[i];
            }
            if (children != nullptr) XFree(children);
        }
        if (found != 0) return found;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return 0;
}

std::string XConnection::title(XWindowId window) {
    char* name = nullptr;
    std::string text;
    if (XFetchName(dpy(display_), window, &name) != 0 && name != nullptr) text = name;
    if (name != nullptr) XFree(name);
    return text;
}

bool XConnection::size(XWindowId window, int& width, int& height) {
    XWindowAttributes attributes;
    if (XGetWindowAttributes(dpy(display_), window, &attributes) == 0) return false;
    width = attributes.width;
    height = attributes.height;
    return true;
}

Picture XConnection::capture(XWindowId window) {
    Picture picture;
    int width = 0, height = 0;
    if (!size(window, width, height)) return picture;
    XImage* image = XGetImage(dpy(display_), window, 0, 0, static_cast<unsigned>(width), static_cast<unsigned>(height),
                              AllPlanes, ZPixmap);
    if (image == nullptr) return picture;
    picture.width = width;
    picture.height = height;
    picture.rgb.resize(static_cast<std::size_t>(width) * height * 3);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const unsigned long pixel = XGetPixel(image, x, y);
            std::uint8_t* out = &picture.rgb[(static_cast<std::size_t>(y) * width + x) * 3];
            out[0] = channel(pixel, image->red_mask);
            out[1] = channel(pixel, image->green_mask);
            out[2] = channel(pixel, image->blue_mask);
        }
    }
    XDestroyImage(image);
    return picture;
}

bool XConnection::requestClose(XWindowId window) {
    Display* display = dpy(display_);
    const Atom protocols = XInternAtom(display, "WM_PROTOCOLS", False);
    const Atom deleteWindow = XInternAtom(display, "WM_DELETE_WINDOW", False);
    Atom* supported = nullptr;
    int count = 0;
    bool takesPart = false;
    if (XGetWMProtocols(display, window, &supported, &count) != 0) {
        for (int i = 0; i < count; ++i) takesPart = takesPart || supported[i] == deleteWindow;
        XFree(supported);
    }
    if (!takesPart) return false;

    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = protocols;
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(deleteWindow);
    event.xclient.data.l[1] = CurrentTime;
    const Status sent = XSendEvent(display, window, False, NoEventMask, &event);
    XSync(display, False);
    return sent != 0;
}

void XConnection::focus(XWindowId window) {
    XRaiseWindow(dpy(display_), window);
    XSetInputFocus(dpy(display_), window, RevertToPointerRoot, CurrentTime);
    XSync(dpy(display_), False);
}

bool XConnection::keys(const std::vector<std::string>& keysyms, bool press) {
    std::vector<KeyCode> codes;
    if (!keycodesOf(dpy(display_), keysyms, codes)) return false;
    for (const KeyCode code : codes) XTestFakeKeyEvent(dpy(display_), code, press ? True : False, CurrentTime);
    XSync(dpy(display_), False);
    return true;
}

bool XConnection::tap(const std::string& keysym) {
    std::vector<KeyCode> codes;
    if (!keycodesOf(dpy(display_), {keysym}, codes)) return false;
    XTestFakeKeyEvent(dpy(display_), codes[0], True, CurrentTime);
    XTestFakeKeyEvent(dpy(display_), codes[0], False, CurrentTime);
    XSync(dpy(display_), False);
    return true;
}

void XConnection::pointerTo(XWindowId window, int x, int y) {
    Display* display = dpy(display_);
    int rootX = 0, rootY = 0;
    Window child = 0;
    XTranslateCoordinates(display, window, DefaultRootWindow(display), x, y, &rootX, &rootY, &child);
    XTestFakeMotionEvent(display, DefaultScreen(display), rootX, rootY, CurrentTime);
    XSync(display, False);
}

void XConnection::pointerBy(int dx, int dy) {
    XTestFakeRelativeMotionEvent(dpy(display_), dx, dy, CurrentTime);
    XSync(dpy(display_), False);
}

void XConnection::click(unsigned int button) {
    XTestFakeButtonEvent(dpy(display_), button, True, CurrentTime);
    XTestFakeButtonEvent(dpy(display_), button, False, CurrentTime);
    XSync(dpy(display_), False);
}
