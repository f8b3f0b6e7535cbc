// One frame of the room: the lamp swing, then seven passes in a fixed order.
#include <cstddef>
#include <string>

#include "gpu/shader_contract.h"
#include "scene/room_scene.h"
#include "scene/shadow_transforms.h"
#include "scene/ssao_kernel.h"
#include "scene/uniforms.h"

namespace {

constexpr float kSsaoPower = 1.0f;
constexpr float kSsaoRadius = 5.0f;
constexpr float kNoiseTilesPerPixel = 1.0f / static_cast<float>(kSsaoNoiseSide);
const glm::vec3 kLightColor(1.0f, 1.0f, 1.0f);
constexpr float kLightLinear = 0.09f;
constexpr float kLightQuadratic = 0.0028f;

void bindTexture(GLint unit, GLenum target, GLuint texture) {
    glActiveTexture(GL_TEXTURE0 + static_cast<GLenum>(unit));
    glBindTexture(target, texture);
}

// textures[i] on the unit of samplers[i], in table order: the same tables
// that pointed the samplers at their units at set-up.
template <std::size_t N>
void bindTextures(const SamplerUnit (&samplers)[N], const GLuint (&textures)[N]) {
    for (std::size_t i = 0; i < N; ++i) bindTexture(samplers[i].unit, GL_TEXTURE_2D, textures[i]);
}

glm::vec3 viewSpace(Camera& camera, const glm::vec3& worldPosition) {
    return glm::vec3(camera.getViewMatrix() * glm::vec4(worldPosition, 1.0f));
}

}  // namespace

void RoomScene::render(Camera& camera, float deltaTime) {
    advanceLamp(deltaTime);
    renderPasses(camera, deltaTime);
}

// No time passes in a frame drawn again.
void RoomScene::renderAgain(Camera& camera) { renderPasses(camera, 0.0f); }

void RoomScene::renderPasses(Camera& camera, float deltaTime) {
    std::vector<glm::mat4> shadowTransforms;
    notifyPass(RenderPass::Geometry);
    renderGeometryPass(camera);
    notifyPass(RenderPass::Ssao);
    renderSsaoPass(camera);
    notifyPass(RenderPass::SsaoBlur);
    renderSsaoBlurPass();
    notifyPass(RenderPass::Shadow);
    renderShadowPass(shadowTransforms);
    notifyPass(RenderPass::Lighting);
    renderLightingPass(camera);
    notifyPass(RenderPass::DepthCopy);
    copyDepthToWindow();
    notifyPass(RenderPass::Forward);
    renderForwardPass(camera, deltaTime);
    notifyPass(RenderPass::FrameEnd);
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

void RoomScene::drawRoomAndLamp(GLuint program, const char* modelUniform, void (Model::*draw)()) {
    setUniform(program, modelUniform, sceneModelMatrix);
    (sceneModel.*draw)();
    setUniform(program, modelUniform, lampModelMatrix);
    // The lamp's shade is open: both sides of its faces are seen (and cast shadows).
    glDisable(GL_CULL_FACE);
    (lampModel.*draw)();
    glEnable(GL_CULL_FACE);
}

void RoomScene::renderSsaoPass(Camera& camera) {
    glBindFramebuffer(GL_FRAMEBUFFER, ssaoFBO);
    glClear(GL_COLOR_BUFFER_BIT);
    const GLuint program = bruteForceSsao_ ? bruteForceSsaoShader_->program : ssaoShader->program;
    glUseProgram(program);
    for (unsigned int i = 0; i < kernelSize; ++i)
        setUniform(program, indexedUniformName(kUniformSamplesPrefix, static_cast<int>(i)).c_str(), *ssaoKernel[i]);
    setUniform(program, kUniformProjection, camera.projectionMatrix);
    setUniform(program, kUniformPower, kSsaoPower);
    setUniform(program, kUniformRadius, kSsaoRadius);
    setUniform(program, kUniformNoiseScale,
               glm::vec2(static_cast<float>(screenWidth) * kNoiseTilesPerPixel,
                         static_cast<float>(screenHeight) * kNoiseTilesPerPixel));
    bindTextures(kSsaoSamplerUnits, {gPosition, gNormal, noiseTexture});
    renderQuad();
}

void RoomScene::renderSsaoBlurPass() {
    glBindFramebuffer(GL_FRAMEBUFFER, ssaoBlurFBO);
    glClear(GL_COLOR_BUFFER_BIT);
    glUseProgram(ssaoBlurShader->program);
    bindTextures(kSsaoBlurSamplerUnits, {ssaoColorBuffer});
    renderQuad();
}

void RoomScene::renderShadowPass(std::vector<glm::mat4>& shadowTransforms) {
    glViewport(0, 0, shadowWidth, shadowHeight);
    glBindFramebuffer(GL_FRAMEBUFFER, depthMapFBO);
    glClear(GL_DEPTH_BUFFER_BIT);
    const glm::mat4 shadowProjection = makeShadowProjection(shadowWidth, shadowHeight);
    shadowTransforms = computeShadowTransforms(shadowProjection, lightPosition);
    const GLuint program = depthShader->program;
    glUseProgram(program);
    for (int i = 0; i < kShadowFaceCount; ++i)
        setUniform(program, indexedUniformName(kUniformShadowTransformsPrefix, i).c_str(), shadowTransforms[i]);
    setUniform(program, kUniformFarPlane, kShadowFarPlane);
    setUniform(program, kUniformLightPos, lightPosition);
    // The meshes hold the geometry program's material locations: no material
    // write may reach the depth program.
    drawRoomAndLamp(program, kUniformModelMat, &Model::drawGeometryOnly);
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
    bindTextures(kLightingSamplerUnits, {gPosition, gNormal, gAlbedoSpec, ssaoColorBufferBlur});
    bindTexture(kLightingShadowSamplerUnits[0].unit, GL_TEXTURE_CUBE_MAP, depthCubeMap);
    renderQuad();
}

void RoomScene::copyDepthToWindow() {
    glBindFramebuffer(GL_READ_FRAMEBUFFER, gBuffer);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
    glBlitFramebuffer(0, 0, screenWidth, screenHeight, 0, 0, screenWidth, screenHeight, GL_DEPTH_BUFFER_BIT,
                      GL_NEAREST);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
}

void RoomScene::renderForwardPass(Camera& camera, float deltaTime) {
    glUseProgram(standardShader->program);
    setObjectUniforms(camera, deltaTime, lightCubeModelMatrix, standardShader);
    lightCubeModel.draw();
}
