// The sync calibration: the rule (presses against their clicks, the median without the
// strays, too few presses giving no result) and the screen measuring presses through the
// headless driver.
#include "game/sync.h"
#include "harness.h"

#include <algorithm>
#include <cstdio>
#include <gtest/gtest.h>
#include <random>

TEST(SyncRule, MedianOfThePressesNearTheOthersAtLeastEight) {
    struct Case {
        std::vector<int> offsets;
        bool measured;
        int delay;
    };
    const Case cases[] = {
        {{30, 30, 30, 30, 30, 30, 30, 30}, true, 30},
        {{20, 21, 20, 21, 20, 21, 20, 21}, true, 21}, // 20.5 rounds up
        {{-12, -10, -9, -11, -30, -8, -10, -12, -9}, true, -10},
        // Three wild presses are left out; with them the median would be 30.
        {{20, 300, 22, 24, 310, 26, 28, 30, 320, 32, 34}, true, 27},
        {{30, 30, 30, 30, 30, 30, 30}, false, 0},              // seven presses
        {{30, 30, 30, 30, 30, 30, 30, 300}, false, 0},         // one left out leaves seven
        {{0, 100, 200, 300, 400, 0, 100, 200, 300}, false, 0}, // no two agree
    };
    for (const Case &c : cases) {
        int delay = 999;
        EXPECT_EQ(measure_sync_delay(c.offsets, delay), c.measured)
            << ::testing::PrintToString(c.offsets);
        EXPECT_EQ(delay, c.measured ? c.delay : 999) << ::testing::PrintToString(c.offsets);
    }
}

TEST(SyncRule, APressBelongsToTheClickItFollowsOrJustPrecedes) {
    int offset = 0;
    ASSERT_TRUE(sync_press_offset(sync_click_ms(0) + 30, offset));
    EXPECT_EQ(offset, 30);
    ASSERT_TRUE(sync_press_offset(sync_click_ms(3) - SYNC_EARLY_MS, offset));
    EXPECT_EQ(offset, -SYNC_EARLY_MS);
    ASSERT_TRUE(sync_press_offset(sync_click_ms(3) - SYNC_EARLY_MS - 1, offset));
    EXPECT_EQ(offset, SYNC_LATE_MS - 1); // still the click before
    EXPECT_FALSE(sync_press_offset(sync_click_ms(0) - SYNC_EARLY_MS - 1, offset));
    EXPECT_FALSE(sync_press_offset(SYNC_END_MS, offset));
    ASSERT_TRUE(sync_press_offset(SYNC_END_MS - 1, offset));
    EXPECT_EQ(offset, SYNC_LATE_MS - 1);
}

namespace {

// Keys from start-up to the first pass of the sync screen's clicks, all queued at once
// (each pass takes one): options, the volume, the sync screen, its clicks.
std::string to_clicks() {
    return skip_intro() + "tap DOWN\ntap DOWN\ntap LCTRL\ntap DOWN\ntap DOWN\ntap LCTRL\n"
                          "tap LCTRL\ntap LCTRL\n";
}

// The calibration played through the headless driver with a press of A `late[i]` ms after
// click i; the result is kept and the screen left. Returns what the settings file then
// holds ("" when nothing was kept).
std::string calibrate(const std::vector<int> &late) {
    GameDir dir;
    ReplayRun probe = run_script(dir, to_clicks() + "wait 3000\n");
    int start = -1;
    for (const TraceLine &l : probe.lines)
        if (l.text("music") == SYNC_CLICKS_PATH) start = l.num("t");
    EXPECT_GT(start, 0) << "the clicks did not start";
    std::string script = to_clicks();
    long clock = 0;
    auto at = [&](long t, const std::string &command) {
        if (t > clock) script += "wait " + std::to_string(t - clock) + "\n";
        clock = std::max(clock, t);
        script += command + "\n";
    };
    for (size_t i = 0; i < late.size(); ++i)
        at(start + sync_click_ms(static_cast<int>(i)) + late[i], "tap LCTRL");
    at(start + SYNC_END_MS + 100, "tap LCTRL"); // keep the measured delay
    at(clock + 100, "tap LALT");
    at(clock + 100, "wait 100");
    ReplayRun run = run_script(dir, script);
    EXPECT_EQ(run.status, 0) << run.errors;
    EXPECT_EQ(run.last_poll().text("screen"), "volume");
    return dir.read("settings");
}

int kept_delay(const std::string &settings) {
    int delay = -1000;
    std::sscanf(settings.c_str(), "sync_delay_ms %d", &delay);
    return delay;
}

} // namespace

TEST(SyncCalibration, MeasuresHowLateThePressesFollowTheClicks) {
    // Every click pressed exactly 30 ms late.
    const int exact = kept_delay(calibrate(std::vector<int>(SYNC_CLICKS, 30)));
    EXPECT_EQ(exact, 30);
    // At random within 10 ms of 30 ms late; then with three wild presses among them.
    std::mt19937 random(23);
    std::uniform_int_distribution<int> near(20, 40);
    std::vector<int> late(SYNC_CLICKS);
    for (int &l : late)
        l = near(random);
    const int spread = kept_delay(calibrate(late));
    EXPECT_NEAR(spread, 30, 5);
    late[3] = 180;
    late[8] = -150;
    late[12] = 350;
    const int wild = kept_delay(calibrate(late));
    EXPECT_NEAR(wild, 30, 5);
    std::printf("measured: %d ms exactly 30 late, %d ms within 10 of 30, %d ms with 3 wild\n",
                exact, spread, wild);
}
