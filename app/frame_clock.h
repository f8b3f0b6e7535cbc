#pragma once

#include <cstdint>

struct FrameTiming {
    float deltaTime = 0.0f;                  // seconds
    unsigned long long framesPerSecond = 0;  // truncated toward zero
};

// Frame time from two performance-counter readings. A counter that did not
// advance (or went backwards) counts as one tick, so the rate is never a
// division by zero.
FrameTiming measureFrame(std::uint64_t previous, std::uint64_t now, std::uint64_t frequency);
