// The pictures around a song on a real 16-bit screen: playfield HUD, results, song selection.
#include "pixels.h"
#include "engine/assets.h"
#include "engine/draw.h"
#include "songs/catalogue.h"
#include "headless/session.h"
#include "platform/platform.h"
#include "game/lanes.h"
#include "game/notes.h"
#include "game/playfield.h"
#include "game/results.h"
#include "game/score.h"
#include "game/song.h"
#include "menus/songselect.h"
#include "songrun.h"
#include "video.h"

#include <SDL.h>
#include <SDL_ttf.h>
#include <climits>
#include <gtest/gtest.h>

namespace {

class SongScreens : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { open_test_video(); }
    void SetUp() override {
        ASSERT_NE(screen, nullptr);
        ASSERT_NE(font_title, nullptr);
        headless_start_virtual();
        SDL_FillRect(screen, nullptr, 0);
        wins = loses = 0;
        nSCORE = nHITS = tHITS = nHit = Balanca = nSTREAK = 0;
    }

    static Uint16 pixel(const SDL_Surface *s, int x, int y) {
        return static_cast<Uint16>(pixel_value(s, x, y));
    }
    static int count_colour(int y0, int y1, Uint8 r, Uint8 g, Uint8 b) {
        Uint16 want = static_cast<Uint16>(SDL_MapRGB(screen->format, r, g, b));
        int n = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = 0; x < 320; ++x)
                n += pixel(screen, x, y) == want;
        return n;
    }
    // True when rows y0..y1-1 of the screen show exactly `text` centred at row `top` on
    // black.
    static bool rows_show_centred(TTF_Font *font, const char *text, int top, int y0, int y1) {
        SDL_Surface *expected =
            SDL_CreateRGBSurface(SDL_SWSURFACE, 320, 240, 16, screen->format->Rmask,
                                 screen->format->Gmask, screen->format->Bmask, 0);
        SDL_FillRect(expected, nullptr, 0);
        SDL_Surface *t = render_text(font, text, color_white);
        SDL_Rect at = {static_cast<Sint16>(centred_x(t ? t->w : 0)), static_cast<Sint16>(top), 0,
                       0};
        blit(t, nullptr, expected, &at);
        free_text(t);
        bool same = true;
        for (int y = y0; y < y1 && same; ++y)
            for (int x = 0; x < 320 && same; ++x)
                same = pixel(expected, x, y) == pixel(screen, x, y);
        SDL_FreeSurface(expected);
        return same;
    }
};

TEST_F(SongScreens, TimerTextShowsMinutesAndSeconds) {
    char text[50];
    format_song_timer(65432, text, sizeof text);
    EXPECT_STREQ(text, "Timer: 01:05");
    format_song_timer(9000, text, sizeof text);
    EXPECT_STREQ(text, "Timer: 00:09");
    format_song_timer(3600000 + 61000, text, sizeof text); // minutes wrap at the hour
    EXPECT_STREQ(text, "Timer: 01:01");
}

TEST_F(SongScreens, TheNeckScrollsTenPixelsAndWrapsAtTheTop) {
    camera.y = 540;
    for (int i = 0; i < 53; ++i)
        scroll_neck();
    EXPECT_EQ(camera.y, 10);
    scroll_neck(); // reaching 0 starts again from the bottom of the image
    EXPECT_EQ(camera.y, 540);
    EXPECT_EQ(camera.x, -80);
}

TEST_F(SongScreens, TheMultiplierPanelFollowsTheStreak) {
    // Three stacked frames in red, green and blue: the last one drawn shows at (0, 180).
    SDL_Surface *sheet = SDL_CreateRGBSurface(SDL_SWSURFACE, 77, 57, 24, 0xff, 0xff00, 0xff0000, 0);
    const Uint8 colours[3][3] = {{200, 0, 0}, {0, 200, 0}, {0, 0, 200}};
    for (int i = 0; i < 3; ++i) {
        SDL_Rect band = {0, static_cast<Sint16>(19 * i), 77, 19};
        SDL_FillRect(sheet, &band,
                     SDL_MapRGB(sheet->format, colours[i][0], colours[i][1], colours[i][2]));
    }
    SDL_Surface *kept = multiplicador;
    multiplicador = sheet;
    const int streaks[] = {-1, 4, 5, 9, 10, 40};
    const int frame_shown[] = {0, 0, 1, 1, 2, 2};
    for (int i = 0; i < 6; ++i) {
        nHITS = streaks[i];
        draw_playfield_layers();
        const Uint8 *c = colours[frame_shown[i]];
        EXPECT_EQ(pixel(screen, 10, 185), SDL_MapRGB(screen->format, c[0], c[1], c[2]))
            << "streak " << nHITS;
    }
    multiplicador = kept;
    SDL_FreeSurface(sheet);
}

