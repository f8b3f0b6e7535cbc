#pragma once

#include <SDL.h>

#include "app/flight.h"
#include "app/input.h"
#include "camera/floating_camera.h"

class RoomScene;

// The GL state every frame relies on, set once before the first frame: back
// faces culled, counter-clockwise front faces, depth test.
void setFixedFrameState();
// The first drawing of every frame: the window cleared to the demo's colour.
void clearFrame();
// The camera as the demo starts it, before the flight takes over.
FloatingCamera startCamera(float aspect);

// Sees each frame that a FrameLoop draws, around the scene's render call.
class FrameObserver {
public:
    virtual void beforeRender() {}
    // The frame is drawn and not yet shown: the place to read it back.
    virtual void afterRender() {}

protected:
    ~FrameObserver() = default;
};

// What a frame of the demo is outside the scene: the fixed GL state, events,
// clear, held keys, flight step, camera update, render, swap, and for rtg the
// clock and the frame-rate line. rtg runs it on the real clock; the benchmark
// and the tests drive it with simulated frame times.
class FrameLoop {
public:
    // The camera at its start, the flight from its first point. followInput:
    // the demo's keys and mouse act; otherwise only a quit request counts
    // (runs that must show the same frames every time). The scene and the
    // window outlive the loop.
    FrameLoop(RoomScene& scene, SDL_Window* window, bool followInput = true);
    FrameLoop(const FrameLoop&) = delete;
    FrameLoop& operator=(const FrameLoop&) = delete;

    // rtg: frames on the performance counter, each followed by its
    // "Frames per Second: N" line, until a quit request has been seen.
    void run();

    // One frame whose previous frame took deltaTime seconds (0 for the
    // first). Returns false once a quit was requested; the frame is still
    // drawn and shown.
    bool frame(float deltaTime, FrameObserver* observer = nullptr);
    // The frame just shown drawn once more, with nothing moving.
    bool redraw(FrameObserver* observer = nullptr);
    // What a frame of deltaTime does to the camera, the flight and the lamp,
    // without drawing it.
    void advance(float deltaTime);
    // Camera, flight and lamp swing back to where the demo starts.
    void restart();

    bool quitRequested() const { return quitRequested_; }
    FloatingCamera& camera() { return camera_; }
    Flight& flight() { return flight_; }
    InputState& input() { return input_; }

private:
    void handleEvents();
    void moveCamera(float deltaTime);
    // What every frame does before its camera step and render call (the
    // fixed state once, events, clear) and after it (observer, swap).
    void beginFrame();
    bool endFrame(FrameObserver* observer);

    RoomScene& scene_;
    SDL_Window* window_;
    bool followInput_;
    FloatingCamera camera_;
    Flight flight_;
    InputState input_;
    bool quitRequested_ = false;
    bool fixedStateSet_ = false;
};
