#include <gtest/gtest.h>

#include "app/flight.h"
#include "app/frame_loop.h"
#include "camera/floating_camera.h"

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

TEST(FlightStep, AFrameLongerThanASegmentCompletesThatSegmentOnly) {
    FloatingCamera camera = makeProgramCamera();
    Flight flight;
    flight.step(camera, 0.0f);
    // Segment 0 is about 0.23 units: flown in about 0.46 s. A 10 s frame
    // ends it and drops the rest; the next frame starts segment 1 at its start.
    flight.step(camera, 10.0f);
    EXPECT_EQ(flight.segmentIndex, 1u);
    EXPECT_EQ(flight.segmentProgress, 0.0f);
    EXPECT_NEAR(camera.pitch, -0.3f * 45.0f * 10.0f * 0.5f, 1e-3f);  // the whole frame's turn, in one step
    flight.step(camera, 1.0f / 60.0f);
    EXPECT_EQ(camera.position, flight.points[1]);
    EXPECT_EQ(flight.segmentIndex, 1u);
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
    std::size_t segmentsSeen = 0;
    while (flight.segmentEnd != flight.finalPoint && frames < 100000) {
        // The first frame of every segment shows the segment's start point.
        const bool segmentStarts = flight.segmentProgress == 0.0f;
        const std::size_t index = flight.segmentIndex;
        flight.step(camera, dt);
        if (segmentStarts) {
            EXPECT_EQ(camera.position, flight.points[index]) << "segment " << index;
            ++segmentsSeen;
        }
        simulated += dt;
        ++frames;
    }
    EXPECT_EQ(segmentsSeen, 47u);
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
