// A won tutorial's name entry through the whole game, down to its highscore file's bytes.
#include "harness.h"
#include "shots.h"

#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// From the intro to a won tutorial's name entry: the tutorial entry of the play submenu,
// `q` once the loading screen and countdown are over, then the win and results waits.
std::string win_tutorial() {
    return skip_intro() + "tap LCTRL\n"
                          "tap DOWN\ntap DOWN\ntap LCTRL\n"
                          "wait 6000\ntap q\n"
                          "wait 7000\n";
}

std::string entry(const std::string &name, int score) {
    return "  " + name + std::string(33, ' ') + std::to_string(score) + std::string(35, ' ') + "\n";
}

// The score the name entry stores: the song's final score as the trace shows it there.
int entry_score(const ReplayRun &run) {
    auto polls = run.polls("name_entry");
    return polls.empty() ? -1 : polls.back().num("score");
}

// Virtual time of the first poll of `screen` at or after `t`, or -1.
int first_poll_after(const ReplayRun &run, const std::string &screen, int t) {
    for (const TraceLine &l : run.polls(screen))
        if (l.num("t") >= t) return l.num("t");
    return -1;
}

} // namespace

TEST(HighscoreFlow, WonTutorialAppendsTheNameToItsFile) {
    GameDir dir;
    std::string keys = "tap RIGHT\ntap LCTRL\n"                     // 1
                       "tap DOWN\ntap LCTRL\n"                      // B
                       "tap DOWN\ntap DOWN\ntap RIGHT\ntap LCTRL\n" // X (row 3, column 2)
                       "wait 1000\n";
    ReplayRun run = run_script(dir, win_tutorial() + keys);
    EXPECT_EQ(run.status, 0) << run.errors;
    ASSERT_FALSE(run.polls("name_entry").empty()) << "the won song did not reach the name entry";
    int score = entry_score(run);
    EXPECT_EQ(dir.read("data/DATA6.dat"), entry("1BX", score));
    // The entry is silent and hands over to the menu cycle start: the menu music again.
    int entered = run.polls("name_entry").front().num("t");
    int left = run.polls("name_entry").back().num("t");
    for (const TraceLine &l : run.lines) {
        if (l.has("sound")) {
            EXPECT_FALSE(l.num("t") >= entered && l.num("t") <= left) << l.text("sound");
        }
    }
    EXPECT_GE(first_poll_after(run, "main_menu", left), left);
    EXPECT_EQ(run.music().back(), "audio/menu1.mp3");

    // A second win appends below the first; nothing is sorted or rewritten.
    ReplayRun again =
        run_script(dir, win_tutorial() + "tap LCTRL\ntap LCTRL\ntap LCTRL\nwait 1000\n");
    ASSERT_FALSE(again.polls("name_entry").empty());
    EXPECT_EQ(dir.read("data/DATA6.dat"), entry("1BX", score) + entry("000", entry_score(again)));
}

TEST(HighscoreFlow, FirstWinOfAFreshInstallationIsKept) {
    GameDir dir(false); // no data directory
    ReplayRun run =
        run_script(dir, win_tutorial() + "tap LCTRL\ntap LCTRL\ntap LCTRL\nwait 1000\n");
    ASSERT_FALSE(run.polls("name_entry").empty());
    EXPECT_EQ(dir.read("data/DATA6.dat"), entry("000", entry_score(run)));
}

TEST(HighscoreFlow, ScoreThatCannotBeStoredIsAnnounced) {
    GameDir dir(false);
    dir.write("data", "a file where the directory should be");
    ReplayRun run =
        run_script(dir, win_tutorial() + "tap LCTRL\ntap LCTRL\ntap LCTRL\nwait 4000\n");
    ASSERT_FALSE(run.polls("name_entry").empty());
    EXPECT_EQ(dir.read("data"), "a file where the directory should be");
    // The notice holds the screen for two seconds before the menu comes back.
    int left = run.polls("name_entry").back().num("t");
    int menu = first_poll_after(run, "main_menu", left);
    ASSERT_GE(menu, 0);
    EXPECT_GE(menu - left, 2000);
    EXPECT_LT(menu - left, 2200);
}

TEST(HighscoreFlow, TheTableShowsAnEntryMadeSinceItWasLastShown) {
    GameDir dir;
    put_solid_image(dir, "img/menus/hiscore.png", 320, 240, BLACK);
    const std::string best = entry("AAA", 999999);
    dir.write("data/DATA6.dat", best);
    // The tutorial's page is shown and left, the tutorial won and a name entered; then the
    // table opens again on that page.
    std::string table = "tap DOWN\ntap DOWN\ntap DOWN\ntap LCTRL\n";
    std::string script = after_intro() + "tap LCTRL\n" + table + "tap LEFT\nwait 300\ntap LALT\n" +
                         "tap UP\ntap LCTRL\nwait 6000\ntap q\nwait 7000\n" +
                         "tap LCTRL\ntap LCTRL\ntap LCTRL\nwait 1000\n" + "tap LCTRL\n" + table +
                         "wait 500\nshot " + dir.file("again.png") + "\nwait 100\n";
    ReplayRun run = run_script(dir, script);
    ASSERT_EQ(run.status, 0) << run.errors;
    ASSERT_FALSE(run.polls("name_entry").empty());
    std::string added = entry("000", entry_score(run));
    ASSERT_EQ(dir.read("data/DATA6.dat"), best + added);
    Shot shot(dir.file("again.png"));
    auto row = [](const std::string &line) { return line.substr(0, 49); };
    EXPECT_TRUE(shows_text(shot, 80, 100, 10, row(best)));
    EXPECT_TRUE(shows_text(shot, 80, 110, 10, row(added)));
}
