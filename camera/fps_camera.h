#pragma once

#include "camera/camera.h"

// Yaw/pitch orientation with mouse-look rotation and first-person movement.
class FPSCamera : public Camera {
public:
    explicit FPSCamera(float aspect);

    void update() override;

    void rotate(float xOffset, float yOffset);
    void moveForward(float amount);
    void moveRight(float amount);
    void moveUp(float amount);
    void resetOrientation();

    float yaw;
    float pitch;
    glm::vec3 front;
    float sensitivity;
    glm::vec3 up;

protected:
    ~FPSCamera() = default;

private:
    void recomputeFront();
};
