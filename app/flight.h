#pragma once

#include <cstddef>
#include <vector>

#include <glm/glm.hpp>

#include "camera/fps_camera.h"

constexpr std::size_t kFlightPointCount = 49;

// The scripted path through the room, in world units, and the per-segment
// yaw/pitch turn rates (row i applies while flying from point i to i + 1).
std::vector<glm::vec3> makeFlightPoints();
std::vector<glm::vec2> makeFlightRates();

// The camera flight: on from the first frame, holds at the final point,
// Return stops it and a second Return restarts it from point 0.
struct Flight {
    Flight();

    // One frame of the flight, one step of the frame's own length, so a slow
    // machine or a stall flies a different path; does nothing while the flight
    // is off.
    void step(FPSCamera& camera, float deltaTime);
    // Return key: stop a running flight, or restart a stopped one.
    void toggle(FPSCamera& camera);

    std::vector<glm::vec3> points;
    std::vector<glm::vec2> rates;
    bool flying = true;
    std::size_t segmentIndex = 0;
    float segmentProgress = 0.0f;
    glm::vec3 segmentStart{0.0f};
    glm::vec3 segmentEnd{0.0f};
    glm::vec2 segmentRates{0.0f};
    glm::vec3 finalPoint{0.0f};

private:
    void restart();
};
