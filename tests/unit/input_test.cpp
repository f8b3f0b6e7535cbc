#include <cstring>

#include <gtest/gtest.h>

#include "app/input.h"
#include "camera/floating_camera.h"

namespace {

SDL_Event key(Uint32 type, SDL_Keycode sym, Uint8 repeat = 0) {
    SDL_Event e{};
    e.type = type;
    e.key.keysym.sym = sym;
    e.key.repeat = repeat;
    return e;
}

SDL_Event motion(int dx, int dy) {
    SDL_Event e{};
    e.type = SDL_MOUSEMOTION;
    e.motion.xrel = dx;
    e.motion.yrel = dy;
    return e;
}

SDL_Event button(Uint8 which) {
    SDL_Event e{};
    e.type = SDL_MOUSEBUTTONDOWN;
    e.button.button = which;
    return e;
}

TEST(InputMapping, MovementKeysSetAndClearTheirFlags) {
    InputState s;
    const SDL_Keycode keys[] = {SDLK_w, SDLK_s, SDLK_a, SDLK_d, SDLK_SPACE, SDLK_LSHIFT};
    bool* flags[] = {&s.forwardHeld, &s.backHeld, &s.leftHeld, &s.rightHeld, &s.upHeld, &s.downHeld};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(mapEvent(key(SDL_KEYDOWN, keys[i]), s, false, false).command, InputCommand::None);
        EXPECT_TRUE(*flags[i]) << i;
        for (int j = 0; j < 6; ++j) {
            if (j != i) {
                EXPECT_FALSE(*flags[j]) << i << " set " << j;
            }
        }
        mapEvent(key(SDL_KEYUP, keys[i]), s, false, false);
        EXPECT_FALSE(*flags[i]) << i;
    }
}

TEST(InputMapping, CommandKeysActOnKeyDownOnlyAndRepeatsCount) {
    InputState s;
    EXPECT_EQ(mapEvent(key(SDL_KEYDOWN, SDLK_p), s, false, false).command, InputCommand::ToggleProjection);
    EXPECT_EQ(mapEvent(key(SDL_KEYDOWN, SDLK_p, 1), s, false, false).command, InputCommand::ToggleProjection);
    EXPECT_EQ(mapEvent(key(SDL_KEYDOWN, SDLK_RETURN, 1), s, false, true).command, InputCommand::ToggleFlight);
    EXPECT_EQ(mapEvent(key(SDL_KEYDOWN, SDLK_ESCAPE), s, true, false).command, InputCommand::ReleaseMouse);
    EXPECT_EQ(mapEvent(key(SDL_KEYUP, SDLK_p), s, false, false).command, InputCommand::None);
    EXPECT_EQ(mapEvent(key(SDL_KEYUP, SDLK_RETURN), s, false, false).command, InputCommand::None);
    EXPECT_EQ(mapEvent(key(SDL_KEYUP, SDLK_ESCAPE), s, false, false).command, InputCommand::None);
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    EXPECT_EQ(mapEvent(quit, s, false, false).command, InputCommand::Quit);
}

TEST(InputMapping, RightShiftAndOtherKeysDoNothing) {
    InputState s;
    for (SDL_Keycode k : {SDLK_RSHIFT, SDLK_q, SDLK_UP, SDLK_LCTRL}) {
        EXPECT_EQ(mapEvent(key(SDL_KEYDOWN, k), s, false, false).command, InputCommand::None);
    }
    const InputState fresh;
    EXPECT_EQ(std::memcmp(&s, &fresh, sizeof s), 0);
}

TEST(InputMapping, MouseLookOnlyWhenCapturedAndNotFlying) {
    InputState s;
    EXPECT_EQ(mapEvent(motion(5, 3), s, false, false).command, InputCommand::None);
    EXPECT_EQ(mapEvent(motion(5, 3), s, true, true).command, InputCommand::None);
    const InputAction look = mapEvent(motion(5, -3), s, true, false);
    EXPECT_EQ(look.command, InputCommand::Look);
    EXPECT_FLOAT_EQ(look.lookX, 5.0f);
    EXPECT_FLOAT_EQ(look.lookY, -3.0f);
    EXPECT_EQ(mapEvent(button(SDL_BUTTON_LEFT), s, false, false).command, InputCommand::CaptureMouse);
    EXPECT_EQ(mapEvent(button(SDL_BUTTON_RIGHT), s, false, false).command, InputCommand::None);
}

TEST(HeldKeys, OppositeKeysCancelAndZeroDeltaMovesNothing) {
    FloatingCamera camera(1.0f);
    InputState s;
    s.forwardHeld = s.backHeld = s.leftHeld = s.rightHeld = s.upHeld = s.downHeld = true;
    applyHeldKeys(s, camera, 0.5f);
    EXPECT_NEAR(glm::length(camera.position), 0.0f, 1e-5f);

    InputState forward;
    forward.forwardHeld = true;
    applyHeldKeys(forward, camera, 0.0f);
    EXPECT_EQ(camera.position, glm::vec3(0.0f));
    applyHeldKeys(forward, camera, 0.5f);  // 10 units per second
    EXPECT_NEAR(camera.position.z, -5.0f, 1e-5f);
}

TEST(ProjectionToggle, AlternatesStartingWithOrtho) {
    FloatingCamera camera(1.0f);
    InputState s;
    toggleProjection(s, camera);
    EXPECT_TRUE(s.orthoActive);
    EXPECT_EQ(camera.projectionMatrix, camera.orthoMatrix);
    toggleProjection(s, camera);
    EXPECT_FALSE(s.orthoActive);
    EXPECT_EQ(camera.projectionMatrix, camera.perspectiveMatrix);
}

}  // namespace
