// The frame timer on the virtual clock: start, pause, resume and the 50 ms pacing rule.
#include "headless/session.h"
#include "platform/platform.h"
#include "game/timer.h"

#include <gtest/gtest.h>

class TimerTest : public ::testing::Test {
  protected:
    void SetUp() override { headless_start_virtual(); }
};

TEST_F(TimerTest, StoppedTimerReadsZero) {
    Timer t;
    EXPECT_EQ(t.get_ticks(), 0);
    EXPECT_FALSE(t.is_started());
    t.start();
    platform_delay(40);
    t.stop();
    EXPECT_EQ(t.get_ticks(), 0);
    EXPECT_FALSE(t.is_paused());
}

TEST_F(TimerTest, PauseFreezesAndResumeContinues) {
    Timer t;
    t.start();
    platform_delay(120);
    t.pause();
    EXPECT_EQ(t.get_ticks(), 120);
    platform_delay(300);
    EXPECT_EQ(t.get_ticks(), 120); // the same value on every read while paused
    t.pause();                     // a second pause changes nothing
    EXPECT_EQ(t.get_ticks(), 120);
    t.unpause();
    EXPECT_EQ(t.get_ticks(), 120); // the 300 ms paused are not counted
    platform_delay(10);
    EXPECT_EQ(t.get_ticks(), 130);
    t.unpause(); // on a running timer: nothing
    EXPECT_EQ(t.get_ticks(), 130);
}

TEST_F(TimerTest, PauseOnlyActsOnARunningTimer) {
    Timer t;
    t.pause();
    EXPECT_FALSE(t.is_paused());
    t.start();
    t.pause();
    EXPECT_TRUE(t.is_paused());
    t.start(); // a fresh start leaves the paused state
    EXPECT_FALSE(t.is_paused());
    platform_delay(5);
    EXPECT_EQ(t.get_ticks(), 5);
}

// The song loop's pacing: a frame sleeps for whatever of its 50 ms is left.
TEST_F(TimerTest, FramePacingSleepsTheRestOfFiftyMs) {
    for (Uint32 work : {20u, 50u, 70u}) {
        Timer t;
        Uint32 begin = platform_ticks();
        t.start();
        platform_delay(work);
        if (t.get_ticks() < 50) platform_delay(50 - t.get_ticks());
        EXPECT_EQ(platform_ticks() - begin, work < 50 ? 50u : work) << "work " << work;
    }
}
