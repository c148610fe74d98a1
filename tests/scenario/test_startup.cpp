// Start-up with files of the game directory missing, through the headless driver.
#include "harness.h"

#include <cstdio>
#include <gtest/gtest.h>

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
