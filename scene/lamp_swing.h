#pragma once

#include <glm/glm.hpp>

#include "scene/room_facts.h"

// The lamp's pendulum swing. The matrices are advanced step by step every
// frame, never rebuilt from the angle, so the swing's own state is the
// direction and the accumulated angle alone. Where the lamp and the light
// hang and where the swing turns are the room's facts (scene/room_facts.h).

constexpr float kSwingRate = 0.2f;  // radians per second

struct LampSwing {
    float swingDirection = 1.0f;
    float swingAngle = 0.0f;

    // Accumulates one step and returns it; the direction flips once the
    // angle has passed the turn-around angle, taking effect next step.
    float advance(float deltaTime);
};

// Turns the lamp about its own origin and the light cube about a pivot
// room::kLightPivotOffset up its local y axis, then reads the light position
// back from the cube's translation.
void applySwingStep(float step, glm::mat4& lampModelMatrix, glm::mat4& lightCubeModelMatrix, glm::vec3& lightPosition);

// Everything the swing moves, as one value: the swing itself, the lamp's and
// the light cube's model matrices and the light's world position. The scene
// advances it every frame; callers read it, start it afresh or set it.
struct LampState {
    LampSwing swing;
    glm::mat4 lampModelMatrix{1.0f};
    glm::mat4 lightCubeModelMatrix{1.0f};
    glm::vec3 lightPosition{0.0f};

    // As the scene is built: the light at rest inside its scaled cube, the
    // lamp at its pivot above it, the swing at rest.
    static LampState atStart();
    // Turned from rest by angle radians (either sign) in the one frame that
    // takes, as a long frame turns it: a pose for the generator and its preview.
    static LampState swungBy(float angle);

    // One frame's swing: a single step of the frame's own length.
    void advance(float deltaTime);
};
