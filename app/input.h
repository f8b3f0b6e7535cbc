#pragma once

#include <SDL_events.h>

#include "camera/fps_camera.h"

// Held movement keys and the projection toggle; all false at start.
struct InputState {
    bool forwardHeld = false;
    bool backHeld = false;
    bool leftHeld = false;
    bool rightHeld = false;
    bool upHeld = false;
    bool downHeld = false;
    bool orthoActive = false;
};

// What an event asks of the frame loop beyond the held-key flags.
enum class InputCommand {
    None,
    Quit,
    ToggleProjection,
    ToggleFlight,
    CaptureMouse,
    ReleaseMouse,
    Look,
};

struct InputAction {
    InputCommand command = InputCommand::None;
    float lookX = 0.0f;  // for Look: the relative mouse motion in pixels
    float lookY = 0.0f;
};

// Maps one SDL event to an action and updates the held-key flags. Pure: SDL's
// relative mouse mode and the flight flag come in as arguments.
InputAction mapEvent(const SDL_Event& event, InputState& state, bool relativeMouseMode, bool flying);

// Moves the camera by the held keys at 10 units per second.
void applyHeldKeys(const InputState& state, FPSCamera& camera, float deltaTime);

// P: swap the camera's projection between perspective and orthographic.
void toggleProjection(InputState& state, Camera& camera);
