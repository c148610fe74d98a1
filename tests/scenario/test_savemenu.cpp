// The save menu against real progress files: each entry's effect and message.
#include "harness.h"
#include "shots.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

// From the main menu of a fresh run to the save menu, which opens on its back entry.
std::string to_save_menu() { return after_intro() + taps("DOWN DOWN LCTRL DOWN DOWN DOWN LCTRL"); }

// Confirms the highlighted entry and keeps a picture of the message it shows.
std::string act(const std::string &shot_path) {
    return "shot " + shot_path + "\n" + taps("LCTRL", 700);
}

// A test game directory whose save menu backdrop is black, so the message stands alone.
void black_menu(const GameDir &dir) {
    put_solid_image(dir, "img/menus/menu_save.png", 320, 240, BLACK);
}

bool shows_message(const GameDir &dir, const std::string &shot, const std::string &text) {
    Shot s(dir.file(shot));
    EXPECT_TRUE(s.loaded()) << shot;
    return shows_text(s, 140, 120, 10, text);
}

// Save-menu polls that came at least half a second after the one before: a message.
int message_pauses(const ReplayRun &run) {
    int n = 0, last = -1;
    for (const TraceLine &l : run.polls("save_menu")) {
        if (last >= 0 && l.num("t") - last >= 500) ++n;
        last = l.num("t");
    }
    return n;
}

} // namespace

TEST(SaveMenu, OpensOnItsBackEntryWhichReturnsAtOnce) {
    GameDir dir;
    ReplayRun run = run_script(dir, to_save_menu() + taps("LCTRL") + "wait 200\n");
    auto polls = run.polls("save_menu");
    ASSERT_FALSE(polls.empty()) << run.errors;
    EXPECT_EQ(polls.front().num("cursor"), 3);
    EXPECT_EQ(run.sounds().back(), "ACEITA");
    // The borrowed cursor is handed back at 0: the main menu stands on its first entry.
    EXPECT_EQ(run.last_poll().text("screen"), "main_menu");
    EXPECT_EQ(run.last_poll().num("cursor"), 0);
    EXPECT_FALSE(dir.exists("game_save"));
}

TEST(SaveMenu, CursorStopsAtBothEndsButStillClicks) {
    GameDir dir;
    ReplayRun run = run_script(dir, to_save_menu() + taps("DOWN UP UP UP UP") + "wait 100\n");
    auto polls = run.polls("save_menu");
    ASSERT_FALSE(polls.empty());
    EXPECT_EQ(polls.back().num("cursor"), 0);
    for (const TraceLine &l : polls)
        EXPECT_LE(l.num("cursor"), 3);
    // Five from the main and options menus, five here.
    EXPECT_EQ(run.sound_times("BATIDA").size(), 5u + 5u);
}

TEST(SaveMenu, LoadThenSaveWritesTheCountersInTheExactFormat) {
    GameDir dir;
    black_menu(dir);
    dir.write("game_save", "  12 \n 5\n"); // as another program might have left it
    ReplayRun run = run_script(dir, to_save_menu() + taps("UP UP") + act(dir.file("load.png")) +
                                        taps("UP") + act(dir.file("save.png")) + "wait 100\n");
    auto polls = run.polls("save_menu");
    ASSERT_FALSE(polls.empty()) << run.errors;
    EXPECT_EQ(polls.back().num("wins"), 12);
    EXPECT_EQ(polls.back().num("loses"), 5);
    EXPECT_EQ(dir.read("game_save"), "12\n5");
    EXPECT_TRUE(shows_message(dir, "load.png", "GAME LOADED"));
    EXPECT_TRUE(shows_message(dir, "save.png", "GAME SAVED"));
    EXPECT_EQ(message_pauses(run), 2);
    EXPECT_EQ(polls.back().num("cursor"), 0); // the cursor stays on the entry used
    // The messages are silent: only the cursor moves click.
    EXPECT_EQ(run.sound_times("BATIDA").size(), 5u + 3u);
}

