// The lighting pass and the depth copy that follows it: the lighting
// program's samplers and the drawing of both.
#include "scene/passes/lighting.h"

#include "scene/room_scene.h"
#include "scene/shadow_transforms.h"

using namespace lighting_pass;

namespace {

glm::vec3 viewSpace(Camera& camera, const glm::vec3& worldPosition) {
    return glm::vec3(camera.getViewMatrix() * glm::vec4(worldPosition, 1.0f));
}

}  // namespace

void RoomScene::setLightingSamplerUnits() {
    glUseProgram(lightingShader->program);
    setSamplerUnits(lightingShader->program, kSamplerUnits);
}

void RoomScene::setLightingShadowSamplerUnit() {
    glUseProgram(lightingShader->program);
    setSamplerUnits(lightingShader->program, kShadowSamplerUnits);
}

void RoomScene::renderLightingPass(Camera& camera) {
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glViewport(0, 0, screenWidth, screenHeight);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    const GLuint program = lightingShader->program;
    glUseProgram(program);
    setUniform(program, kUniformPointLightPosition, viewSpace(camera, lightPosition));
    setUniform(program, kUniformPointLightColor, kLightColor);
    setUniform(program, kUniformPointLightLinear, kLightLinear);
    setUniform(program, kUniformPointLightQuadratic, kLightQuadratic);
    setUniform(program, kUniformFarPlane, kShadowFarPlane);
    setUniform(program, kUniformViewMatrix, camera.getViewMatrix());
    bindTextures(kSamplerUnits, {gPosition, gNormal, gAlbedoSpec, ssaoColorBufferBlur});
    bindTexture(kShadowSamplerUnits[0].unit, GL_TEXTURE_CUBE_MAP, depthCubeMap);
    renderQuad();
}

void RoomScene::copyDepthToWindow() {
    glBindFramebuffer(GL_READ_FRAMEBUFFER, gBuffer);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
    glBlitFramebuffer(0, 0, screenWidth, screenHeight, 0, 0, screenWidth, screenHeight, GL_DEPTH_BUFFER_BIT,
                      GL_NEAREST);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
}
