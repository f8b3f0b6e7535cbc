#pragma once

#include <glm/glm.hpp>

// The lamp's pendulum swing. The matrices are advanced step by step every
// frame, never rebuilt from the angle, so the state is the direction and the
// accumulated angle alone.

constexpr float kSwingRate = 0.2f;        // radians per second
constexpr float kSwingTurnAngle = 0.4f;   // turn around past +-this angle
constexpr float kLightPivotOffset = 12.0f;  // along the light cube's local y axis

struct LampSwing {
    float swingDirection = 1.0f;
    float swingAngle = 0.0f;

    // Accumulates one frame's step and returns it; the direction flips once
    // the angle has passed the turn-around angle, taking effect next frame.
    float advance(float deltaTime);
};

// Turns the lamp about its own origin and the light cube about a pivot
// kLightPivotOffset up its local y axis, then reads the light position back
// from the cube's translation.
void applySwingStep(float step, glm::mat4& lampModelMatrix, glm::mat4& lightCubeModelMatrix,
                    glm::vec3& lightPosition);
