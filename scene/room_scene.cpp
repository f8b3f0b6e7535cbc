#include "scene/room_scene.h"

#include <glm/gtc/matrix_transform.hpp>

#include "gpu/shader_contract.h"
#include "scene/shadow_transforms.h"
#include "scene/ssao_kernel.h"

namespace {

const char* const kLightCubeModelPath = "models/lightCube/light_cube.bmf";
const char* const kSceneModelPath = "models/final_scene/final_scene.bmf";
const char* const kLampModelPath = "models/lamp2/lamp2.bmf";

const glm::vec3 kInitialLightPosition(0.0f, 2.8f, 3.0f);
constexpr float kLightCubeScale = 0.1f;
constexpr float kLampHeight = 4.0f;  // the lamp hangs from here, above the light

Shader* buildProgram(const ProgramSources& sources) {
    return new Shader(sources.vertex, sources.geometry, sources.fragment);
}

}  // namespace

RoomScene::RoomScene(int width, int height) : RoomScene(width, height, nullptr) {}

RoomScene::RoomScene(int width, int height, SceneBuildObserver* buildObserver)
    : lightPosition(kInitialLightPosition),
      screenWidth(width),
      screenHeight(height),
      shadowWidth(kShadowMapSize),
      shadowHeight(kShadowMapSize),
      kernelSize(kSsaoKernelSize) {
    const auto notify = [buildObserver](SceneBuildStep next) {
        if (buildObserver != nullptr) buildObserver->buildStep(next);
    };
    notify(SceneBuildStep::ShaderPrograms);
    geometryShader = buildProgram(kGeometryProgramSources);
    lightingShader = buildProgram(kLightingProgramSources);
    ssaoShader = buildProgram(kSsaoProgramSources);
    ssaoBlurShader = buildProgram(kSsaoBlurProgramSources);
    depthShader = buildProgram(kDepthProgramSources);
    standardShader = buildProgram(kStandardProgramSources);

    lightCubeModelMatrix = glm::translate(lightCubeModelMatrix, lightPosition);
    lightCubeModelMatrix = glm::scale(lightCubeModelMatrix, glm::vec3(kLightCubeScale));
    lampModelMatrix = glm::translate(lampModelMatrix, glm::vec3(lightPosition.x, kLampHeight, lightPosition.z));

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
    sceneModel.load(kSceneModelPath, geometryShader);
    lampModel.load(kLampModelPath, geometryShader);
    glUseProgram(standardShader->program);
    lightCubeModel.load(kLightCubeModelPath, standardShader);
    notify(SceneBuildStep::Done);
}

RoomScene::~RoomScene() {
    for (Shader** shader :
         {&geometryShader, &lightingShader, &ssaoShader, &ssaoBlurShader, &depthShader, &standardShader}) {
        delete *shader;
        *shader = nullptr;
    }
    for (glm::vec3* sample : ssaoKernel) delete sample;
    ssaoKernel.clear();
    ssaoKernel.shrink_to_fit();
    // The models follow as members, in reverse declaration order: lamp, room, light cube.
}

LampSwing& RoomScene::swingState() {
    static LampSwing swing;
    return swing;
}

std::vector<glm::mat4> RoomScene::computeShadowTransforms(glm::mat4 shadowProjection, glm::vec3 lightPos) {
    return ::computeShadowTransforms(shadowProjection, lightPos);
}