TEST_F(SongScreens, OnlyEveryFifthWinUpToTwentyAnnouncesAGuitar) {
    count_song = 0;
    for (int before : {3, 4, 5, 9, 14, 19, 20, 24}) {
        SDL_FillRect(screen, nullptr, 0);
        wins = before;
        win_sequence();
        EXPECT_EQ(wins, before + 1);
        bool announced = count_colour(160, 175, 255, 255, 0) > 0;
        EXPECT_EQ(announced, before + 1 <= 20 && (before + 1) % 5 == 0) << "win " << wins;
    }
}

TEST_F(SongScreens, AWonTutorialCountsNoWin) {
    count_song = TUTORIAL_INDEX;
    wins = 4;
    win_sequence();
    EXPECT_EQ(wins, 4);
    EXPECT_EQ(count_colour(160, 175, 255, 255, 0), 0);
}

TEST_F(SongScreens, TheResultsScreenShowsScoreAccuracyAndLongestStreak) {
    // Every note hit, chords pressed together: the two-lane adjustment has taken from
    // tHITS, yet the accuracy counts the marked notes.
    count_song = TUTORIAL_INDEX;
    nSCORE = 1740;
    tHITS = 59;
    nSTREAK = 64;
    for (int n = 0; n < chart_tutorial.count; ++n)
        lane_at(chart_tutorial.notes[n].lane)->marks[chart_tutorial.notes[n].slot] = true;
    dst_Nota1[0].y = 120;
    Uint32 before = platform_ticks();
    win_sequence();
    // Banner for 2 s, results for 4 s; the notes are back at the top for the next song.
    EXPECT_EQ(platform_ticks() - before, 6000u);
    EXPECT_EQ(dst_Nota1[0].y, 0);
    EXPECT_EQ(percent_score, 100);
    EXPECT_TRUE(rows_show_centred(font_title, "1740", 60, 60, 90));
    EXPECT_TRUE(rows_show_centred(font_small2, "ACCURACY: 100 percents", 180, 180, 190));
    // The streak line starts 10 rows under the accuracy line, over its lower part.
    int h = TTF_FontHeight(font_small2);
    EXPECT_TRUE(rows_show_centred(font_small2, "LONGEST NOTE STREAK: 64", 190, 180 + h, 190 + h));
}

TEST_F(SongScreens, AFailCountsALossAndHoldsThreeSeconds) {
    count_song = TUTORIAL_INDEX;
    loses = 2;
    wins = 3;
    dst_Nota3[5].y = 200;
    Uint32 before = platform_ticks();
    fail_sequence();
    EXPECT_EQ(loses, 3);
    EXPECT_EQ(wins, 3);
    EXPECT_EQ(platform_ticks() - before, 3000u);
    EXPECT_EQ(dst_Nota3[5].y, 0);
    // Counts at the top of the int range, as a doctored progress file can leave them, stay.
    loses = wins = INT_MAX;
    fail_sequence();
    count_song = 0;
    win_sequence();
    EXPECT_EQ(loses, INT_MAX);
    EXPECT_EQ(wins, INT_MAX);
}

TEST_F(SongScreens, TheSelectionPageShowsTheCountsAndACentredFooter) {
    wins = 3;
    loses = 0;
    draw_song_page(0);
    EXPECT_TRUE(rows_show_centred(font_small1, "Press A play or B back to MENU", 220, 220, 240));
    SDL_Surface *first = SDL_ConvertSurface(screen, screen->format, SDL_SWSURFACE);
    wins = 13;
    loses = 7;
    draw_song_page(0);
    // Only the two counter lines change: rows 120.. and 140.. at the left.
    int changed_outside = 0, changed_wins = 0, changed_loses = 0;
    for (int y = 0; y < 240; ++y)
        for (int x = 0; x < 320; ++x) {
            if (pixel(first, x, y) == pixel(screen, x, y)) continue;
            if (y >= 120 && y < 135 && x < 100)
                ++changed_wins;
            else if (y >= 140 && y < 155 && x < 100)
                ++changed_loses;
            else
                ++changed_outside;
        }
    EXPECT_GT(changed_wins, 0);
    EXPECT_GT(changed_loses, 0);
    EXPECT_EQ(changed_outside, 0);
    SDL_FreeSurface(first);
}

TEST(SongSelection, PagesWrapAround) {
    EXPECT_EQ(step_song(0, -1), 4);
    EXPECT_EQ(step_song(4, +1), 0);
    EXPECT_EQ(step_song(2, +1), 3);
}

} // namespace
