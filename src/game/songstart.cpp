// Loading screen and countdown, each step shown with a flip of its own.
#include "game/songstart.h"

#include "engine/assets.h"
#include "engine/draw.h"
#include "platform/platform.h"
#include "engine/sound.h"
#include "game/playfield.h"
#include "game/song.h"

SDL_Rect src_loading1 = {0, 0, 30, 43}, src_loading2 = {0, 0, 55, 43},
         src_loading3 = {0, 0, 92, 43}, src_loading4 = {0, 0, 127, 43},
         src_loading5 = {0, 0, 150, 43};
SDL_Rect dst_loading = {80, 170, 0, 0};

namespace {

// Draws one countdown number over the playfield and holds it for a second.
void show_count(SDL_Surface *number) {
    key_magenta(number);
    SDL_Rect origin = {0, 0, 0, 0};
    blit(number, nullptr, screen, &origin);
    platform_flip(screen);
    platform_delay(1000);
}

} // namespace

void song_start(Mix_Music *music, const char *music_path, bool stems) {
    cor_fundo = SDL_MapRGB(screen->format, 0, 0, 0);
    SDL_FillRect(screen, nullptr, cor_fundo);
    SDL_Rect origin = {0, 0, 0, 0};
    blit(loading, nullptr, screen, &origin);
    platform_flip(screen);
    platform_delay(500);

    // Each step of the bar is drawn over the one before, so the bar grows.
    struct Step {
        SDL_Rect *frame;
        Uint32 hold_ms;
    };
    const Step bar[5] = {{&src_loading1, 300},
                         {&src_loading2, 300},
                         {&src_loading3, 300},
                         {&src_loading4, 300},
                         {&src_loading5, 500}};
    for (const Step &step : bar) {
        key_magenta(my_surfloading2);
        blit(my_surfloading2, step.frame, screen, &dst_loading);
        platform_flip(screen);
        platform_delay(step.hold_ms);
    }

    carrega_img();
    play_effect(EXPLOSAO); // once, with the "3"
    show_count(contagem3);
    carrega_img();
    show_count(contagem2);
    carrega_img();
    show_count(contagem1);

    // The song clock starts with the music, not with the first frame.
    if (stems)
        play_stems(music_path);
    else
        play_music(music, music_path, 0);
    carrega_img();
    start = static_cast<int>(platform_ticks());
}
