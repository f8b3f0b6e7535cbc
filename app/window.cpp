#include "app/window.h"

#include <cstdio>

#include <GL/glew.h>

#include "app/args.h"

namespace {

// The shaders are "#version 330 core"; the passes use these entry points.
constexpr int kNeededGlMajor = 3;
constexpr int kNeededGlMinor = 3;
constexpr int kNeededGlsl = 330;

// Every subsystem where it can, else video alone: a machine without sound or
// game controllers can still show the window.
bool startSdl() {
    if (SDL_Init(SDL_INIT_EVERYTHING) == 0) return true;
    return SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
}

// "3.0 Mesa 22.3.6" gives 3 and 0; false when it does not start with numbers.
bool leadingVersion(const GLubyte* text, int& major, int& minor) {
    return text != nullptr && std::sscanf(reinterpret_cast<const char*>(text), "%d.%d", &major, &minor) == 2;
}

std::string glText(GLenum name) {
    const GLubyte* text = glGetString(name);
    return text != nullptr ? reinterpret_cast<const char*>(text) : "none";
}

void setContextAttributes(const WindowOptions& options) {
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_BUFFER_SIZE, 32);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    // The scene copies its G-buffer depth (24-bit depth, 8-bit stencil) into
    // the window; a blit only works between identical depth formats.
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 8);
    if (options.debugContext) SDL_GL_SetAttribute(SDL_GL_CONTEXT_FLAGS, SDL_GL_CONTEXT_DEBUG_FLAG);
}

}  // namespace

bool openWindow(const WindowOptions& options, AppWindow& out, std::string& error) {
    // SDL's own failures are not checked here. A size SDL refuses leaves no
    // window and no context; without an X display SDL falls back to a
    // display-less driver that GLEW, built for GLX, cannot start on. Either
    // way glewInit fails, and GLEW's text is what the user is shown.
    startSdl();
    setContextAttributes(options);
    Uint32 flags = SDL_WINDOW_OPENGL;
    if (options.hidden) flags |= SDL_WINDOW_HIDDEN;
    out.window = SDL_CreateWindow("Tarvo RTG", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, options.width,
                                  options.height, flags);
    out.context = SDL_GL_CreateContext(out.window);
    SDL_GL_SetSwapInterval(options.swapInterval);
    const GLenum result = glewInit();
    if (result != GLEW_OK) {
        error = reinterpret_cast<const char*>(glewGetErrorString(result));
        return false;
    }
    return true;
}

bool checkWindowSizeLimits(int width, int height, std::string& error) {
    RenderSizeLimits limits;
    GLint viewport[2] = {0, 0};
    glGetIntegerv(GL_MAX_VIEWPORT_DIMS, viewport);
    glGetIntegerv(GL_MAX_RENDERBUFFER_SIZE, &limits.maxRenderbufferSize);
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &limits.maxTextureSize);
    limits.maxViewportWidth = viewport[0];
    limits.maxViewportHeight = viewport[1];
    return checkRenderSize(width, height, limits, error);
}

bool checkGlRequirements(std::string& error) {
    int major = 0;
    int minor = 0;
    int glslMajor = 0;
    int glslMinor = 0;
    const bool versionOk = leadingVersion(glGetString(GL_VERSION), major, minor) &&
                           (major > kNeededGlMajor || (major == kNeededGlMajor && minor >= kNeededGlMinor));
    const bool glslOk = leadingVersion(glGetString(GL_SHADING_LANGUAGE_VERSION), glslMajor, glslMinor) &&
                        glslMajor * 100 + glslMinor >= kNeededGlsl;
    const struct {
        const char* name;
        bool present;
    } entryPoints[] = {
        {"glFramebufferTexture", glFramebufferTexture != nullptr},
        {"glBlitFramebuffer", glBlitFramebuffer != nullptr},
        {"glDrawBuffers", glDrawBuffers != nullptr},
        {"glGenVertexArrays", glGenVertexArrays != nullptr},
        {"glRenderbufferStorage", glRenderbufferStorage != nullptr},
    };
    std::string missing;
    for (const auto& entry : entryPoints)
        if (!entry.present) missing += std::string(missing.empty() ? "" : ", ") + entry.name;
    if (versionOk && glslOk && missing.empty()) return true;
    error = "OpenGL too old: " + std::to_string(kNeededGlMajor) + "." + std::to_string(kNeededGlMinor) + " with GLSL " +
            std::to_string(kNeededGlsl / 100) + "." + std::to_string(kNeededGlsl % 100) + " needed, found " +
            glText(GL_VERSION) + " with GLSL " + glText(GL_SHADING_LANGUAGE_VERSION);
    if (!missing.empty()) error += ", without " + missing;
    return false;
}
