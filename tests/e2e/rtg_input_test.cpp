// The demo driven the way a person drives it: real key presses and mouse
// motion through the X server, judged by what the window shows.
#include <cmath>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/e2e/picture.h"
#include "tests/e2e/rtg_session.h"

namespace {

// Held keys move 10 units per second of the frames that see them held. Keys
// are therefore held over frames that take this long together (see
// holdKeysBriefly), not for a time by the clock: one and a half to two units
// here, up to one slow frame more on a busy machine. The judgement reads
// moves of one to four units right.
constexpr double kMoveSeconds = 0.15;
constexpr double kDescentSeconds = 0.3;
constexpr double kHoldSeconds = 0.1;  // for keys that must not move the view
constexpr double kFlightBeforeStop = 0.5;
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
// Rises and falls are judged below the roof timbers: near and overhead, they
// pass out of the view or change their shape, and their rows fit a wrong
// motion. Sideways moves keep the timbers: below them the rows of pillars fit
// wrong sideways shifts. Walks are judged below the timbers or on the far
// wall alone, whichever fits better: after a long walk near things have
// changed their shape, after a short one the far wall has barely grown.
constexpr ViewRegion kBelowTheRoof{0.15f, 0.3f, 0.85f, 0.6f};
constexpr ViewRegion kFarWall{0.3f, 0.35f, 0.7f, 0.6f};
// Keys are judged in a larger window than the mouse and the flight: the
// walls and pillars show more detail, and the estimates of long moves (and
// of the far wall alone) stay right.
constexpr int kKeysWindowWidth = 320;
constexpr int kKeysWindowHeight = 240;
// The flight tilts the view by about 14 pixels a second at its start; the
// first screenshot and the first one after a restart are each taken within
// a few frames of the first point. The stopped view, two seconds in, is
// tilted by about 28 pixels.
constexpr float kRestartTilt = 12.0f;

class RtgInput : public ::testing::Test {
protected:
    explicit RtgInput(int width = kWindowWidth, int height = kWindowHeight) : width_(width), height_(height) {}

    void SetUp() override {
        rtg_ = std::make_unique<RtgSession>(runDirectory(), width_, height_);
        ASSERT_TRUE(rtg_->ready()) << rtg_->failure();
    }
    void TearDown() override {
        if (rtg_->ready()) {
            EXPECT_EQ(rtg_->closeWindow(), 0) << rtg_->process().output();
        }
    }

    // The camera under the user's control, near the start of the flight,
    // then lowered away from the roof timbers, so that things are at a good
    // distance in every direction.
    void stopFlight() {
        rtg_->idle(kFlightBeforeStop);
        rtg_->pressKey("Return");
        before_ = rtg_->screenshot();
        EXPECT_TRUE(rtg_->holdKeysBriefly({"Shift_L"}, kDescentSeconds, before_))
            << "Left Shift did not lower the view";
        before_ = rtg_->screenshot();
    }

    // Keys held briefly (see kMoveSeconds); the change they made, searched among
    // changes of the given kind.
    ViewMotion held(const std::vector<std::string>& keys, const std::string& what, ViewChange kind = ViewChange::Any,
                    const ViewRegion& region = {}) {
        EXPECT_TRUE(rtg_->holdKeysBriefly(keys, kMoveSeconds, before_)) << what << " did not move the view";
        return change(what, kind, region);
    }

    // The mouse moved with the view expected to turn; the change it made.
    ViewMotion turned(int dx, int dy, const std::string& what) {
        rtg_->moveMouse(dx, dy);
        EXPECT_TRUE(rtg_->waitUntilMoved(before_)) << what << " did not turn the view";
        return change(what, ViewChange::Shift);
    }

