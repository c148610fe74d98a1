// The key configuration: its ten steps, leaving early, buttons given twice, a song after it.
#include "game/input.h"
#include "game/lane_layout.h"
#include "harness.h"
#include "menus/keyconfig.h"
#include "screens.h"
#include "shots.h"

#include <cstdlib>
#include <gtest/gtest.h>

namespace {

// From the main menu of a fresh run into the key configuration.
std::string to_key_config() { return after_intro() + taps("DOWN DOWN LCTRL LCTRL"); }

struct Mapping {
    int y, b, x, a, l, r, up, down, left, right;
};

Mapping mapping() {
    return {KEY_Y, KEY_B, KEY_X, KEY_A, KEY_L, KEY_R, KEY_UP, KEY_DOWN, KEY_LEFT, KEY_RIGHT};
}

bool operator==(const Mapping &p, const Mapping &q) {
    return p.y == q.y && p.b == q.b && p.x == q.x && p.a == q.a && p.l == q.l && p.r == q.r &&
           p.up == q.up && p.down == q.down && p.left == q.left && p.right == q.right;
}

// Milliseconds of script time that `script` waits in all.
int script_length(const std::string &script) {
    int total = 0;
    for (size_t pos = script.find("wait "); pos != std::string::npos;
         pos = script.find("wait ", pos + 1))
        total += std::atoi(script.c_str() + pos + 5);
    return total;
}

const Mapping DEFAULTS = {1, 2, 4, 3, 5, 5, 4, 2, 1, 3};

// The lane that a press of `key` marks in a song, 0 for none.
int lane_pressed(SDLKey key) {
    lane_release();
    lane_press(key);
    const int flags[5] = {GP2X_Y, GP2X_B, GP2X_A, GP2X_X, GP2X_R};
    int lane = 0;
    for (int i = 0; i < 5; ++i)
        if (flags[i]) lane = lane ? -1 : i + 1;
    lane_release();
    return lane;
}

class KeyConfigRun : public ::testing::Test {
  protected:
    void SetUp() override { reset_mapping(); }
    void TearDown() override { reset_mapping(); }
    // Runs the key configuration in this process on the given taps.
    Next configure(const std::string &keys) {
        ScreenScript script(taps(keys, 20) + "wait 60000\n");
        EXPECT_TRUE(script.started()) << script.error();
        return key_configuration();
    }
};

} // namespace

TEST_F(KeyConfigRun, TenStepsGiveEveryButtonItsLaneAndTheSongReadsThem) {
    // First buttons: lanes 1..5 on the d-pad and A; alternatives on the face buttons.
    EXPECT_EQ(configure("LEFT DOWN RIGHT UP LCTRL LSHIFT LALT SPACE TAB BACKSPACE"),
              TO_MAIN_MENU_ENTRY);
    EXPECT_EQ(key_conf, 10);
    Mapping expected = {6, 7, 8, 5, 9, 10, 4, 2, 1, 3};
    EXPECT_TRUE(mapping() == expected);
    EXPECT_EQ(lane_pressed(SDLK_LCTRL), 5); // A now plays lane 5, not 3
    EXPECT_EQ(lane_pressed(SDLK_LSHIFT), 1);
    EXPECT_EQ(lane_pressed(SDLK_LALT), 2);
    EXPECT_EQ(lane_pressed(SDLK_SPACE), 3);
    EXPECT_EQ(lane_pressed(SDLK_TAB), 4);
    EXPECT_EQ(lane_pressed(SDLK_BACKSPACE), 5);
    EXPECT_EQ(lane_pressed(SDLK_a), 1); // the keyboard's own lane keys stay fixed
}

TEST_F(KeyConfigRun, SelectLeavesKeepingTheStepsDoneAndOnlyButtonsTakeAStep) {
    EXPECT_EQ(configure("ESCAPE"), TO_MAIN_MENU_ENTRY);
    EXPECT_TRUE(mapping() == DEFAULTS);
    EXPECT_EQ(key_conf, 0);

    // RETURN, q and the keyboard lane keys are no buttons: they do not use up a step.
    // A button given twice keeps its later step.
    configure("RETURN q a TAB TAB SPACE ESCAPE LSHIFT");
    EXPECT_EQ(key_conf, 3);
    Mapping expected = DEFAULTS;
    expected.l = 2;
    expected.x = 3;
    EXPECT_TRUE(mapping() == expected); // LSHIFT came after leaving
    EXPECT_EQ(lane_pressed(SDLK_TAB), 2);
    EXPECT_EQ(lane_pressed(SDLK_SPACE), 3);
}

