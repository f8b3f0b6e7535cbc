#pragma once

#include "camera/fps_camera.h"

// The camera the program flies: an FPSCamera with nothing of its own.
class FloatingCamera final : public FPSCamera {
public:
    explicit FloatingCamera(float aspect) : FPSCamera(aspect) {}
    ~FloatingCamera() = default;
};
