#include <gtest/gtest.h>

#include "tests/gl/gl_test_context.h"

namespace {

TEST(Window, DefaultFramebufferHasDepth24Stencil8) {
    GLint depthBits = 0;
    GLint stencilBits = 0;
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glGetFramebufferAttachmentParameteriv(GL_FRAMEBUFFER, GL_DEPTH, GL_FRAMEBUFFER_ATTACHMENT_DEPTH_SIZE, &depthBits);
    glGetFramebufferAttachmentParameteriv(GL_FRAMEBUFFER, GL_STENCIL, GL_FRAMEBUFFER_ATTACHMENT_STENCIL_SIZE,
                                          &stencilBits);
    EXPECT_EQ(depthBits, 24);
    EXPECT_EQ(stencilBits, 8);
}

TEST(Window, TitleAndColourBitsAreTheProgramsOwn) {
    EXPECT_STREQ(SDL_GetWindowTitle(glTestWindow().window), "Tarvo RTG");
    int red = 0, alpha = 0, doubleBuffer = 0;
    SDL_GL_GetAttribute(SDL_GL_RED_SIZE, &red);
    SDL_GL_GetAttribute(SDL_GL_ALPHA_SIZE, &alpha);
    SDL_GL_GetAttribute(SDL_GL_DOUBLEBUFFER, &doubleBuffer);
    EXPECT_EQ(red, 8);
    EXPECT_EQ(alpha, 8);
    EXPECT_EQ(doubleBuffer, 1);
}

TEST(Window, SizeLimitsComeFromTheImplementation) {
    std::string error;
    EXPECT_TRUE(checkWindowSizeLimits(1280, 720, error)) << error;
    EXPECT_FALSE(checkWindowSizeLimits(1 << 20, 720, error));
    EXPECT_FALSE(checkWindowSizeLimits(720, 1 << 20, error));
}

TEST(GlHarness, ErrorsAreReportedThroughTheDebugCallback) {
    // Proves the harness works: an invalid enum must reach the callback.
    const auto errors = collectGlErrors([](void*) { glEnable(0xFFFF); }, nullptr);
    EXPECT_FALSE(errors.empty());
}

}  // namespace