TEST(KeyConfig, EachStepLightsItsLaneAndShowsItsPrompt) {
    GameDir dir;
    put_solid_image(dir, "img/menus/set_keys.png", 320, 240, BLACK);
    // Fret row blue; the pressed-fret frames (from row 70) green.
    put_image(dir, "img/sprite/frets.png", 294, 93,
              [](int, int y) { return y >= 70 ? GREEN : BLUE; });
    std::string script = to_key_config() + "wait 100\nshot " + dir.file("step0.png") +
                         "\nwait 50\n" + taps("LEFT DOWN RIGHT UP") + "shot " +
                         dir.file("step4.png") + "\nwait 50\n" + taps("LCTRL") + "shot " +
                         dir.file("step5.png") + "\nwait 50\n" + "wait 100\n";
    ReplayRun run = run_script(dir, script);
    ASSERT_FALSE(run.polls("key_config").empty()) << run.errors;
    struct Expect {
        const char *shot;
        int lane;
        const char *prompt;
        int x;
    };
    const Expect expects[] = {
        {"step0.png", 1, "PRESS BUTTONS TO FRET 1", 80},
        {"step4.png", 5, "PRESS BUTTONS TO FRET 5", 80},
        {"step5.png", 1, "PRESS BUTTONS TO ALTERNATIVE FRET 1", 40},
    };
    for (const Expect &e : expects) {
        Shot shot(dir.file(e.shot));
        ASSERT_TRUE(shot.loaded()) << e.shot;
        EXPECT_TRUE(shows_text(shot, e.x, 100, 10, e.prompt)) << e.shot;
        for (int lane = 1; lane <= 5; ++lane) {
            Rgb want = lane == e.lane ? GREEN : BLUE;
            EXPECT_TRUE(same_colour(shot.at(LANE_X[lane - 1] + 5, 230), want))
                << e.shot << " lane " << lane;
        }
        // Lane 5's frame runs on to the right edge of the screen.
        EXPECT_EQ(same_colour(shot.at(315, 230), GREEN), e.lane == 5) << e.shot;
        EXPECT_TRUE(same_colour(shot.at(100, 216), BLUE)) << e.shot; // the fret row above
    }
}

TEST(KeyConfig, ASongReadsTheNewMapping) {
    // Three runs reach Paranoid at the same moment. One gives A lane 1 at step 0 and
    // presses A when the song's first lane-1 notes reach the frets; one keeps every
    // default and presses d-pad left, lane 1's own button; one keeps the defaults and
    // presses A, which then still plays lane 3. The first two must play alike.
    const int lane1_spawns[3] = {2995, 3556, 4118};
    auto run_with = [](const std::string &steps, const std::string &pressed, int song_start,
                       const int *spawns, int count) {
        GameDir dir;
        std::string script =
            to_key_config() + taps(steps + " ESCAPE") + taps("LCTRL DOWN LCTRL LCTRL");
        int now = 0;
        for (int i = 0; i < count; ++i) {
            int at =
                song_start + spawns[i] + 1000; // a note is on the frets about 1 s after its spawn
            script += "wait " + std::to_string(at - now) + "\ntap " + pressed + "\n";
            now = at;
        }
        return run_script(dir, script + "wait 1500\n");
    };
    // A run without presses finds when the song clock starts, after the menu keys.
    std::string menus =
        to_key_config() + taps("LEFT DOWN RIGHT UP TAB ESCAPE") + taps("LCTRL DOWN LCTRL LCTRL");
    GameDir probe;
    ReplayRun clock = run_script(probe, menus + "wait 9000\n");
    auto song = clock.polls("song");
    if (song.empty()) GTEST_SKIP() << "the song loop does not run yet";
    int song_start = song.front().num("t") - song.front().num("msec") - script_length(menus);

    ReplayRun remapped = run_with("LCTRL DOWN RIGHT UP TAB", "LCTRL", song_start, lane1_spawns, 3);
    ReplayRun lane1 = run_with("LEFT DOWN RIGHT UP TAB", "LEFT", song_start, lane1_spawns, 3);
    ReplayRun lane3 = run_with("LEFT DOWN RIGHT UP TAB", "LCTRL", song_start, lane1_spawns, 3);
    auto sequence = [](const ReplayRun &run) {
        std::vector<std::pair<int, int>> out; // (song clock, notes hit)
        for (const TraceLine &l : run.polls("song"))
            out.emplace_back(l.num("msec"), l.num("hits"));
        return out;
    };
    auto most_hits = [](const ReplayRun &run) {
        int hits = 0;
        for (const TraceLine &l : run.polls("song"))
            hits = std::max(hits, l.num("hits"));
        return hits;
    };
    ASSERT_FALSE(remapped.polls("song").empty());
    EXPECT_EQ(sequence(remapped), sequence(lane1));
    EXPECT_EQ(most_hits(remapped), 3);
    EXPECT_EQ(most_hits(lane3), 0); // A's old lane has no note there
}
