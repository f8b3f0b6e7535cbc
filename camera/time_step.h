#pragma once

#include <algorithm>
#include <cmath>

// The flight and the lamp swing move in steps of at most kMaxTimeStep, so
// that a long frame (a stall, a slow machine) takes them along the same path
// as many short frames would. A frame of kMaxTimeStep or less is one step,
// exactly as it comes.
constexpr float kMaxTimeStep = 1.0f / 60.0f;

// How many equal steps a frame of deltaTime is cut into: at least one (also
// for 0, negative or NaN times), and at most an hour's worth, beyond which
// the steps grow longer rather than the frame's work without bound.
inline int timeStepCount(float deltaTime) {
    if (!(deltaTime > kMaxTimeStep)) return 1;
    constexpr double kMaxSteps = 60.0 * 60.0 / kMaxTimeStep;
    return static_cast<int>(std::min(std::ceil(static_cast<double>(deltaTime) / kMaxTimeStep), kMaxSteps));
}
