#pragma once

#include <glm/glm.hpp>

// The lamp's pendulum swing. The matrices are advanced step by step every
// frame, never rebuilt from the angle, so the swing's own state is the
// direction and the accumulated angle alone.

constexpr float kSwingRate = 0.2f;          // radians per second
constexpr float kSwingTurnAngle = 0.4f;     // turn around past +-this angle
constexpr float kLightPivotOffset = 12.0f;  // along the light cube's local y axis

struct LampSwing {
    float swingDirection = 1.0f;
    float swingAngle = 0.0f;

    // Accumulates one step and returns it; the direction flips once the
    // angle has passed the turn-around angle, taking effect next step.
    float advance(float deltaTime);
};

// Turns the lamp about its own origin and the light cube about a pivot
// kLightPivotOffset up its local y axis, then reads the light position back
// from the cube's translation.
void applySwingStep(float step, glm::mat4& lampModelMatrix, glm::mat4& lightCubeModelMatrix, glm::vec3& lightPosition);

// Everything the swing moves, as one value: the swing itself, the lamp's and
// the light cube's model matrices and the light's world position. The scene
// advances it every frame; callers read it, start it afresh or set it.
struct LampState {
    LampSwing swing;
    glm::mat4 lampModelMatrix{1.0f};
    glm::mat4 lightCubeModelMatrix{1.0f};
    glm::vec3 lightPosition{0.0f};

    // As the scene is built: the light at (0, 2.8, 3) inside a cube scaled by
    // 0.1, the lamp hanging above it from (0, 4, 3), the swing at rest.
    static LampState atStart();
    // After the given seconds of swing from the start, in frames of frameTime.
    static LampState at(float seconds, float frameTime);

    // One frame's swing: a single step of the frame's own length.
    void advance(float deltaTime);
};
