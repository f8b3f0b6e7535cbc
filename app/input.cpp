#include "app/input.h"

namespace {

constexpr float kMoveSpeed = 10.0f;

bool* heldFlag(SDL_Keycode key, InputState& state) {
    switch (key) {
        case SDLK_w: return &state.forwardHeld;
        case SDLK_s: return &state.backHeld;
        case SDLK_a: return &state.leftHeld;
        case SDLK_d: return &state.rightHeld;
        case SDLK_SPACE: return &state.upHeld;
        case SDLK_LSHIFT: return &state.downHeld;
        default: return nullptr;
    }
}

InputAction command(InputCommand c) {
    InputAction action;
    action.command = c;
    return action;
}

}  // namespace

InputAction mapEvent(const SDL_Event& event, InputState& state, bool relativeMouseMode, bool flying) {
    switch (event.type) {
        case SDL_QUIT: return command(InputCommand::Quit);
        case SDL_KEYDOWN: {
            // Key repeats are deliberately not filtered: they act like new presses.
            const SDL_Keycode key = event.key.keysym.sym;
            if (key == SDLK_p) return command(InputCommand::ToggleProjection);
            if (key == SDLK_RETURN) return command(InputCommand::ToggleFlight);
            if (key == SDLK_ESCAPE) return command(InputCommand::ReleaseMouse);
            if (bool* flag = heldFlag(key, state)) *flag = true;
            return {};
        }
        case SDL_KEYUP:
            if (bool* flag = heldFlag(event.key.keysym.sym, state)) *flag = false;
            return {};
        case SDL_MOUSEMOTION:
            if (!relativeMouseMode || flying) return {};
            return {InputCommand::Look, static_cast<float>(event.motion.xrel), static_cast<float>(event.motion.yrel)};
        case SDL_MOUSEBUTTONDOWN:
            if (event.button.button == SDL_BUTTON_LEFT) return command(InputCommand::CaptureMouse);
            return {};
        default: return {};
    }
}

void applyHeldKeys(const InputState& state, FPSCamera& camera, float deltaTime) {
    const float speed = kMoveSpeed * deltaTime;
    if (state.forwardHeld) camera.moveForward(speed);
    if (state.backHeld) camera.moveForward(-speed);
    if (state.leftHeld) camera.moveRight(-speed);
    if (state.rightHeld) camera.moveRight(speed);
    if (state.upHeld) camera.moveUp(speed);
    if (state.downHeld) camera.moveUp(-speed);
}

void toggleProjection(InputState& state, Camera& camera) {
    camera.projectionMatrix = state.orthoActive ? camera.perspectiveMatrix : camera.orthoMatrix;
    state.orthoActive = !state.orthoActive;
}
