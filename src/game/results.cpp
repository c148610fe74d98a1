// Song end: the failure banner, the win banner and the results screen.
#include "game/results.h"

#include "engine/assets.h"
#include "engine/draw.h"
#include "songs/catalogue.h"
#include "platform/platform.h"
#include "engine/sound.h"
#include "game/notes.h"
#include "game/score.h"
#include "game/unlocks.h"

#include <SDL_mixer.h>
#include <climits>
#include <cstdio>

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

void draw_banner(SDL_Surface *banner) {
    key_magenta(banner);
    SDL_Rect origin = {0, 0, 0, 0};
    blit(banner, nullptr, screen, &origin);
}

} // namespace

// A counter that a doctored progress file may start at the top of the int range stays there.
static void count_up(int &counter) {
    if (counter < INT_MAX) counter += 1;
}

namespace {

// Indexed by the tens of the accuracy; 0..19 share the first overlay.
SDL_Rect *const star_bands[11] = {
    &src_star1, &src_star1, &src_star2, &src_star3, &src_star4,  &src_star5,
    &src_star6, &src_star7, &src_star8, &src_star9, &src_star10,
};

} // namespace

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

void fail_sequence() {
    draw_banner(show_lose);
    zerar_notas();
    if (audio_open) {
        Mix_PauseMusic();
        Mix_Pause(-1);
    }
    play_effect(PTRUIM);
    count_up(loses);
    platform_flip(screen);
    platform_delay(3000);
}

void win_sequence() {
    // The song's music plays on under the results.
    play_effect(PTPOWER);
    draw_banner(show_win);
    percent_score = accuracy_percent(count_song);
    platform_flip(screen);
    zerar_notas();
    platform_delay(2000);

    SDL_Rect origin = {0, 0, 0, 0};
    blit(show_you_win, nullptr, screen, &origin);
    draw_star_rating(percent_score);

    SDL_Surface *unlock = nullptr, *score = nullptr, *accuracy = nullptr, *longest = nullptr;
    const SongEntry *song = song_entry(count_song);
    if (!song || !song->tutorial) {
        count_up(wins);
        if (unlocks_guitar(wins))
            unlock =
                draw_text_centred(font_small2, "NEW GUITAR UNLOCK IN GALERY!", color_yellow, 160);
    }
    snprintf(texto3, sizeof texto3, "%d", nSCORE);
    score = draw_text_centred(font_title, texto3, color_white, 60);
    snprintf(texto3, sizeof texto3, "ACCURACY: %d percents", percent_score);
    accuracy = draw_text_centred(font_small2, texto3, color_white, 180);
    snprintf(texto3, sizeof texto3, "LONGEST NOTE STREAK: %d", nSTREAK);
    longest = draw_text_centred(font_small2, texto3, color_white, 190);
    platform_flip(screen);
    platform_delay(4000);
    free_text(unlock);
    free_text(score);
    free_text(accuracy);
    free_text(longest);
}
