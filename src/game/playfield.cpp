// Playfield layers and HUD texts, redrawn whole every song frame.
#include "game/playfield.h"

#include "engine/assets.h"
#include "engine/fastblit.h"
#include "engine/draw.h"
#include "game/score.h"
#include "game/look.h"
#include "game/song.h"

#include <cstdio>
#include <initializer_list>

SDL_Rect dst_rectalpha = {0, 0, 0, 0};
SDL_Rect dst_rectLinha = {80, 0, 0, 0};
SDL_Rect src_rectFrets = {0, 0, 200, 33};
SDL_Rect dst_rectFrets = {80, 215, 0, 0};
SDL_Rect dst_rectScore = {0, 5, 0, 0};
SDL_Rect dst_rectRockBar = {298, 10, 0, 0};
SDL_Rect src_multiplicador1 = {0, 0, 77, 19};
SDL_Rect src_multiplicador2 = {0, 19, 77, 19};
SDL_Rect src_multiplicador3 = {0, 38, 77, 19};
SDL_Rect dst_multiplicador = {0, 180, 0, 0};
SDL_Rect dst_rectPontos = {40, 11, 0, 0};
SDL_Rect dst_rectHits = {40, 29, 0, 0};

namespace {

// The chosen neck in planes, taken again at every carrega_img (before every song).
BlendPlanes neck_planes;

// The chosen backdrop or neck; none for a choice outside 0..3.
SDL_Surface *pick(int choice, SDL_Surface *a, SDL_Surface *b, SDL_Surface *c, SDL_Surface *d) {
    switch (choice) {
    case 0:
        return a;
    case 1:
        return b;
    case 2:
        return c;
    case 3:
        return d;
    default:
        return nullptr;
    }
}

// Backdrop, neck through the scrolling camera, lane lines, fret row and score panel.
void draw_still_layers() {
    if (SDL_Surface *bg = pick(bg_menu, BG00, BG01, BG02, BG03))
        blit(bg, nullptr, screen, &dst_rectalpha);
    // The camera's x of -80 makes the clipper start the copy 80 pixels right, under the lanes.
    if (SDL_Surface *neck = pick(nk_menu, nk0, nk1, nk2, nk3)) {
        SDL_Rect at = {0, 0, 0, 0};
        if (neck_planes.image == neck)
            blit_blended(neck_planes, &camera, screen, &at);
        else
            apply_surface(0, 0, neck, screen, &camera);
    }
    key_white(my_surfLinha);
    blit(my_surfLinha, nullptr, screen, &dst_rectLinha);
    key_magenta(my_surfFrets);
    blit(my_surfFrets, &src_rectFrets, screen, &dst_rectFrets);
    key_magenta(my_surfScore);
    blit(my_surfScore, nullptr, screen, &dst_rectScore);
}

// One, two or three multiplier frames by the streak, each drawn over the one before.
void draw_multiplier() {
    key_magenta(multiplicador);
    blit(multiplicador, &src_multiplicador1, screen, &dst_multiplicador);
    if (nHITS >= 5) blit(multiplicador, &src_multiplicador2, screen, &dst_multiplicador);
    if (nHITS >= 10) blit(multiplicador, &src_multiplicador3, screen, &dst_multiplicador);
}

void draw_number(const char *text, SDL_Rect *at) {
    SDL_Surface *s = render_text(font_small1, text, color_white);
    blit(s, nullptr, screen, at);
    free_text(s);
}

} // namespace

void carrega_img() {
    key_white(my_surfLinha);
    key_magenta(my_surfFrets);
    key_white(my_surfNotas);
    key_magenta(my_surfScore);
    key_magenta(my_surfRockometro);
    key_magenta(my_surfRockometro2);
    key_magenta(my_surfloading2);
    for (SDL_Surface *neck : {nk0, nk1, nk2, nk3})
        if (neck) SDL_SetAlpha(neck, SDL_SRCALPHA, 200);
    take_planes(neck_planes, pick(nk_menu, nk0, nk1, nk2, nk3));
    draw_still_layers();
    // During the countdown the meter shows its cover whole.
    blit(my_surfRockometro, nullptr, screen, &dst_rectRockBar);
    draw_multiplier();
}

void draw_playfield_layers() {
    draw_still_layers();
    key_magenta(my_surfRockometro2);
    blit(my_surfRockometro2, nullptr, screen, &dst_rectRockBar);
    draw_multiplier();
}

void format_hud_numbers() {
    snprintf(texto, sizeof texto, "%d", nSCORE);
    snprintf(texto2, sizeof texto2, "%d", nHITS);
}

void draw_hud_numbers() {
    draw_number(texto, &dst_rectPontos);
    draw_number(texto2, &dst_rectHits);
}

void format_song_timer(int clock_ms, char *out, size_t size) {
    int sec = (clock_ms / 1000) % 60;
    int min = (clock_ms / 60000) % 60;
    snprintf(out, size, "Timer: %02d:%02d", min, sec);
}

void draw_song_timer() {
    format_song_timer(msec, timer_msec, sizeof timer_msec);
    SDL_Surface *s = render_text(font_small1, timer_msec, color_white);
    apply_surface0(0, 50, s, screen, nullptr);
    free_text(s);
}

void scroll_neck() {
    camera.y = static_cast<Sint16>(camera.y - 10);
    if (camera.y <= 0) camera.y = 540;
}
