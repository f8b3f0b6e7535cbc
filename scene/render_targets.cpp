// The scene's off-screen targets, SSAO kernel and noise, and the fixed
// sampler units: built once at construction.
#include <iostream>
#include <random>

#include "gpu/shader_contract.h"
#include "scene/room_scene.h"
#include "scene/shadow_transforms.h"
#include "scene/ssao_kernel.h"
#include "scene/uniforms.h"

namespace {

GLuint createScreenTexture(int width, int height, GLint internalFormat, GLenum format, GLenum type) {
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexImage2D(GL_TEXTURE_2D, 0, internalFormat, width, height, 0, format, type, nullptr);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    return texture;
}

// Reads GL's error flags (one per kind of error, so few) and says whether
// one of them was GL_OUT_OF_MEMORY.
bool outOfMemoryRaised() {
    bool outOfMemory = false;
    for (int i = 0; i < 16; ++i) {
        const GLenum error = glGetError();
        if (error == GL_NO_ERROR) break;
        if (error == GL_OUT_OF_MEMORY) outOfMemory = true;
    }
    return outOfMemory;
}

void reportIfIncomplete(const char* message) {
    if (glCheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) std::cout << message << std::endl;
}

}  // namespace

void RoomScene::setupDeferredBuffers() {
    outOfMemoryRaised();  // earlier errors are not the targets'
    createGBuffer();
    createSsaoTargets();
    createSsaoKernelAndNoise();
    if (outOfMemoryRaised()) renderTargetsOutOfMemory = true;
    glUseProgram(lightingShader->program);
    setSamplerUnits(lightingShader->program, kLightingSamplerUnits);
    glUseProgram(ssaoShader->program);
    setSamplerUnits(ssaoShader->program, kSsaoSamplerUnits);
    glUseProgram(ssaoBlurShader->program);
    setSamplerUnits(ssaoBlurShader->program, kSsaoBlurSamplerUnits);
}

void RoomScene::createGBuffer() {
    glGenFramebuffers(1, &gBuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, gBuffer);
    gPosition = createScreenTexture(screenWidth, screenHeight, GL_RGB16F, GL_RGB, GL_FLOAT);
    // Positions must not wrap around the screen edge when SSAO samples past it.
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0 + kOutputGPosition, GL_TEXTURE_2D, gPosition, 0);
    gNormal = createScreenTexture(screenWidth, screenHeight, GL_RGB16F, GL_RGB, GL_FLOAT);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0 + kOutputGNormal, GL_TEXTURE_2D, gNormal, 0);
    gAlbedoSpec = createScreenTexture(screenWidth, screenHeight, GL_RGBA, GL_RGB, GL_UNSIGNED_BYTE);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0 + kOutputGAlbedoSpec, GL_TEXTURE_2D, gAlbedoSpec, 0);
    const GLenum attachments[3] = {GL_COLOR_ATTACHMENT0, GL_COLOR_ATTACHMENT1, GL_COLOR_ATTACHMENT2};
    glDrawBuffers(3, attachments);

    // The frame blits this depth into the window, and a depth blit needs
    // identical formats: the window has 24-bit depth with 8-bit stencil.
    GLuint depthRenderbuffer = 0;
    glGenRenderbuffers(1, &depthRenderbuffer);
    glBindRenderbuffer(GL_RENDERBUFFER, depthRenderbuffer);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH24_STENCIL8, screenWidth, screenHeight);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, GL_RENDERBUFFER, depthRenderbuffer);
    reportIfIncomplete("Framebuffer not complete!");
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
}

void RoomScene::createSsaoTargets() {
    glGenFramebuffers(1, &ssaoFBO);
    glGenFramebuffers(1, &ssaoBlurFBO);
    glBindFramebuffer(GL_FRAMEBUFFER, ssaoFBO);
    ssaoColorBuffer = createScreenTexture(screenWidth, screenHeight, GL_RED, GL_RGB, GL_FLOAT);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, ssaoColorBuffer, 0);
    reportIfIncomplete("SSAO Framebuffer not complete!");
    glBindFramebuffer(GL_FRAMEBUFFER, ssaoBlurFBO);
    ssaoColorBufferBlur = createScreenTexture(screenWidth, screenHeight, GL_RED, GL_RGB, GL_FLOAT);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, ssaoColorBufferBlur, 0);
    reportIfIncomplete("SSAO Blur Framebuffer not complete!");
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
}

void RoomScene::createSsaoKernelAndNoise() {
    // A fresh engine with the default seed: the same kernel and noise every run.
    std::mt19937 engine(5489u);
    for (const glm::vec3& sample : generateSsaoKernel(engine, kernelSize)) ssaoKernel.push_back(new glm::vec3(sample));
    const std::vector<glm::vec3> noise = generateSsaoNoise(engine);

    glGenTextures(1, &noiseTexture);
    glBindTexture(GL_TEXTURE_2D, noiseTexture);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB32F, kSsaoNoiseSide, kSsaoNoiseSide, 0, GL_RGB, GL_FLOAT, noise.data());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
}

void RoomScene::setupShadowMap() {
    glGenFramebuffers(1, &depthMapFBO);
    glGenTextures(1, &depthCubeMap);
    glBindTexture(GL_TEXTURE_CUBE_MAP, depthCubeMap);
    for (int face = 0; face < kShadowFaceCount; ++face)
        glTexImage2D(GL_TEXTURE_CUBE_MAP_POSITIVE_X + static_cast<GLenum>(face), 0, GL_DEPTH_COMPONENT, shadowWidth,
                     shadowHeight, 0, GL_DEPTH_COMPONENT, GL_FLOAT, nullptr);
    glTexParameteri(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_WRAP_R, GL_CLAMP_TO_EDGE);

    glBindFramebuffer(GL_FRAMEBUFFER, depthMapFBO);
    // Attaching the whole cube makes its six faces the layers of one target.
    glFramebufferTexture(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, depthCubeMap, 0);
    glDrawBuffer(GL_NONE);
    glReadBuffer(GL_NONE);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    if (outOfMemoryRaised()) renderTargetsOutOfMemory = true;

    glUseProgram(lightingShader->program);
    setSamplerUnits(lightingShader->program, kLightingShadowSamplerUnits);
}
