// The name entry: grid and cursor rules, and whole entries down to the highscore file's bytes.
#include "pixels.h"
#include "engine/assets.h"
#include "headless/session.h"
#include "platform/platform.h"
#include "game/score.h"
#include "harness.h"
#include "video.h"
#include "nameentry/nameentry.h"

#include <SDL.h>
#include <SDL_ttf.h>
#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string entry(const std::string &name, int score) {
    return "  " + name + std::string(33, ' ') + std::to_string(score) + std::string(35, ' ') + "\n";
}

// The headless driver ends the process with status 0 when its script runs out, which
// would pass a test whose screen never finished. Turn that into a failure.
bool scripted_run_active = false;
void fail_if_script_ran_out() {
    if (!scripted_run_active) return;
    std::fprintf(stderr, "the script ran out before the screen finished\n");
    _exit(1);
}

} // namespace

TEST(NameEntryGrid, DigitsLettersAndTheOddLastRow) {
    EXPECT_EQ(grid_char(0, 0), '0');
    EXPECT_EQ(grid_char(9, 0), '9');
    EXPECT_EQ(grid_char(0, 1), 'A');
    EXPECT_EQ(grid_char(9, 2), 'T');
    // U V X Y W Z: W comes after X and Y.
    EXPECT_EQ(std::string({grid_char(0, 3), grid_char(1, 3), grid_char(2, 3), grid_char(3, 3),
                           grid_char(4, 3), grid_char(5, 3)}),
              "UVXYWZ");
    for (int column = 6; column <= 9; ++column)
        EXPECT_EQ(grid_char(column, 3), '\0') << column;
    EXPECT_EQ(grid_char(-1, 0), '\0');
    EXPECT_EQ(grid_char(10, 0), '\0');
    EXPECT_EQ(grid_char(0, 4), '\0');
}

TEST(NameEntryKeys, MovesWrapAndTheCursorFollows) {
    reset_name_entry();
    name_entry_key(SDLK_LEFT);
    EXPECT_EQ(letrasX, 9);
    EXPECT_EQ(dst_CursorLetras.x, 238);
    name_entry_key(SDLK_UP);
    EXPECT_EQ(letrasY, 3);
    EXPECT_EQ(dst_CursorLetras.y, 181);
    name_entry_key(SDLK_RIGHT);
    EXPECT_EQ(letrasX, 0);
    EXPECT_EQ(dst_CursorLetras.x, 67);
    name_entry_key(SDLK_DOWN);
    EXPECT_EQ(letrasY, 0);
    EXPECT_EQ(dst_CursorLetras.y, 127);
    name_entry_key(SDLK_DOWN);
    name_entry_key(SDLK_RIGHT);
    name_entry_key(SDLK_RIGHT);
    EXPECT_EQ(dst_CursorLetras.x, 105);
    EXPECT_EQ(dst_CursorLetras.y, 145);
    // Keys without a meaning here move nothing, and there is no way out.
    for (SDLKey key : {SDLK_LALT, SDLK_ESCAPE, SDLK_RETURN, SDLK_a, SDLK_q})
        EXPECT_FALSE(name_entry_key(key));
    EXPECT_EQ(letrasX, 2);
    EXPECT_EQ(letrasY, 1);
    EXPECT_EQ(hiscore, 0);
}

TEST(NameEntryKeys, ConfirmKeepsThePreviewAndDeleteStepsBack) {
    reset_name_entry();
    preview_slot();
    EXPECT_STREQ(ScoreLetraX, "0");
    letrasX = 2;
    letrasY = 1;
    preview_slot();
    EXPECT_STREQ(ScoreLetraX, "C");
    EXPECT_FALSE(name_entry_key(SDLK_LCTRL));
    EXPECT_EQ(hiscore, 1);
    preview_slot(); // the release of the confirm shows the same letter in the next slot
    EXPECT_STREQ(ScoreLetraY, "C");
    // A cell without a character previews nothing.
    letrasX = 7;
    letrasY = 3;
    ScoreLetraY[0] = 'Q';
    preview_slot();
    EXPECT_STREQ(ScoreLetraY, "Q");
    // Delete empties the current slot and steps back; the slot before keeps its letter.
    letrasX = DELETE_COLUMN;
    letrasY = DELETE_ROW;
    preview_slot();
    EXPECT_FALSE(name_entry_key(SDLK_LCTRL));
    EXPECT_STREQ(ScoreLetraY, "");
    EXPECT_EQ(hiscore, 0);
    EXPECT_STREQ(ScoreLetraX, "C");
    // On the first slot delete empties it and stays there.
    name_entry_key(SDLK_LCTRL);
    name_entry_key(SDLK_LCTRL);
    EXPECT_STREQ(ScoreLetraX, "");
    EXPECT_EQ(hiscore, 0);
    // Confirming on a cell without a character keeps what the slot holds.
    name_entry_key(SDLK_LEFT);
    EXPECT_FALSE(name_entry_key(SDLK_LCTRL));
    EXPECT_FALSE(name_entry_key(SDLK_LCTRL));
    EXPECT_TRUE(name_entry_key(SDLK_LCTRL)); // the third confirm completes the name
    EXPECT_STREQ(ScoreLetraX, "");
    EXPECT_STREQ(ScoreLetraY, "");
    EXPECT_STREQ(ScoreLetraZ, "0");
}

