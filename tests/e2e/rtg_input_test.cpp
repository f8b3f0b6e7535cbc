// The demo driven the way a person drives it: real key presses and mouse
// motion through the X server, judged by what the window shows.
#include <cmath>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/e2e/picture.h"
#include "tests/e2e/rtg_session.h"

namespace {

// Held keys move 10 units per second; this long, and over at least two frame
// ends, moves the camera one to two units (a frame takes 50 to 100 ms here):
// clearly visible at the window's size yet small enough for the motion
// estimate to follow.
constexpr double kHoldSeconds = 0.1;
constexpr double kFlightBeforeStop = 0.5;
constexpr double kDescentSeconds = 0.45;
// Pointer motion in pixels; at 0.3 degrees per pixel a clear turn (7.5
// degrees, about 16 pixels of the view at the window's size).
constexpr int kMouseStep = 25;
// The smallest change that counts as the view having moved that way (a view
// that did not move reads as exactly no motion).
constexpr float kMinShift = 2.0f;
// The flight's start turns the view neither left nor right: what the motion
// estimate reads sideways between two of its screenshots stays below this.
// The mouse turns tried during the flight add about 30 pixels.
constexpr float kFlightSideways = 8.0f;
constexpr float kMinGrowth = 1.03f;
// The flight tilts the view by about 14 pixels a second at its start; the
// first screenshot and the first one after a restart are each taken within
// a few frames of the first point. The stopped view, two seconds in, is
// tilted by about 28 pixels.
constexpr float kRestartTilt = 12.0f;

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

    // Keys held for a moment; the change they made.
    ViewMotion held(const std::vector<std::string>& keys, const std::string& what) {
        rtg_->holdKeys(keys, kHoldSeconds);
        EXPECT_TRUE(rtg_->waitUntilMoved(before_)) << what << " did not move the view";
        return change(what);
    }

    // The mouse moved with the view expected to turn; the change it made.
    ViewMotion turned(int dx, int dy, const std::string& what) {
        rtg_->moveMouse(dx, dy);
        EXPECT_TRUE(rtg_->waitUntilMoved(before_)) << what << " did not turn the view";
        return change(what);
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
    EXPECT_TRUE(viewChanged(start, stopped)) << "the flight did not move the view in two seconds";
    rtg_->sendKey("Return");
    EXPECT_TRUE(rtg_->waitUntilMoved(stopped)) << "a second Return did not change the view";
    lastBefore_ = start;
    lastAfter_ = rtg_->capture();
    lastWhat_ = "restarted, from start";
    lastMotion_ = estimateViewMotion(start, lastAfter_);
    EXPECT_GT(lastMotion_.match, estimateViewMotion(stopped, lastAfter_).match)
        << "the restarted view is not more like the start than like the stopped view; " << last();
    EXPECT_LT(std::abs(lastMotion_.dx), kFlightSideways) << last();
    EXPECT_LT(std::abs(lastMotion_.dy), kRestartTilt) << last();
    EXPECT_NEAR(lastMotion_.scale, 1.0f, 0.05f) << last();
}

TEST_F(RtgInput, MovementKeysMoveTheViewTheirWayWhileHeld) {
    stopFlight();
    EXPECT_GT(held({"w"}, "W").scale, kMinGrowth) << last();
    EXPECT_LT(held({"s"}, "S").scale, 1.0f / kMinGrowth) << last();
    EXPECT_GT(held({"a"}, "A").dx, kMinShift) << last();
    EXPECT_LT(held({"d"}, "D").dx, -kMinShift) << last();
    EXPECT_LT(held({"Shift_L"}, "Left Shift").dy, -kMinShift) << last();
    EXPECT_GT(held({"space"}, "Space").dy, kMinShift) << last();

    // W and S together cancel out; letting go of S then moves forward,
    // which also shows that both keys reached the program.
    rtg_->keysDown({"w", "s"});
    rtg_->idle(kHoldSeconds);
    EXPECT_TRUE(isStill(change("W+S"))) << last();
    rtg_->keysUp({"s"});
    rtg_->idle(kHoldSeconds);
    rtg_->keysUp({"w"});
    EXPECT_TRUE(rtg_->waitUntilMoved(before_)) << "W alone did not move the view";
    EXPECT_GT(change("W after letting go of S").scale, kMinGrowth) << last();

    // Only the left Shift moves down.
    rtg_->keysDown({"Shift_R"});
    rtg_->idle(kHoldSeconds);
    EXPECT_TRUE(isStill(change("Right Shift"))) << last();
    rtg_->keysDown({"Shift_L"});
    rtg_->idle(kHoldSeconds);
    rtg_->keysUp({"Shift_L", "Shift_R"});
    EXPECT_TRUE(rtg_->waitUntilMoved(before_)) << "Left Shift did not move the view";
    EXPECT_LT(change("Left Shift beside Right Shift").dy, -kMinShift) << last();
}

TEST_F(RtgInput, MouseTurnsTheViewOnlyWhileCapturedAndNeverDuringTheFlight) {
    stopFlight();
    rtg_->pointerToCentre();
    before_ = rtg_->screenshot();
    rtg_->moveMouse(kMouseStep, 0);
    EXPECT_TRUE(isStill(change("motion before a click"))) << last();

    rtg_->clickLeft();
    EXPECT_TRUE(isStill(change("click"))) << last();
    EXPECT_LT(turned(kMouseStep, 0, "captured, right").dx, -kMinShift) << last();
    EXPECT_LT(turned(0, kMouseStep, "captured, down").dy, -kMinShift) << last();
    EXPECT_GT(turned(-kMouseStep, 0, "captured, left").dx, kMinShift) << last();

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
    EXPECT_TRUE(rtg_->waitUntilMoved(perspective)) << "P did not change the view";
    EXPECT_FALSE(isStill(change("P"))) << last();
    rtg_->pressKey("p");
    EXPECT_TRUE(rtg_->waitUntilView(perspective)) << "a second P did not bring the perspective view back";
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
    EXPECT_GT(held({"w"}, "W in perspective").scale, kMinGrowth) << last();
}

}  // namespace
