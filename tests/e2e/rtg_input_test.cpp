// The demo driven the way a person drives it: real key presses and mouse
// motion through the X server, judged by what the window shows.
#include <cmath>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/e2e/picture.h"
#include "tests/e2e/rtg_session.h"

namespace {

// Held keys move 10 units per second; this long (or one frame, if that is
// longer) moves the camera one to two units, clearly visible at the window's size
// yet small enough for the motion estimate to follow.
constexpr double kHoldSeconds = 0.15;
constexpr double kFlightBeforeStop = 0.5;
constexpr double kDescentSeconds = 0.45;
// Pointer motion in pixels; at 0.3 degrees per pixel a clear turn.
constexpr int kMouseStep = 40;
// The smallest change that counts as the view having moved that way (a view
// that did not move reads as exactly no motion).
constexpr float kMinShift = 2.0f;
// Sideways drift of the flight's own view between two screenshots stays
// below this; a mouse turn adds several times as much.
constexpr float kFlightSideways = 4.0f;
constexpr float kMinGrowth = 1.03f;

class RtgInput : public ::testing::Test {
protected:
    void SetUp() override {
        rtg_ = std::make_unique<RtgSession>(runDirectory());
        ASSERT_TRUE(rtg_->ready()) << rtg_->failure();
    }
    void TearDown() override {
        if (rtg_->ready()) {
            EXPECT_EQ(rtg_->closeWindow(), 0) << rtg_->process().output();
        }
    }

    // The camera under the user's control, near the start of the flight,
    // then lowered from the roof timbers to the middle of the room's height,
    // where things are at a good distance in every direction.
    void stopFlight() {
        rtg_->idle(kFlightBeforeStop);
        rtg_->pressKey("Return");
        rtg_->holdKeys({"Shift_L"}, kDescentSeconds);
        before_ = rtg_->screenshot();
    }

    // The view change since the last call (or since stopFlight); judged in
    // the given part of the picture.
    ViewMotion change(const std::string& what, const ViewRegion& region = {}) {
        lastBefore_ = before_;
        lastAfter_ = rtg_->screenshot();
        lastWhat_ = what;
        lastMotion_ = estimateViewMotion(lastBefore_, lastAfter_, region);
        before_ = lastAfter_;
        return lastMotion_;
    }

    // For a failure message (only built when an expectation fails): the last
    // change and the two screenshots, kept for a look.
    std::string last() const {
        std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        name += "_" + lastWhat_;
        for (char& c : name)
            if (c == ' ' || c == '+' || c == ',') c = '_';
        return lastWhat_ + ": " + describe(lastMotion_) + "; before " +
               keepForInspection(lastBefore_, name + "_before") + ", after " +
               keepForInspection(lastAfter_, name + "_after");
    }

