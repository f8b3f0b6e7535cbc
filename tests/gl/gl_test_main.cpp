// Shared main of the GL tests: one hidden window with a debug context, and a
// KHR_debug callback that turns every GL error into a test failure.
#include <cstdlib>
#include <iostream>

#include <gtest/gtest.h>

#include "tests/gl/gl_test_context.h"

namespace {

AppWindow gWindow;
std::vector<std::string>* gCollected = nullptr;

void GLAPIENTRY onDebugMessage(GLenum, GLenum type, GLuint, GLenum severity, GLsizei, const GLchar* message,
                               const void*) {
    if (type != GL_DEBUG_TYPE_ERROR && severity != GL_DEBUG_SEVERITY_HIGH) return;
    if (gCollected != nullptr) {
        gCollected->push_back(message);
        return;
    }
    ADD_FAILURE() << "GL error: " << message;
}

}  // namespace

AppWindow& glTestWindow() { return gWindow; }

std::vector<std::string> collectGlErrors(void (*fn)(void*), void* context) {
    std::vector<std::string> errors;
    gCollected = &errors;
    fn(context);
    glFinish();
    gCollected = nullptr;
    return errors;
}

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    WindowOptions options;
    options.width = 64;
    options.height = 64;
    options.debugContext = true;
    options.hidden = true;
    // Listing the tests needs no display.
    if (::testing::GTEST_FLAG(list_tests)) return RUN_ALL_TESTS();
    // GLEW here only speaks GLX: insist on SDL's X11 driver, so a display
    // that cannot be reached is reported as such rather than through a
    // context from another driver that GLEW then cannot use.
    SDL_SetHint(SDL_HINT_VIDEODRIVER, "x11");
    std::string error;
    // A busy X server has been seen to refuse a connection now and then;
    // try a few times before giving up on the whole test binary.
    for (int attempt = 0; attempt < 3; ++attempt) {
        if (openWindow(options, gWindow, error)) {
            error.clear();
            break;
        }
        std::cerr << "opening the test window failed (attempt " << attempt + 1 << "): " << error << std::endl;
        SDL_Quit();
        gWindow = AppWindow();
        SDL_Delay(500);
    }
    if (!error.empty()) {
        std::cerr << "GL tests need an X display (run them under scripts/xvfb.sh): " << error << std::endl;
        return 1;
    }
    if (!GLEW_KHR_debug && !GLEW_VERSION_4_3) {
        std::cerr << "GL tests need KHR_debug" << std::endl;
        return 1;
    }
    glEnable(GL_DEBUG_OUTPUT);
    glEnable(GL_DEBUG_OUTPUT_SYNCHRONOUS);
    glDebugMessageCallback(onDebugMessage, nullptr);
    return RUN_ALL_TESTS();
}