TEST(SaveMenu, ClearZeroesTheFileAndThenTheCounters) {
    GameDir dir;
    black_menu(dir);
    dir.write("game_save", "8\n3");
    ReplayRun run = run_script(dir, to_save_menu() + taps("UP UP") + act(dir.file("load.png")) +
                                        taps("DOWN") + act(dir.file("clear.png")) + "wait 100\n");
    auto polls = run.polls("save_menu");
    ASSERT_FALSE(polls.empty()) << run.errors;
    EXPECT_EQ(dir.read("game_save"), "0\n0");
    EXPECT_TRUE(shows_message(dir, "clear.png", "GAME CLEARED"));
    // The counters follow the cleared file only after the message's pause.
    bool saw_eight = false;
    for (const TraceLine &l : polls)
        saw_eight |= l.num("wins") == 8;
    EXPECT_TRUE(saw_eight);
    EXPECT_EQ(polls.back().num("wins"), 0);
    EXPECT_EQ(polls.back().num("loses"), 0);
    EXPECT_EQ(message_pauses(run), 2);
}

TEST(SaveMenu, NothingToLoadSaysSoAndChangesNothing) {
    struct Case {
        const char *name;
        const char *content; // nullptr: no file
        const char *message;
        int wins;
    };
    const Case cases[] = {
        {"missing", nullptr, "NO SAVED GAME", 0},
        {"empty", "", "NO SAVED GAME", 0},
        {"garbage", "lots of wins\n", "NO SAVED GAME", 0},
        {"half", "6", "GAME LOADED", 6}, // the first counter was there to load
    };
    for (const Case &c : cases) {
        GameDir dir;
        black_menu(dir);
        if (c.content) dir.write("game_save", c.content);
        ReplayRun run = run_script(dir, to_save_menu() + taps("UP UP") + act(dir.file("load.png")) +
                                            "wait 100\n");
        ASSERT_FALSE(run.polls("save_menu").empty()) << c.name << run.errors;
        EXPECT_TRUE(shows_message(dir, "load.png", c.message)) << c.name;
        EXPECT_EQ(run.last_poll().num("wins"), c.wins) << c.name;
        EXPECT_EQ(run.last_poll().num("loses"), 0) << c.name;
        EXPECT_EQ(dir.exists("game_save"), c.content != nullptr) << c.name;
    }
}

TEST(SaveMenu, FailedWritesAreReportedAsFailures) {
    // A directory named game_save cannot be replaced by a file, even by root.
    GameDir dir;
    black_menu(dir);
    mkdir(dir.file("game_save").c_str(), 0755);
    ReplayRun run = run_script(dir, to_save_menu() + taps("UP UP UP") + act(dir.file("save.png")) +
                                        taps("DOWN") + act(dir.file("load.png")) + taps("DOWN") +
                                        act(dir.file("clear.png")) + "wait 100\n");
    ASSERT_FALSE(run.polls("save_menu").empty()) << run.errors;
    EXPECT_TRUE(shows_message(dir, "save.png", "SAVE FAILED"));
    EXPECT_TRUE(shows_message(dir, "load.png", "NO SAVED GAME"));
    EXPECT_TRUE(shows_message(dir, "clear.png", "CLEAR FAILED"));
    EXPECT_FALSE(shows_message(dir, "save.png", "GAME SAVED"));
    struct stat st;
    ASSERT_EQ(stat(dir.file("game_save").c_str(), &st), 0);
    EXPECT_TRUE(S_ISDIR(st.st_mode));
    EXPECT_EQ(message_pauses(run), 3); // failures stay as long as successes
}

TEST(SaveMenu, AFailedClearKeepsTheCountersAndTheOldFile) {
    GameDir dir;
    black_menu(dir);
    dir.write("game_save", "9\n4");
    // The new file cannot be made beside the old one.
    mkdir(dir.file("game_save.new").c_str(), 0755);
    ReplayRun run = run_script(dir, to_save_menu() + taps("UP UP") + act(dir.file("load.png")) +
                                        taps("DOWN") + act(dir.file("clear.png")) + "wait 100\n");
    ASSERT_FALSE(run.polls("save_menu").empty()) << run.errors;
    EXPECT_TRUE(shows_message(dir, "clear.png", "CLEAR FAILED"));
    EXPECT_EQ(dir.read("game_save"), "9\n4");
    EXPECT_EQ(run.last_poll().num("wins"), 9);
    EXPECT_EQ(run.last_poll().num("loses"), 4);
}
