#include "app/window.h"

#include <GL/glew.h>

#include "app/args.h"

namespace {

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
    if (SDL_Init(SDL_INIT_EVERYTHING) != 0) {
        error = std::string("SDL_Init: ") + SDL_GetError();
        return false;
    }
    setContextAttributes(options);
    Uint32 flags = SDL_WINDOW_OPENGL;
    if (options.hidden) flags |= SDL_WINDOW_HIDDEN;
    out.window = SDL_CreateWindow("Tarvo RTG", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, options.width,
                                  options.height, flags);
    if (out.window == nullptr) {
        error = std::string("SDL_CreateWindow: ") + SDL_GetError();
        return false;
    }
    out.context = SDL_GL_CreateContext(out.window);
    if (out.context == nullptr) {
        error = std::string("SDL_GL_CreateContext: ") + SDL_GetError();
        return false;
    }
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
