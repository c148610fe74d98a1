// Song end: the failure banner, the win banner and the results screen.
#include "game/results.h"

#include "engine/assets.h"
#include "engine/draw.h"
#include "songs/catalogue.h"
#include "platform/platform.h"
#include "engine/sound.h"
#include "game/notes.h"
#include "game/score.h"
#include "menus/gallery.h"

#include <SDL_mixer.h>
#include <climits>
#include <cstdio>


namespace {

const int TUTORIAL = 99;
const int GALLERY_PAGES = 4;

void draw_banner(SDL_Surface *banner) {
    key_magenta(banner);
    SDL_Rect origin = {0, 0, 0, 0};
    blit(banner, nullptr, screen, &origin);
}

} // namespace

// A win count announces a guitar when it is exactly what some gallery page asks for;
// wins beyond the last page announce nothing.
bool unlocks_guitar(int win_count) {
    for (int page = 0; page < GALLERY_PAGES; ++page)
        if (win_count == gallery_unlock_wins(page)) return true;
    return false;
}

// A counter that a doctored progress file may start at the top of the int range stays there.
static void count_up(int &counter) {
    if (counter < INT_MAX) counter += 1;
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
    if (count_song != TUTORIAL) {
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
