// The judgement word and the rock meter's cover.
#include "game/hud.h"

#include "engine/assets.h"
#include "engine/draw.h"
#include "engine/sound.h"
#include "game/playfield.h"
#include "game/score.h"

#include <cstdio>

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

namespace {

// Indexed by METER_MAX - Balanca: full meter first.
SDL_Rect *const rock_covers[METER_MAX - METER_MIN + 1] = {
    &src_rectRockBarA, &src_rectRockBarB, &src_rectRockBarC, &src_rectRockBarD, &src_rectRockBarE,
    &src_rectRockBarF, &src_rectRockBar1, &src_rectRockBar2, &src_rectRockBar3, &src_rectRockBar4,
    &src_rectRockBar5, &src_rectRockBar6, &src_rectRockBar7,
};

} // namespace

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
