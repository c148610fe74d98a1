// Song counters and the rules that move them.
#include "game/score.h"

#include "engine/assets.h"
#include "engine/draw.h"
#include "engine/sound.h"
#include "game/notes.h"
#include "game/playfield.h"
#include "songs/catalogue.h"

#include <cstdio>

int nSCORE, nHITS, tHITS, nHit, nSTREAK, Balanca;
int xNULL, xGOOD, xMISS;
int percent_score;

SDL_Rect dst_nota_status = {20, 100, 0, 0};

SDL_Rect src_rectRockBarA = {0, 0, 11, 0};
SDL_Rect src_rectRockBarB = {0, 0, 11, 10};
SDL_Rect src_rectRockBarC = {0, 0, 11, 20};
SDL_Rect src_rectRockBarD = {0, 0, 11, 40};
SDL_Rect src_rectRockBarE = {0, 0, 11, 50};
SDL_Rect src_rectRockBarF = {0, 0, 11, 70};
SDL_Rect src_rectRockBar1 = {0, 0, 11, 80};
SDL_Rect src_rectRockBar2 = {0, 0, 11, 90};
SDL_Rect src_rectRockBar3 = {0, 0, 11, 100};
SDL_Rect src_rectRockBar4 = {0, 0, 11, 120};
SDL_Rect src_rectRockBar5 = {0, 0, 11, 140};
SDL_Rect src_rectRockBar6 = {0, 0, 11, 150};
SDL_Rect src_rectRockBar7 = {0, 0, 11, 160};

SDL_Rect src_star1 = {0, 0, 21, 39};
SDL_Rect src_star2 = {0, 0, 41, 39};
SDL_Rect src_star3 = {0, 0, 63, 39};
SDL_Rect src_star4 = {0, 0, 83, 39};
SDL_Rect src_star5 = {0, 0, 105, 39};
SDL_Rect src_star6 = {0, 0, 125, 39};
SDL_Rect src_star7 = {0, 0, 147, 39};
SDL_Rect src_star8 = {0, 0, 167, 39};
SDL_Rect src_star9 = {0, 0, 189, 39};
SDL_Rect src_star10 = {0, 0, 209, 39};
SDL_Rect dst_starNull = {55, 100, 0, 0};

namespace {

const int METER_MIN = -6, METER_MAX = 6;
// Streak values at which the multiplier steps up; the bonus step skips past each.
const int STEP_TWO = 5, STEP_THREE = 10;
// The hit since the main menu entry that does not lengthen the streak.
const int STREAK_SKIPPING_HIT = 6;

// Indexed by METER_MAX - Balanca: full meter first.
SDL_Rect *const rock_covers[METER_MAX - METER_MIN + 1] = {
    &src_rectRockBarA, &src_rectRockBarB, &src_rectRockBarC, &src_rectRockBarD, &src_rectRockBarE,
    &src_rectRockBarF, &src_rectRockBar1, &src_rectRockBar2, &src_rectRockBar3, &src_rectRockBar4,
    &src_rectRockBar5, &src_rectRockBar6, &src_rectRockBar7,
};

// Indexed by the tens of the accuracy; 0..19 share the first overlay.
SDL_Rect *const star_bands[11] = {
    &src_star1, &src_star1, &src_star2, &src_star3, &src_star4,  &src_star5,
    &src_star6, &src_star7, &src_star8, &src_star9, &src_star10,
};

} // namespace

int multiplier(int streak) {
    if (streak >= STEP_THREE) return 3;
    if (streak >= STEP_TWO) return 2;
    return 1;
}

void score_hit() {
    xGOOD = 1;
    nSCORE += 10 * multiplier(nHITS);
    Balanca += 1;
    tHITS += 1;
    nHit += 1;
    if (nHit != STREAK_SKIPPING_HIT) nHITS += 1;
}

void score_miss() {
    xMISS = 1;
    Balanca -= 1;
    nHITS = 0;
}

void feedback_reset() {
    xNULL = 1;
    xMISS = 0;
    xGOOD = 0;
}

void score_two_lane() {
    Balanca += 2;
    if (nHITS != 0) {
        nHITS -= 2;
        tHITS -= 2;
    }
}

void streak_bonus() {
    if (nHITS == STEP_TWO) {
        play_effect(ESTRELA_MAIS);
        nHITS = STEP_TWO + 1;
    }
    if (nHITS == STEP_THREE) {
        play_effect(ESTRELA_MAIS);
        nHITS = STEP_THREE + 1;
    }
}

void longest_streak_update() {
    if (nSTREAK < nHITS) nSTREAK += 1;
}

void clamp_meter() {
    if (Balanca >= METER_MAX) Balanca = METER_MAX;
    if (Balanca < METER_MIN + 1) Balanca = METER_MIN;
}

bool meter_empty() { return Balanca < METER_MIN + 1; }

void judgement_word() {
    if (xNULL == 1) snprintf(textoE, sizeof textoE, "%s", "");
    if (xGOOD == 1) snprintf(textoE, sizeof textoE, "%s", "GOOD");
    if (xMISS == 1) {
        snprintf(textoE, sizeof textoE, "%s", "MISS");
        play_effect(ERRO4);
    }
    SDL_Surface *word = render_text(font_small2, textoE, color_white);
    blit(word, nullptr, screen, &dst_nota_status);
    free_text(word);
}

const SDL_Rect *rock_meter_cover(int balanca) {
    if (balanca > METER_MAX) balanca = METER_MAX;
    if (balanca < METER_MIN) balanca = METER_MIN;
    return rock_covers[METER_MAX - balanca];
}

void draw_rock_meter_cover() {
    // Over the full bar, at its corner; a copy, since the blit writes the drawn size back.
    SDL_Rect at = {dst_rectRockBar.x, dst_rectRockBar.y, 0, 0};
    SDL_Rect cover = *rock_meter_cover(Balanca);
    if (cover.h == 0) return; // a full meter shows the whole bar
    key_magenta(my_surfRockometro);
    blit(my_surfRockometro, &cover, screen, &at);
}

int accuracy_percent(int song) {
    // The share of the chart's notes hit, from the hit marks: tHITS cannot serve, since the
    // two-lane adjustment takes from it and a note hit twice adds to it.
    const Chart *chart = chart_for_song(song);
    if (!chart || chart->count <= 0) return 0;
    return notes_hit(*chart) * 100 / chart->count;
}

SDL_Rect *star_overlay(int percent) {
    if (percent < 0 || percent > 100) return nullptr;
    return star_bands[percent / 10];
}

void draw_star_rating(int percent) {
    key_magenta(starNull);
    blit(starNull, nullptr, screen, &dst_starNull);
    SDL_Rect *overlay = star_overlay(percent);
    if (!overlay) return;
    // dst_starNull now holds the empty row's size; the overlay starts at the same corner.
    SDL_Rect at = {dst_starNull.x, dst_starNull.y, 0, 0};
    key_magenta(star);
    blit(star, overlay, screen, &at);
}
