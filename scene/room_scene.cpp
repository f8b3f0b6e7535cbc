#include "scene/room_scene.h"

#include "gpu/gl_errors.h"
#include "scene/passes/forward.h"
#include "scene/passes/gbuffer.h"
#include "scene/passes/lighting.h"
#include "scene/passes/shadow.h"
#include "scene/passes/ssao.h"
#include "scene/room_facts.h"
#include "scene/shadow_transforms.h"
#include "scene/ssao_kernel.h"
#include "scene/uniforms.h"

RoomScene::RoomScene(int width, int height) : RoomScene(width, height, nullptr) {}

RoomScene::RoomScene(int width, int height, SceneBuildObserver* buildObserver)
    : screenWidth(width),
      screenHeight(height),
      shadowWidth(kShadowMapSize),
      shadowHeight(kShadowMapSize),
      kernelSize(kSsaoKernelSize) {
    const auto notify = [buildObserver](SceneBuildStep next) {
        if (buildObserver != nullptr) buildObserver->buildStep(next);
    };
    notify(SceneBuildStep::ShaderPrograms);
    geometryShader = buildProgram(gbuffer_pass::kProgram);
    lightingShader = buildProgram(lighting_pass::kProgram);
    ssaoShader = buildProgram(ssao_pass::kProgram);
    ssaoBlurShader = buildProgram(ssao_pass::kBlurProgram);
    depthShader = buildProgram(shadow_pass::kProgram);
    standardShader = buildProgram(forward_pass::kProgram);

    // The swing itself is process-wide and goes on where it is.
    const LampState start = LampState::atStart();
    lightPosition = start.lightPosition;
    lightCubeModelMatrix = start.lightCubeModelMatrix;
    lampModelMatrix = start.lampModelMatrix;

    notify(SceneBuildStep::RenderTargets);
    setupDeferredBuffers();
    setupShadowMap();
    if (renderTargetsOutOfMemory) {
        // Nothing could be drawn; the owner ends the program.
        notify(SceneBuildStep::Done);
        return;
    }

    notify(SceneBuildStep::Models);
    glUseProgram(geometryShader->program);
    sceneModel.load(room::kSceneModelPath, geometryShader);
    lampModel.load(room::kLampModelPath, geometryShader);
    glUseProgram(standardShader->program);
    lightCubeModel.load(room::kLightCubeModelPath, standardShader);
    notify(SceneBuildStep::Done);
}

RoomScene::~RoomScene() {
    for (Shader** shader :
         {&geometryShader, &lightingShader, &ssaoShader, &ssaoBlurShader, &depthShader, &standardShader}) {
        delete *shader;
        *shader = nullptr;
    }
    delete bruteForceSsaoShader_;
    for (glm::vec3* sample : ssaoKernel) delete sample;
    ssaoKernel.clear();
    ssaoKernel.shrink_to_fit();
    // The models follow as members, in reverse declaration order: lamp, room, light cube.
}

void RoomScene::setupDeferredBuffers() {
    drainGlErrors();  // earlier errors are not the targets'
    createGBuffer();
    createSsaoTargets();
    createSsaoKernelAndNoise();
    if (drainGlErrors().outOfMemory) renderTargetsOutOfMemory = true;
    setLightingSamplerUnits();
    setSsaoSamplerUnits();
}

void RoomScene::setupShadowMap() {
    createShadowMap();
    if (drainGlErrors().outOfMemory) renderTargetsOutOfMemory = true;
    setLightingShadowSamplerUnit();
}

void RoomScene::render(Camera& camera, float deltaTime) {
    advanceLamp(deltaTime);
    renderPasses(camera, deltaTime);
}

// No time passes in a frame drawn again.
void RoomScene::renderAgain(Camera& camera) { renderPasses(camera, 0.0f); }

void RoomScene::renderPasses(Camera& camera, float deltaTime) {
    notifyPass(RenderPass::Geometry);
    renderGeometryPass(camera);
    notifyPass(RenderPass::Ssao);
    renderSsaoPass(camera);
    notifyPass(RenderPass::SsaoBlur);
    renderSsaoBlurPass();
    notifyPass(RenderPass::Shadow);
    renderShadowPass();
    notifyPass(RenderPass::Lighting);
    renderLightingPass(camera);
    notifyPass(RenderPass::DepthCopy);
    copyDepthToWindow();
    notifyPass(RenderPass::Forward);
    renderForwardPass(camera, deltaTime);
    notifyPass(RenderPass::FrameEnd);
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

LampSwing& RoomScene::swingState() {
    static LampSwing swing;
    return swing;
}

LampState RoomScene::lampState() const {
    LampState state;
    state.swing = swingState();
    state.lampModelMatrix = lampModelMatrix;
    state.lightCubeModelMatrix = lightCubeModelMatrix;
    state.lightPosition = lightPosition;
    return state;
}

void RoomScene::setLampState(const LampState& state) {
    swingState() = state.swing;
    lampModelMatrix = state.lampModelMatrix;
    lightCubeModelMatrix = state.lightCubeModelMatrix;
    lightPosition = state.lightPosition;
}

void RoomScene::advanceLamp(float deltaTime) {
    LampState state = lampState();
    state.advance(deltaTime);
    setLampState(state);
}

std::vector<PassBuffer> RoomScene::passBuffers() const {
    std::vector<PassBuffer> buffers;
    listGBufferBuffers(buffers);
    listSsaoBuffers(buffers);
    listShadowBuffers(buffers);
    listForwardBuffers(buffers);
    return buffers;
}
