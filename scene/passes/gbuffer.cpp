// The G-buffer pass: its targets, its drawing and what tools may read of it.
#include "scene/passes/gbuffer.h"

#include "scene/passes/targets.h"
#include "scene/room_scene.h"

using namespace gbuffer_pass;

void RoomScene::createGBuffer() {
    glGenFramebuffers(1, &gBuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, gBuffer);
    gPosition = createScreenTexture(screenWidth, screenHeight, GL_RGB16F, GL_RGB, GL_FLOAT);
    // Positions must not wrap around the screen edge when SSAO samples past it.
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0 + kOutputPosition, GL_TEXTURE_2D, gPosition, 0);
    gNormal = createScreenTexture(screenWidth, screenHeight, GL_RGB16F, GL_RGB, GL_FLOAT);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0 + kOutputNormal, GL_TEXTURE_2D, gNormal, 0);
    gAlbedoSpec = createScreenTexture(screenWidth, screenHeight, GL_RGBA, GL_RGB, GL_UNSIGNED_BYTE);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0 + kOutputAlbedoSpec, GL_TEXTURE_2D, gAlbedoSpec, 0);
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

void RoomScene::renderGeometryPass(Camera& camera) {
    glBindFramebuffer(GL_FRAMEBUFFER, gBuffer);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    const glm::mat4 view = camera.getViewMatrix();
    const GLuint program = geometryShader->program;
    glUseProgram(program);
    setUniform(program, kUniformProjection, camera.projectionMatrix);
    setUniform(program, kUniformView, view);
    drawRoomAndLamp(program, kUniformModel, &Model::draw);
}

void RoomScene::listGBufferBuffers(std::vector<PassBuffer>& out) const {
    out.push_back({"positions", BufferContent::ViewPosition, gPosition});
    out.push_back({"normals", BufferContent::OctahedralNormal, gNormal});
    out.push_back({"albedo", BufferContent::Albedo, gAlbedoSpec});
    out.push_back({"specular", BufferContent::SpecularIntensity, gAlbedoSpec});
}