    // The view change since the last call (or since stopFlight).
    ViewMotion change(const std::string& what, ViewChange kind = ViewChange::Any, const ViewRegion& region = {}) {
        lastBefore_ = before_;
        lastAfter_ = rtg_->screenshot();
        lastWhat_ = what;
        if (kind == ViewChange::Walk) {
            lastMotion_ = estimateViewMotion(lastBefore_, lastAfter_, kBelowTheRoof, kind);
            const ViewMotion far = estimateViewMotion(lastBefore_, lastAfter_, kFarWall, kind);
            if (far.match > lastMotion_.match) lastMotion_ = far;
        } else {
            lastMotion_ = estimateViewMotion(lastBefore_, lastAfter_, region, kind);
        }
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

    int width_;
    int height_;
    std::unique_ptr<RtgSession> rtg_;
    Picture before_;
    Picture lastBefore_;
    Picture lastAfter_;
    std::string lastWhat_;
    ViewMotion lastMotion_;
};

class RtgInputKeys : public RtgInput {
protected:
    RtgInputKeys() : RtgInput(kKeysWindowWidth, kKeysWindowHeight) {}
};

TEST_F(RtgInput, FlightMovesTheViewUntilReturnStopsItAndASecondReturnRestartsIt) {
    // As early in the flight as the window shows it, like the first view
    // after a restart below: frames may be slow, and the flight tilts the
    // view as they pass.
    const Picture start = rtg_->capture();
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

TEST_F(RtgInputKeys, MoveTheViewTheirWayWhileHeld) {
    stopFlight();
    EXPECT_GT(held({"w"}, "W", ViewChange::Walk).scale, kMinGrowth) << last();
    EXPECT_LT(held({"s"}, "S", ViewChange::Walk).scale, 1.0f / kMinGrowth) << last();
    EXPECT_GT(held({"a"}, "A", ViewChange::Shift).dx, kMinShift) << last();
    EXPECT_LT(held({"d"}, "D", ViewChange::Shift).dx, -kMinShift) << last();
    EXPECT_LT(held({"Shift_L"}, "Left Shift", ViewChange::Shift, kBelowTheRoof).dy, -kMinShift) << last();
    EXPECT_GT(held({"space"}, "Space", ViewChange::Shift, kBelowTheRoof).dy, kMinShift) << last();

    // W and S together cancel out; letting go of S then moves forward,
    // which also shows that both keys reached the program.
    rtg_->keysDown({"w", "s"});
    rtg_->idle(kHoldSeconds);
    EXPECT_TRUE(isStill(change("W+S"))) << last();
    rtg_->keysUp({"s"});
    EXPECT_TRUE(rtg_->holdKeysBriefly({"w"}, kMoveSeconds, before_)) << "W alone did not move the view";
    EXPECT_GT(change("W after letting go of S", ViewChange::Walk).scale, kMinGrowth) << last();

    // Only the left Shift moves down.
    rtg_->keysDown({"Shift_R"});
    rtg_->idle(kHoldSeconds);
    EXPECT_TRUE(isStill(change("Right Shift"))) << last();
    EXPECT_TRUE(rtg_->holdKeysBriefly({"Shift_L"}, kMoveSeconds, before_)) << "Left Shift did not move the view";
    rtg_->keysUp({"Shift_R"});
    EXPECT_LT(change("Left Shift beside Right Shift", ViewChange::Shift, kBelowTheRoof).dy, -kMinShift) << last();
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
    // captured mouse moving sideways must not turn it sideways. The two
    // pictures are a few frames apart, so that the flight moves little
    // between them however long its frames take.
    rtg_->clickLeft();
    rtg_->pressKey("Return");
    before_ = rtg_->capture();
    rtg_->sendMouseMotion(kMouseStep, 0);
    rtg_->sendMouseMotion(kMouseStep, 0);
    EXPECT_LT(std::abs(change("flying", ViewChange::Shift).dx), kFlightSideways) << last();
}

TEST_F(RtgInputKeys, PSwitchesToAnOrthographicViewAndBack) {
    stopFlight();
    const Picture perspective = before_;
    rtg_->pressKey("p");
    // Judged by the pictures no longer lining up: the orthographic view is
    // so unlike the perspective one that a motion estimate between them
    // finds chance fits, sometimes near no motion at all.
    EXPECT_TRUE(rtg_->waitUntilMoved(perspective)) << "P did not change the view";
    rtg_->pressKey("p");
    EXPECT_TRUE(rtg_->waitUntilView(perspective)) << "a second P did not bring the perspective view back";
    before_ = perspective;
    EXPECT_TRUE(isStill(change("P again"))) << last();

    // What sets the orthographic view apart: walking towards things no
    // longer makes them grow.
    rtg_->pressKey("p");
    before_ = rtg_->screenshot();
    // Walking does not change this view (or barely): the key's effect need not show.
    static_cast<void>(rtg_->holdKeysBriefly({"w"}, kMoveSeconds, before_));
    EXPECT_NEAR(change("W in orthographic").scale, 1.0f, 0.015f) << last();
    rtg_->pressKey("p");
    before_ = rtg_->screenshot();
    EXPECT_GT(held({"w"}, "W in perspective", ViewChange::Walk).scale, kMinGrowth) << last();
}

}  // namespace
