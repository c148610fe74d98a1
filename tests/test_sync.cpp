// The sync calibration's rule: presses against their clicks, the median without the
// strays, and too few presses giving no result.
#include "game/sync.h"

#include <gtest/gtest.h>

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
