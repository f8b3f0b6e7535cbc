#include "app/frame_clock.h"

FrameTiming measureFrame(std::uint64_t previous, std::uint64_t now, std::uint64_t frequency) {
    const std::uint64_t elapsed = now > previous ? now - previous : 1;
    const float elapsedTicks = static_cast<float>(elapsed);
    const float ticksPerSecond = static_cast<float>(frequency);
    FrameTiming timing;
    timing.deltaTime = elapsedTicks / ticksPerSecond;
    const float rate = ticksPerSecond / elapsedTicks;
    // Converting a float beyond the target's range is undefined; clamp first.
    constexpr float kMaxRate = 1.8e19f;
    timing.framesPerSecond = rate >= kMaxRate ? 18000000000000000000ull : static_cast<unsigned long long>(rate);
    return timing;
}
