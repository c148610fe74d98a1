// The intro and the menu spine, driven through the headless driver.
#include "harness.h"

#include <gtest/gtest.h>

namespace {

int count_polls(const ReplayRun &run, const std::string &screen) {
    return static_cast<int>(run.polls(screen).size());
}

} // namespace

TEST(Intro, EachSplashLastsAHundredPassesWithoutKeys) {
    GameDir dir;
    ReplayRun run = run_script(dir, "wait 9000\n");
    EXPECT_EQ(run.status, 0) << run.errors;
    EXPECT_EQ(count_polls(run, "intro"), 500);
    auto menu = run.polls("main_menu");
    ASSERT_FALSE(menu.empty());
    EXPECT_EQ(menu.front().num("t"), 500 * 17); // one pass of 17 ms each
    ASSERT_EQ(run.music().size(), 1u);
    EXPECT_EQ(run.music()[0], "audio/menu1.mp3");
}

TEST(Intro, SkippingASplashEarlyMakesTheNextOneLonger) {
    GameDir dir;
    // A at the tenth pass ends splash 1; splash 2 then runs until the shared counter
    // reaches 200, so the intro as a whole is not shorter.
    ReplayRun late = run_script(dir, "wait 153\ntap LCTRL\nwait 9000\n");
    EXPECT_EQ(count_polls(late, "intro"), 500);
    // Skipping every splash at once takes one key press (and its release) each.
    ReplayRun quick = run_script(dir, skip_intro() + "wait 500\n");
    EXPECT_EQ(count_polls(quick, "intro"), 9); // the fifth press ends the last splash
    EXPECT_EQ(quick.polls("main_menu").front().num("t"), 9 * 17);
}

TEST(MainMenu, CursorStopsAtBothEndsButStillClicks) {
    GameDir dir;
    ReplayRun run =
        run_script(dir, skip_intro() + "tap UP\n" +
                            "tap DOWN\ntap DOWN\ntap DOWN\ntap DOWN\ntap DOWN\n" + "wait 1000\n");
    std::vector<int> cursors;
    for (const TraceLine &l : run.polls("main_menu"))
        cursors.push_back(l.num("cursor"));
    ASSERT_FALSE(cursors.empty());
    EXPECT_EQ(cursors.back(), 4);
    for (int c : cursors)
        EXPECT_GE(c, 0);
    EXPECT_EQ(run.sound_times("BATIDA").size(), 6u);
}

TEST(MainMenu, ExitEntryEndsTheProgramWithStatusZero) {
    GameDir dir;
    ReplayRun run = run_script(
        dir, skip_intro() + "tap DOWN\ntap DOWN\ntap DOWN\ntap DOWN\ntap LCTRL\nwait 5000\n");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.exit_line(), 0);
    ASSERT_FALSE(run.sounds().empty());
    EXPECT_EQ(run.sounds().back(), "ACEITA");
    // Nothing runs after the exit.
    EXPECT_TRUE(run.lines.back().has("exit"));
}

TEST(PlayMenu, ReturnsKeepTheCursorUntilTheMainMenu) {
    GameDir dir;
    std::string script = skip_intro() + "tap LCTRL\n" // play submenu
                                        "tap LCTRL\n" // career
                                        "tap LALT\n"  // back: still on career
                                        "tap DOWN\ntap DOWN\ntap DOWN\ntap DOWN\n" // to back
                                        "tap LCTRL\n" // main menu entry
                                        "tap LCTRL\n" // play again
                                        "wait 1000\n";
    ReplayRun run = run_script(dir, script);
    EXPECT_EQ(count_polls(run, "career") > 0, true);
    EXPECT_EQ(run.sound_times("CANCELA").size(), 1u);
    // After career the play submenu stands on career (0); after the main menu on 0 too,
    // though the cursor had been moved to back (4) in between.
    auto play = run.polls("play_menu");
    ASSERT_FALSE(play.empty());
    EXPECT_EQ(play.back().num("cursor"), 0);
    int max_cursor = 0;
    for (const TraceLine &l : play)
        max_cursor = std::max(max_cursor, l.num("cursor"));
    EXPECT_EQ(max_cursor, 4);
    // The main menu itself keeps its cursor on play (0).
    EXPECT_EQ(run.polls("main_menu").back().num("cursor"), 0);
}

TEST(MainMenu, KeyReleasesAndUnusedKeysChangeNothing) {
    GameDir dir;
    ReplayRun run =
        run_script(dir, skip_intro() + "tap q\ntap RIGHT\ndown UP\nwait 500\nup UP\nwait 500\n");
    EXPECT_EQ(run.polls("main_menu").back().num("cursor"), 0);
    // Holding UP yields one press: one click.
    EXPECT_EQ(run.sound_times("BATIDA").size(), 1u);
}

TEST(StartUp, MissingFilesAreNamedAndTheGameDoesNotOpen) {
    GameDir dir;
    std::remove(dir.file("ariblk.ttf").c_str());
    ReplayRun no_font = run_script(dir, "wait 100\n");
    EXPECT_EQ(no_font.status, 1);
    EXPECT_NE(no_font.errors.find("ariblk.ttf"), std::string::npos);
    EXPECT_NE(no_font.errors.find(dir.path()), std::string::npos);
    EXPECT_TRUE(no_font.all_polls().empty());

    std::remove(dir.file("img").c_str());
    ReplayRun no_images = run_script(dir, "wait 100\n");
    EXPECT_EQ(no_images.status, 1);
    EXPECT_NE(no_images.errors.find("img/menus/menu1.png"), std::string::npos);
}

TEST(StartUp, MissingSoundsLeaveTheGameSilentButRunning) {
    GameDir dir;
    std::remove(dir.file("audio").c_str());
    std::remove(dir.file("song").c_str());
    ReplayRun run = run_script(dir, skip_intro() + "tap DOWN\nwait 500\n");
    EXPECT_EQ(run.status, 0) << run.errors;
    EXPECT_EQ(run.polls("main_menu").back().num("cursor"), 1);
}
