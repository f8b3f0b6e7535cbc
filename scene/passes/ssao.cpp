// The SSAO pass and its blur: their targets, the kernel and noise, the
// programs' samplers, their drawing and what tools may read of them.
#include "scene/passes/ssao.h"

#include <random>

#include "scene/passes/targets.h"
#include "scene/room_scene.h"

using namespace ssao_pass;

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

void RoomScene::setSsaoSamplerUnits() {
    glUseProgram(ssaoShader->program);
    setSamplerUnits(ssaoShader->program, kSamplerUnits);
    glUseProgram(ssaoBlurShader->program);
    setSamplerUnits(ssaoBlurShader->program, kBlurSamplerUnits);
}

bool RoomScene::useBruteForceSsao(bool on, std::string& error) {
    if (on && bruteForceSsaoShader_ == nullptr) {
        Shader* twin = buildProgram(kBruteForceProgram);
        GLint linked = GL_FALSE;
        glGetProgramiv(twin->program, GL_LINK_STATUS, &linked);
        if (linked != GL_TRUE) {
            delete twin;
            error = "the brute-force SSAO program did not link";
            return false;
        }
        glUseProgram(twin->program);
        setSamplerUnits(twin->program, kSamplerUnits);
        bruteForceSsaoShader_ = twin;
    }
    bruteForceSsao_ = on;
    return true;
}

void RoomScene::renderSsaoPass(Camera& camera) {
    glBindFramebuffer(GL_FRAMEBUFFER, ssaoFBO);
    glClear(GL_COLOR_BUFFER_BIT);
    const GLuint program = bruteForceSsao_ ? bruteForceSsaoShader_->program : ssaoShader->program;
    glUseProgram(program);
    for (unsigned int i = 0; i < kernelSize; ++i)
        setUniform(program, indexedUniformName(kUniformSamplesPrefix, static_cast<int>(i)).c_str(), *ssaoKernel[i]);
    setUniform(program, kUniformProjection, camera.projectionMatrix);
    setUniform(program, kUniformPower, kPower);
    setUniform(program, kUniformRadius, kRadius);
    setUniform(program, kUniformNoiseScale,
               glm::vec2(static_cast<float>(screenWidth) * kNoiseTilesPerPixel,
                         static_cast<float>(screenHeight) * kNoiseTilesPerPixel));
    bindTextures(kSamplerUnits, {gPosition, gNormal, noiseTexture});
    renderQuad();
}

void RoomScene::renderSsaoBlurPass() {
    glBindFramebuffer(GL_FRAMEBUFFER, ssaoBlurFBO);
    glClear(GL_COLOR_BUFFER_BIT);
    glUseProgram(ssaoBlurShader->program);
    bindTextures(kBlurSamplerUnits, {ssaoColorBuffer});
    renderQuad();
}

void RoomScene::listSsaoBuffers(std::vector<PassBuffer>& out) const {
    out.push_back({"ssao_raw", BufferContent::PackedOcclusion, ssaoColorBuffer});
    out.push_back({"ssao_blur", BufferContent::Occlusion, ssaoColorBufferBlur});
}