    std::unique_ptr<RtgSession> rtg_;
    Picture before_;
    Picture lastBefore_;
    Picture lastAfter_;
    std::string lastWhat_;
    ViewMotion lastMotion_;
};

TEST_F(RtgInput, FlightMovesTheViewUntilReturnStopsItAndASecondReturnRestartsIt) {
    const Picture start = rtg_->screenshot();
    before_ = start;
    rtg_->idle(1.0);
    EXPECT_FALSE(isStill(change("flying"))) << last();

    rtg_->idle(1.0);
    rtg_->pressKey("Return");
    const Picture stopped = rtg_->screenshot();
    before_ = stopped;
    rtg_->idle(1.0);
    // The lamp keeps swinging, so the light changes; the view does not.
    EXPECT_TRUE(isStill(change("stopped"))) << last();
    rtg_->idle(1.0);
    EXPECT_TRUE(isStill(change("still stopped"))) << last();

    // Restarting goes back to the first point of the path and its
    // orientation: the view is again close to the one at start, which the
    // stopped view, tilted two seconds into the flight, was not.
    before_ = start;
    const ViewMotion stoppedFromStart = change("stopped, from start");
    rtg_->pressKey("Return");
    before_ = start;
    const ViewMotion restartedFromStart = change("restarted, from start");
    EXPECT_GT(std::abs(stoppedFromStart.dy), 10.0f) << describe(stoppedFromStart);
    EXPECT_LT(std::abs(restartedFromStart.dy), 0.4f * std::abs(stoppedFromStart.dy)) << last();
    EXPECT_LT(std::abs(restartedFromStart.dx), kFlightSideways) << last();
    EXPECT_NEAR(restartedFromStart.scale, 1.0f, 0.04f) << last();
}

TEST_F(RtgInput, MovementKeysMoveTheViewTheirWayOnlyWhileTheFlightIsStopped) {
    stopFlight();
    rtg_->holdKeys({"w"}, kHoldSeconds);
    EXPECT_GT(change("W").scale, kMinGrowth) << last();
    rtg_->holdKeys({"s"}, kHoldSeconds);
    EXPECT_LT(change("S").scale, 1.0f / kMinGrowth) << last();
    rtg_->holdKeys({"a"}, kHoldSeconds);
    EXPECT_GT(change("A").dx, kMinShift) << last();
    rtg_->holdKeys({"d"}, kHoldSeconds);
    EXPECT_LT(change("D").dx, -kMinShift) << last();
    rtg_->holdKeys({"Shift_L"}, kHoldSeconds);
    EXPECT_LT(change("Left Shift").dy, -kMinShift) << last();
    rtg_->holdKeys({"space"}, kHoldSeconds);
    EXPECT_GT(change("Space").dy, kMinShift) << last();
    rtg_->holdKeys({"w", "s"}, kHoldSeconds);
    EXPECT_TRUE(isStill(change("W+S"))) << last();
    rtg_->holdKeys({"Shift_R"}, kHoldSeconds);
    EXPECT_TRUE(isStill(change("Right Shift"))) << last();
}

TEST_F(RtgInput, MouseTurnsTheViewOnlyWhileCapturedAndNeverDuringTheFlight) {
    stopFlight();
    rtg_->pointerToCentre();
    before_ = rtg_->screenshot();
    rtg_->moveMouse(kMouseStep, 0);
    EXPECT_TRUE(isStill(change("motion before a click"))) << last();

    rtg_->clickLeft();
    EXPECT_TRUE(isStill(change("click"))) << last();
    rtg_->moveMouse(kMouseStep, 0);
    EXPECT_LT(change("captured, right").dx, -kMinShift) << last();
    rtg_->moveMouse(0, kMouseStep);
    EXPECT_LT(change("captured, down").dy, -kMinShift) << last();
    rtg_->moveMouse(-kMouseStep, 0);
    EXPECT_GT(change("captured, left").dx, kMinShift) << last();

    rtg_->pressKey("Escape");
    before_ = rtg_->screenshot();
    rtg_->moveMouse(kMouseStep, 0);
    EXPECT_TRUE(isStill(change("released"))) << last();

    // Flying again from the start, where the path only tilts the view: a
    // captured mouse moving sideways must not turn it sideways.
    rtg_->pressKey("Return");
    rtg_->clickLeft();
    before_ = rtg_->screenshot();
    rtg_->moveMouse(kMouseStep, 0);
    rtg_->moveMouse(kMouseStep, 0);
    EXPECT_LT(std::abs(change("flying").dx), kFlightSideways) << last();
}

TEST_F(RtgInput, PSwitchesToAnOrthographicViewAndBack) {
    stopFlight();
    const Picture perspective = before_;
    rtg_->pressKey("p");
    const ViewMotion toOrtho = change("P");
    EXPECT_FALSE(isStill(toOrtho)) << last();
    rtg_->pressKey("p");
    before_ = perspective;
    EXPECT_TRUE(isStill(change("P again"))) << last();

    // What sets the orthographic view apart: walking towards things no
    // longer makes them grow.
    rtg_->pressKey("p");
    before_ = rtg_->screenshot();
    rtg_->holdKeys({"w"}, kHoldSeconds);
    EXPECT_NEAR(change("W in orthographic").scale, 1.0f, 0.015f) << last();
    rtg_->pressKey("p");
    before_ = rtg_->screenshot();
    rtg_->holdKeys({"w"}, kHoldSeconds);
    EXPECT_GT(change("W in perspective").scale, kMinGrowth) << last();
}

}  // namespace