// Whole name entries on the virtual clock, in a throw-away game directory.
class NameEntryRun : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        open_test_video();
        std::atexit(fail_if_script_ran_out);
    }
    void SetUp() override {
        ASSERT_NE(screen, nullptr);
        char here[4096];
        ASSERT_NE(getcwd(here, sizeof here), nullptr);
        home = here;
        ASSERT_EQ(chdir(dir.path().c_str()), 0);
        reset_name_entry();
        count_song = 99;
        nSCORE = 1234;
        // Black behind the texts: every white pixel is one of them.
        images[0] = new_score;
        images[1] = letras_score;
        images[2] = cursor_score;
        new_score = letras_score = cursor_score = nullptr;
        SDL_FillRect(screen, nullptr, 0);
    }
    void TearDown() override {
        new_score = images[0];
        letras_score = images[1];
        cursor_score = images[2];
        headless_start_virtual();
        ASSERT_EQ(chdir(home.c_str()), 0);
    }

    // Runs the screen on `keys`; the script's long tail keeps the clock from running out.
    void run(const std::string &keys) {
        dir.write("keys.script", keys + "wait 600000\n");
        std::string error;
        headless_start_virtual();
        ASSERT_TRUE(headless_start_script(dir.file("keys.script"), dir.file("keys.trace"), error))
            << error;
        scripted_run_active = true;
        EXPECT_EQ(name_entry(), TO_MENU_CYCLE_START);
        scripted_run_active = false;
        finished_at = platform_ticks();
        EXPECT_EQ(hiscoreMENU, 1);
        EXPECT_EQ(letraX, nullptr);
        EXPECT_EQ(letraY, nullptr);
        EXPECT_EQ(letraZ, nullptr);
    }

    static int white_pixels(int y0, int y1) {
        Uint32 white = SDL_MapRGB(screen->format, 255, 255, 255);
        int n = 0;
        SDL_LockSurface(screen);
        for (int y = y0; y < y1; ++y)
            for (int x = 0; x < 320; ++x)
                if (pixel_value(screen, x, y) == white) ++n;
        SDL_UnlockSurface(screen);
        return n;
    }

    GameDir dir;
    std::string home;
    Uint32 finished_at = 0;
    SDL_Surface *images[3] = {};
};

TEST_F(NameEntryRun, ThreeConfirmsWithoutMovingWriteThreeZeros) {
    run("tap LCTRL\ntap LCTRL\ntap LCTRL\n");
    EXPECT_EQ(dir.read("data/DATA6.dat"), entry("000", 1234));
    EXPECT_LT(finished_at, 1000u);
}

TEST_F(NameEntryRun, MovesWrapAcrossTheGrid) {
    count_song = 3;
    nSCORE = 0;
    run("tap UP\n"                                                           // row 0 wraps to row 3
        "tap RIGHT\ntap RIGHT\ntap RIGHT\ntap RIGHT\ntap RIGHT\ntap LCTRL\n" // Z
        "tap DOWN\ntap DOWN\ntap LCTRL\n"                                    // row 3 wraps: F
        "tap LEFT\ntap LEFT\ntap LEFT\ntap LEFT\ntap LEFT\ntap LEFT\ntap LCTRL\n"); // J
    EXPECT_EQ(dir.read("data/DATA3.dat"), entry("ZFJ", 0));
    EXPECT_FALSE(dir.exists("data/DATA6.dat"));
}

TEST_F(NameEntryRun, SlotsEmptiedByDeleteAreWrittenEmpty) {
    run("tap LCTRL\n"        // slot 1 takes "0"
        "tap UP\ntap LEFT\n" // the delete cell; slot 2 showed "U" on the way
        "tap LCTRL\n"        // delete slot 2, back to slot 1
        "tap LCTRL\n"        // delete slot 1
        "tap LEFT\n"         // a cell without a character
        "tap LCTRL\ntap LCTRL\ntap LCTRL\n");
    // Slots 1 and 2 are empty; slot 3 never received a character and holds its "0".
    EXPECT_EQ(dir.read("data/DATA6.dat"), entry("0", 1234));
    EXPECT_EQ(dir.read("data/DATA6.dat").size(), 71u + 1 + 4);
}

TEST_F(NameEntryRun, NameTypedAgainAfterDelete) {
    run("tap DOWN\ntap LCTRL\n"                     // A
        "tap LCTRL\n"                               // A again
        "tap DOWN\ntap DOWN\ntap LEFT\ntap LCTRL\n" // delete the third slot, back to the second
        "tap UP\ntap UP\ntap LCTRL\n"               // J over the kept A
        "tap RIGHT\ntap RIGHT\ntap LCTRL\n");       // B
    EXPECT_EQ(dir.read("data/DATA6.dat"), entry("AJB", 1234));
}

TEST_F(NameEntryRun, FreshInstallationKeepsTheFirstScore) {
    ASSERT_EQ(rmdir(dir.file("data").c_str()), 0);
    run("tap LCTRL\ntap LCTRL\ntap LCTRL\n");
    EXPECT_EQ(dir.read("data/DATA6.dat"), entry("000", 1234));
    EXPECT_LT(finished_at, 1000u);
    EXPECT_EQ(white_pixels(98, 124), 0); // no notice
}

TEST_F(NameEntryRun, UnsavedScoreIsAnnouncedForTwoSeconds) {
    ASSERT_EQ(rmdir(dir.file("data").c_str()), 0);
    dir.write("data", "in the way");
    run("tap LCTRL\ntap LCTRL\ntap LCTRL\n");
    EXPECT_EQ(dir.read("data"), "in the way");
    EXPECT_GE(finished_at, 2000u);
    EXPECT_LT(finished_at, 3000u);
    EXPECT_GT(white_pixels(98, 124), 50); // "SCORE NOT SAVED" under the slots
}
