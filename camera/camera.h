#pragma once

#include <glm/glm.hpp>

// Eye position plus the two fixed projections; the scene reads the matrices.
class Camera {
public:
    explicit Camera(float aspect);

    virtual glm::mat4 getViewProjectionMatrix();
    virtual glm::mat4 getViewMatrix();
    virtual void update();
    virtual void translate(const glm::vec3& delta);
    virtual void setPosition(const glm::vec3& p);

    glm::vec3 position;
    glm::mat4 perspectiveMatrix;
    glm::mat4 orthoMatrix;
    glm::mat4 projectionMatrix;
    glm::mat4 viewMatrix;
    glm::mat4 viewProjectionMatrix;

protected:
    // Cameras are never deleted through a base pointer.
    ~Camera() = default;
};
