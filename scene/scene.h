#pragma once

#include <glm/glm.hpp>

#include "camera/camera.h"
#include "gpu/shader.h"

// What the main loop renders once per frame.
class Scene {
public:
    // Transform uniforms of one forward-shaded object, set on shader's
    // program (which the caller has made current).
    virtual void setObjectUniforms(Camera& camera, float deltaTime, const glm::mat4& model, Shader* shader) = 0;
    // Draws one whole frame into the default framebuffer.
    virtual void render(Camera& camera, float deltaTime) = 0;

protected:
    // Scenes are never deleted through this interface.
    ~Scene() = default;
};
