#include <gtest/gtest.h>

#include "app/flight.h"
#include "app/frame_loop.h"
#include "camera/floating_camera.h"
#include "camera/time_step.h"

namespace {

FloatingCamera makeProgramCamera() { return startCamera(16.0f / 9.0f); }

TEST(FlightTables, KeepTheirInvariants) {
    const auto points = makeFlightPoints();
    const auto rates = makeFlightRates();
    ASSERT_EQ(points.size(), 49u);
    ASSERT_EQ(rates.size(), 49u);
    EXPECT_EQ(points.front(), glm::vec3(0.0f, 8.5f, 22.0f));
    EXPECT_EQ(points.back(), glm::vec3(12.0f, 2.0f, 0.0f));
    EXPECT_EQ(points[24], glm::vec3(0.0f, 2.0f, 1.0f));
    EXPECT_EQ(rates[0], glm::vec2(0.0f, 45.0f));
    EXPECT_EQ(rates[24], glm::vec2(90.0f, 0.0f));
    for (std::size_t i = 0; i + 1 < points.size(); ++i) EXPECT_NE(points[i], points[i + 1]) << i;
    for (std::size_t i = 0; i + 1 < points.size(); ++i) EXPECT_NE(points[i], points.back()) << i;
    float flown = 0.0f;
    for (std::size_t i = 0; i + 2 < points.size(); ++i) flown += glm::distance(points[i], points[i + 1]);
    EXPECT_NEAR(flown, 35.06f, 0.01f);
}

TEST(FlightStep, FirstFrameWithZeroDeltaSitsOnPointZero) {
    FloatingCamera camera = makeProgramCamera();
    Flight flight;
    flight.step(camera, 0.0f);
    camera.update();
    EXPECT_EQ(camera.position, glm::vec3(0.0f, 8.5f, 22.0f));
    EXPECT_FLOAT_EQ(camera.yaw, -90.0f);
    EXPECT_FLOAT_EQ(camera.pitch, 0.0f);
    EXPECT_EQ(flight.segmentIndex, 0u);
    EXPECT_FLOAT_EQ(flight.segmentProgress, 0.0f);
}

struct Pose {
    glm::vec3 position;
    float yaw;
    float pitch;
};

// The camera after the demo's first frame (no time) and then frames of the
// given lengths.
Pose flyFrames(const std::vector<float>& frames) {
    FloatingCamera camera = makeProgramCamera();
    Flight flight;
    flight.step(camera, 0.0f);
    for (const float deltaTime : frames) flight.step(camera, deltaTime);
    return {camera.position, camera.yaw, camera.pitch};
}

// Frames of `step` seconds until `seconds` of flight; stallAt > 0 puts one
// frame of `stall` seconds there instead of the frames it replaces.
std::vector<float> frames(float seconds, float step, float stallAt = 0.0f, float stall = 0.0f) {
    std::vector<float> out;
    for (double t = 0.0; t < seconds - 1e-3; t += out.back()) {
        const bool stalled = stallAt > 0.0f && t >= stallAt && t < stallAt + stall;
        out.push_back(stalled ? stall : step);
    }
    return out;
}

TEST(FlightStep, EveryFrameRateFliesTheSamePath) {
    // Frames are flown in steps of at most 1/60 s: a slow machine or one long
    // stall follows the path that 60 frames per second fly, mid-flight (40 s)
    // and holding at the end (75 s).
    for (const float seconds : {40.0f, 75.0f}) {
        const Pose reference = flyFrames(frames(seconds, kMaxTimeStep));
        for (const std::vector<float>& other :
             {frames(seconds, 0.1f), frames(seconds, 0.5f), frames(seconds, kMaxTimeStep, 5.0f, 30.0f)}) {
            const Pose pose = flyFrames(other);
            EXPECT_LT(glm::distance(pose.position, reference.position), 0.02f)
                << seconds << " s, " << other.size() << " frames";
            EXPECT_NEAR(pose.yaw, reference.yaw, 0.5f) << seconds << " s, " << other.size() << " frames";
            EXPECT_NEAR(pose.pitch, reference.pitch, 0.5f) << seconds << " s, " << other.size() << " frames";
        }
    }
    // A frame of 1/60 s or less is a single step, exactly as before.
    FloatingCamera camera = makeProgramCamera();
    Flight flight;
    flight.step(camera, kMaxTimeStep);
    EXPECT_EQ(camera.position, flight.points[0]);  // placed before advancing
    EXPECT_GT(flight.segmentProgress, 0.0f);
}

TEST(FlightStep, TurnRatesApplyHalfTheRatePerSecond) {
    FloatingCamera camera = makeProgramCamera();
    Flight flight;
    flight.step(camera, 0.1f);  // pitch rate 45: rotate(0, 2.25) -> pitch -0.675
    EXPECT_NEAR(camera.pitch, -0.675f, 1e-5f);
    EXPECT_NEAR(flight.segmentProgress, 0.1f / (2.0f * glm::distance(flight.points[0], flight.points[1])), 1e-6f);
}

TEST(FlightStep, WholeFlightAtSixtyHertzHoldsAtTheEnd) {
    FloatingCamera camera = makeProgramCamera();
    Flight flight;
    const float dt = 1.0f / 60.0f;
    float simulated = 0.0f;
    int frames = 0;
    while (flight.segmentEnd != flight.finalPoint && frames < 100000) {
        flight.step(camera, dt);
        simulated += dt;
        ++frames;
    }
    EXPECT_NEAR(simulated, 70.9f, 1.5f);
    flight.step(camera, dt);
    EXPECT_EQ(camera.position, glm::vec3(12.0f, 2.0f, 0.0f));
    // Looking along +x, slightly down, at the end.
    EXPECT_GT(camera.front.x, 0.99f);
    EXPECT_LT(camera.front.y, 0.0f);
    EXPECT_NEAR(camera.pitch, -6.0f, 1.0f);

    // Holding: nothing changes any more, whatever the frame time.
    const float yaw = camera.yaw;
    const std::size_t index = flight.segmentIndex;
    camera.moveForward(5.0f);  // held keys run before the step and are undone by it
    flight.step(camera, 3.0f);
    EXPECT_EQ(camera.position, glm::vec3(12.0f, 2.0f, 0.0f));
    EXPECT_EQ(camera.yaw, yaw);
    EXPECT_EQ(flight.segmentIndex, index);
    EXPECT_TRUE(flight.flying);
}

TEST(FlightToggle, ReturnTwiceRestartsFromPointZero) {
    FloatingCamera camera = makeProgramCamera();
    Flight flight;
    for (int i = 0; i < 900; ++i) flight.step(camera, 1.0f / 60.0f);
    ASSERT_GT(flight.segmentIndex, 0u);
    const glm::vec3 stoppedAt = camera.position;

    flight.toggle(camera);  // stop
    EXPECT_FALSE(flight.flying);
    flight.step(camera, 1.0f);  // a stopped flight does nothing
    EXPECT_EQ(camera.position, stoppedAt);

    flight.toggle(camera);  // restart
    EXPECT_TRUE(flight.flying);
    EXPECT_EQ(flight.segmentIndex, 0u);
    EXPECT_FLOAT_EQ(flight.segmentProgress, 0.0f);
    EXPECT_FLOAT_EQ(camera.yaw, -90.0f);
    EXPECT_FLOAT_EQ(camera.pitch, 0.0f);
    EXPECT_EQ(camera.position, stoppedAt);  // moved by the next step only
    flight.step(camera, 1.0f / 60.0f);
    EXPECT_EQ(camera.position, glm::vec3(0.0f, 8.5f, 22.0f));
}

TEST(FlightToggle, RestartWorksFromTheHold) {
    FloatingCamera camera = makeProgramCamera();
    Flight flight;
    while (flight.segmentEnd != flight.finalPoint) flight.step(camera, 1.0f);
    flight.toggle(camera);
    flight.toggle(camera);
    EXPECT_EQ(flight.segmentEnd, flight.points[1]);
    flight.step(camera, 0.0f);
    EXPECT_EQ(camera.position, flight.points[0]);
}

}  // namespace
