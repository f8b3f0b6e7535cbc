// The forward pass: the light cube with its transform uniforms, and the
// window it finishes.
#include "scene/passes/forward.h"

#include "scene/object_transforms.h"
#include "scene/room_scene.h"

using namespace forward_pass;

void RoomScene::setObjectUniforms(Camera& camera, float /*deltaTime*/, const glm::mat4& model, Shader* shader) {
    const ObjectTransforms t =
        computeObjectTransforms(camera.getViewMatrix(), camera.getViewProjectionMatrix(), model, lightPosition);
    const GLuint program = shader->program;
    setUniform(program, kUniformLightPosition, t.lightView);
    setUniform(program, kUniformModelViewProjMat, t.modelViewProj);
    setUniform(program, kUniformModelViewMat, t.modelView);
    setUniform(program, kUniformInverseModelViewMat, t.normalMatrix);
}

void RoomScene::renderForwardPass(Camera& camera, float deltaTime) {
    glUseProgram(standardShader->program);
    setObjectUniforms(camera, deltaTime, lightCubeModelMatrix, standardShader);
    lightCubeModel.draw();
}

void RoomScene::listForwardBuffers(std::vector<PassBuffer>& out) const {
    out.push_back({"final", BufferContent::WindowColor, 0});
}
