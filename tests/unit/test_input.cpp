// Button mapping: lane codes, lane flags, releases and the key configuration steps.
#include "game/input.h"

#include <gtest/gtest.h>

class MappingTest : public ::testing::Test {
  protected:
    void SetUp() override {
        reset_mapping();
        key_conf = 0;
    }
    void TearDown() override { reset_mapping(); }
    static int held() { return GP2X_Y + 2 * GP2X_B + 4 * GP2X_A + 8 * GP2X_X + 16 * GP2X_R; }
};

TEST_F(MappingTest, DefaultButtonsAndKeyboardKeysReachTheirLanes) {
    struct Case {
        SDLKey key;
        int lane;
    } cases[] = {{SDLK_LSHIFT, 1}, {SDLK_LEFT, 1},      {SDLK_LALT, 2},  {SDLK_DOWN, 2},
                 {SDLK_LCTRL, 3},  {SDLK_RIGHT, 3},     {SDLK_SPACE, 4}, {SDLK_UP, 4},
                 {SDLK_TAB, 5},    {SDLK_BACKSPACE, 5}, {SDLK_a, 1},     {SDLK_s, 2},
                 {SDLK_d, 3},      {SDLK_f, 4},         {SDLK_g, 5}};
    for (const Case &c : cases) {
        lane_release();
        lane_press(c.key);
        EXPECT_EQ(held(), 1 << (c.lane - 1)) << "key " << c.key;
    }
    lane_release();
    lane_press(SDLK_q);
    lane_press(SDLK_RETURN);
    EXPECT_EQ(held(), 0);
}

TEST_F(MappingTest, AnyReleaseClearsEveryLane) {
    lane_press(SDLK_LCTRL);
    lane_press(SDLK_LALT);
    EXPECT_EQ(held(), 2 | 4);
    lane_release(); // releasing B also lets go of A
    EXPECT_EQ(held(), 0);
}

TEST_F(MappingTest, CodesOutsideOneToTenSetNothing) {
    EXPECT_EQ(lane_of_code(7), 2);
    EXPECT_EQ(lane_of_code(10), 5);
    KEY_B = 7;
    lane_press(SDLK_LALT);
    EXPECT_EQ(GP2X_B, 1);
    lane_release();
    for (int bad : {0, 11, -3}) {
        KEY_B = bad;
        lane_press(SDLK_LALT);
        EXPECT_EQ(held(), 0) << bad;
    }
}

TEST_F(MappingTest, ConfigurationStepsOneAtATimeAndKeepsTheLaterCode) {
    EXPECT_FALSE(key_config_step(SDLK_q)); // not a button: no step
    EXPECT_EQ(key_conf, 0);
    for (int step = 0; step < 10; ++step)
        EXPECT_TRUE(key_config_step(SDLK_LCTRL));
    EXPECT_EQ(key_conf, 10);
    EXPECT_EQ(KEY_A, 10);                     // the alternative button of lane 5
    EXPECT_EQ(KEY_B, 2);                      // untouched buttons keep their codes
    EXPECT_FALSE(key_config_step(SDLK_LALT)); // the configuration is over
    EXPECT_EQ(KEY_B, 2);
}
