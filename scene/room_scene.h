#pragma once

#include <string>
#include <vector>

#include <GL/glew.h>
#include <glm/glm.hpp>

#include "model/model.h"
#include "scene/lamp_swing.h"
#include "scene/render_pass.h"
#include "scene/scene.h"

// The room with its swinging lamp and one point light, rendered with deferred
// shading, screen-space ambient occlusion and a point-light shadow cube.
// Construction needs a current GL context; the render targets keep the size
// given here for the whole run.
class RoomScene final : public Scene {
public:
    RoomScene(int screenWidth, int screenHeight);
    // The same construction, telling the observer (may be null) each step.
    RoomScene(int screenWidth, int screenHeight, SceneBuildObserver* buildObserver);
    // Deletes the six programs, the kernel samples and the models. The render
    // targets, textures and the quad end with the GL context.
    ~RoomScene();
    RoomScene(const RoomScene&) = delete;
    RoomScene& operator=(const RoomScene&) = delete;

    void setObjectUniforms(Camera& camera, float deltaTime, const glm::mat4& model, Shader* shader) override;
    // The lamp swing (advanceLamp), then the seven passes (renderAgain).
    void render(Camera& camera, float deltaTime) override;

    // The swing step of render alone, for replaying frames without drawing them.
    void advanceLamp(float deltaTime);
    // The seven passes alone: the world as it stands drawn once more, e.g.
    // with another SSAO program, while nothing moves.
    void renderAgain(Camera& camera);

    // The swing's state (process-wide) with this scene's lamp, light cube and
    // light, as one value; setting it writes all of them.
    LampState lampState() const;
    void setLampState(const LampState& state);
    // Told at every pass boundary when set (null: nobody).
    void setPassObserver(RenderPassObserver* observer) { passObserver_ = observer; }
    // The textures the passes write, in frame order, the window last: what
    // a tool can read back after render and before the swap.
    std::vector<PassBuffer> passBuffers() const;

    // G-buffer, SSAO and blur targets, kernel, noise texture and the sampler
    // units of the lighting, SSAO and blur programs.
    void setupDeferredBuffers();
    // Shadow framebuffer and its depth cube map; the lighting program's cube unit.
    void setupShadowMap();
    // The program of the SSAO pass: the scene's own interleaved ssaoShader,
    // or (on) its brute-force twin that tests all 32 samples in every pixel,
    // built on first use from shaders/ssao_full.frag. False with the reason
    // when the twin cannot be built; the pass then keeps ssaoShader.
    bool useBruteForceSsao(bool on, std::string& error);
    // A quad over the whole viewport, built on first use.
    void renderQuad();
    std::vector<glm::mat4> computeShadowTransforms(glm::mat4 shadowProjection, glm::vec3 lightPos);

    // The swing state is one pair for the whole process, whatever the number
    // of scenes; lampState and setLampState read and write it with the rest.
    static LampSwing& swingState();

    Model lightCubeModel;
    Model sceneModel;
    Model lampModel;
    Shader* geometryShader = nullptr;
    Shader* lightingShader = nullptr;
    Shader* ssaoShader = nullptr;
    Shader* ssaoBlurShader = nullptr;
    Shader* depthShader = nullptr;
    Shader* standardShader = nullptr;
    glm::vec3 lightPosition{0.0f};
    glm::mat4 lampModelMatrix{1.0f};
    glm::mat4 sceneModelMatrix{1.0f};
    glm::mat4 lightCubeModelMatrix{1.0f};
    int screenWidth = 0;
    int screenHeight = 0;
    int shadowWidth = 0;
    int shadowHeight = 0;
    GLuint depthMapFBO = 0;
    GLuint depthCubeMap = 0;
    GLuint gBuffer = 0;
    GLuint gPosition = 0;
    GLuint gNormal = 0;
    GLuint gAlbedoSpec = 0;
    GLuint ssaoFBO = 0;
    GLuint ssaoBlurFBO = 0;
    GLuint ssaoColorBuffer = 0;
    GLuint ssaoColorBufferBlur = 0;
    unsigned int kernelSize = 0;
    std::vector<glm::vec3*> ssaoKernel;
    GLuint noiseTexture = 0;
    GLuint quadVAO = 0;
    GLuint quadVBO = 0;
    // Set when creating the render targets raised GL_OUT_OF_MEMORY; the
    // models are then not loaded, and the owner ends before the first frame.
    bool renderTargetsOutOfMemory = false;

private:
    void notifyPass(RenderPass next) {
        if (passObserver_ != nullptr) passObserver_->passBoundary(next);
    }
    // The seven passes; deltaTime only goes on to setObjectUniforms.
    void renderPasses(Camera& camera, float deltaTime);
    // The room, then the lamp with culling off, each placed through modelUniform.
    void drawRoomAndLamp(GLuint program, const char* modelUniform, void (Model::*draw)());

    // Each pass's set-up, drawing and buffers, in the file of that pass
    // (scene/passes/): the G-buffer pass,
    void createGBuffer();
    void renderGeometryPass(Camera& camera);
    void listGBufferBuffers(std::vector<PassBuffer>& out) const;
    // the SSAO pass and its blur,
    void createSsaoTargets();
    void createSsaoKernelAndNoise();
    void setSsaoSamplerUnits();
    void renderSsaoPass(Camera& camera);
    void renderSsaoBlurPass();
    void listSsaoBuffers(std::vector<PassBuffer>& out) const;
    // the shadow pass,
    void createShadowMap();
    void renderShadowPass();
    void listShadowBuffers(std::vector<PassBuffer>& out) const;
    // the lighting pass with the depth copy,
    void setLightingSamplerUnits();
    void setLightingShadowSamplerUnit();
    void renderLightingPass(Camera& camera);
    void copyDepthToWindow();
    // and the forward pass.
    void renderForwardPass(Camera& camera, float deltaTime);
    void listForwardBuffers(std::vector<PassBuffer>& out) const;

    RenderPassObserver* passObserver_ = nullptr;
    Shader* bruteForceSsaoShader_ = nullptr;  // owned; built on request
    bool bruteForceSsao_ = false;
};
