// A song's playfield for unit tests: stand-in sheets on a 16-bit screen, counters at start.
#pragma once
#include "pixels.h"
#include "engine/assets.h"
#include "game/input.h"
#include "headless/session.h"
#include "platform/platform.h"
#include "engine/sound.h"
#include "game/judge.h"
#include "game/lanes.h"
#include "game/notes.h"
#include "game/score.h"
#include "game/song.h"
#include "game/look.h"
#include "video.h"

#include <SDL.h>
#include <gtest/gtest.h>
#include <vector>

// Test helpers, each doing what the song loop or a sheet would.
namespace song_test {

// The colour a test sheet uses for `tag` (lanes 1..5, flame sheets 10..13).
inline Uint32 tag_colour(SDL_PixelFormat *format, int tag) {
    return SDL_MapRGB(format, static_cast<Uint8>(40 * tag % 250), 100,
                      static_cast<Uint8>(255 - 15 * tag));
}
inline SDL_Surface *sheet(int w, int h, Uint8 r, Uint8 g, Uint8 b) {
    SDL_Surface *s = SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, 16, 0xf800, 0x07e0, 0x001f, 0);
    SDL_FillRect(s, nullptr, SDL_MapRGB(s->format, r, g, b));
    return s;
}
inline void paint(SDL_Surface *s, SDL_Rect area, int tag) {
    SDL_FillRect(s, &area, tag_colour(s->format, tag));
}
inline Uint16 pixel(int x, int y) { return static_cast<Uint16>(pixel_value(screen, x, y)); }
inline Uint16 tag_on_screen(int tag) {
    return static_cast<Uint16>(tag_colour(screen->format, tag));
}
inline void clear_screen() { SDL_FillRect(screen, nullptr, 0); }

// One frame of the song loop's note steps: park, play the chart at `clock`.
inline void run_frame(const Chart &chart, int clock) {
    parar_notas();
    msec = clock;
    play_chart(chart);
}
// The five fall-off checks, in the song loop's order.
inline void falloffs() {
    fret1_A();
    fret2_B();
    fret3_C();
    fret4_D();
    fret5_E();
}
// A key press on a lane as the song loop handles it: flag, pressed frame, judgement.
inline bool press(int lane) {
    A = B = C = D = E = 0;
    *lane_flag(lane) = 1;
    draw_pressed_fret(lane);
    return press_lane(lane);
}
// Any later event: the lane hit flags and, for a release, the lane flags are cleared.
inline void release() {
    A = B = C = D = E = 0;
    lane_release();
}

// A chart made of the given rows (which must outlive it).
inline Chart chart_of(const std::vector<ChartNote> &rows) {
    return Chart{rows.data(), static_cast<int>(rows.size())};
}

} // namespace song_test

class SongFixture : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { open_test_video(); }

    void SetUp() override {
        ASSERT_NE(screen, nullptr);
        headless_start_virtual();
        saved = {my_surfNotas, my_surfFrets, hitflames, hitflames1,       hitflames2,
                 hitflames3,   star,         starNull,  my_surfRockometro};
        // The note sheet: five frames side by side, a colour per lane.
        using namespace song_test;
        my_surfNotas = sheet(160, 23, 255, 255, 255);
        for (int lane = 1; lane <= 5; ++lane)
            paint(my_surfNotas, *lane_at(lane)->note_frame, lane);
        // The fret sheet: 200 wide, pressed frames from row 70.
        my_surfFrets = sheet(200, 93, 255, 0, 255);
        SDL_Surface **flames[4] = {&hitflames, &hitflames1, &hitflames2, &hitflames3};
        for (int i = 0; i < 4; ++i) {
            *flames[i] = sheet(352, 64, 255, 0, 255);
            SDL_Rect frame = {320, 0, 32, 64};
            paint(*flames[i], frame, 10 + i);
        }
        my_surfRockometro = sheet(11, 160, 30, 30, 30);
        starNull = sheet(209, 39, 60, 60, 60);
        star = sheet(209, 39, 250, 200, 0);
        zerar_notas();
        reset_counters();
    }
    void TearDown() override {
        for (SDL_Surface *s : {my_surfNotas, my_surfFrets, hitflames, hitflames1, hitflames2,
                               hitflames3, star, starNull, my_surfRockometro})
            SDL_FreeSurface(s);
        my_surfNotas = saved[0];
        my_surfFrets = saved[1];
        hitflames = saved[2];
        hitflames1 = saved[3];
        hitflames2 = saved[4];
        hitflames3 = saved[5];
        star = saved[6];
        starNull = saved[7];
        my_surfRockometro = saved[8];
        zerar_notas();
        reset_counters();
    }

    // Counters, flags and targets as the main menu entry leaves them.
    static void reset_counters() {
        nSCORE = nHITS = tHITS = nHit = Balanca = 0;
        xNULL = xGOOD = xMISS = 0;
        A = B = C = D = E = 0;
        lane_release();
        BPS = 10;
        msec = 0;
        flame_menu = 0;
        for (SDL_Rect *t : {&dst_fret1, &dst_fret2, &dst_fret3, &dst_fret4, &dst_fret5})
            t->w = t->h = 0;
    }

    std::vector<SDL_Surface *> saved;
};
