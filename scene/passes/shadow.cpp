// The shadow pass: its framebuffer and depth cube map, its drawing and what
// tools may read of it.
#include "scene/passes/shadow.h"

#include "scene/passes/targets.h"
#include "scene/room_scene.h"
#include "scene/shadow_transforms.h"

using namespace shadow_pass;

void RoomScene::createShadowMap() {
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
}

void RoomScene::renderShadowPass() {
    glViewport(0, 0, shadowWidth, shadowHeight);
    glBindFramebuffer(GL_FRAMEBUFFER, depthMapFBO);
    glClear(GL_DEPTH_BUFFER_BIT);
    const glm::mat4 shadowProjection = makeShadowProjection(shadowWidth, shadowHeight);
    const std::vector<glm::mat4> shadowTransforms = computeShadowTransforms(shadowProjection, lightPosition);
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

std::vector<glm::mat4> RoomScene::computeShadowTransforms(glm::mat4 shadowProjection, glm::vec3 lightPos) {
    return ::computeShadowTransforms(shadowProjection, lightPos);
}

void RoomScene::listShadowBuffers(std::vector<PassBuffer>& out) const {
    out.push_back({"shadow_cube", BufferContent::ShadowDepth, depthCubeMap});
}
