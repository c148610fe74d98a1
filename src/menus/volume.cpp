// Sound volume screen: a bar that grows with VOL and the number beside it.
#include "menus/volume.h"

#include "engine/assets.h"
#include "engine/draw.h"
#include "platform/buttons.h"
#include "platform/platform.h"
#include "engine/sound.h"
#include "menus/calibration.h"

#include <cstdio>

namespace {

const int VOL_STEP = 10;
const int VOL_MAX = 100; // the menus keep VOL below the mixer's own top of 128

// Bar frames of the bar sheet for VOL 10, 20, ... 100: all from its top-left corner,
// 66 rows high and wider with every step.
const SDL_Rect src_volume[10] = {
    {0, 0, 35, 66}, {0, 0, 43, 66}, {0, 0, 51, 66}, {0, 0, 59, 66}, {0, 0, 67, 66},
    {0, 0, 75, 66}, {0, 0, 83, 66}, {0, 0, 91, 66}, {0, 0, 98, 66}, {0, 0, 109, 66},
};
const SDL_Rect dst_volume = {105, 105, 0, 0};
const SDL_Rect dst_mesagem3 = {100, 180, 0, 0};
const int FOOTER_Y = 220;
// The way to the sync calibration, between the volume and the footer.
const int SYNC_HINT_Y = 205;

int clamp_volume(int v) { return v <= 0 ? 0 : v >= VOL_MAX ? VOL_MAX : v; }

// The bar of a multiple of 10 from 10 to 100; no bar at 0 or between steps.
void draw_bar(int volume) {
    if (volume < VOL_STEP || volume % VOL_STEP != 0) return;
    int frame = volume / VOL_STEP - 1;
    if (frame >= 10) return;
    SDL_Rect src = src_volume[frame], dst = dst_volume;
    key_magenta(Select_vol);
    blit(Select_vol, &src, screen, &dst);
}

} // namespace

Next volume_screen() {
    SDL_Surface *label = nullptr, *footer = nullptr, *hint = nullptr;
    for (;;) {
        free_text(label);
        free_text(footer);
        free_text(hint);
        SDL_Rect origin = {0, 0, 0, 0};
        blit(menu_sound, nullptr, screen, &origin);
        VOL = clamp_volume(VOL);
        draw_bar(VOL);
        apply_volume(); // the change of the last key press is heard at once
        std::snprintf(texto3, sizeof texto3, "VOLUME: %d", VOL);
        label = draw_text_at(font_title, texto3, color_white, dst_mesagem3.x, dst_mesagem3.y);
        hint = draw_text_centred(font_small1, "Press A for SYNC", color_white, SYNC_HINT_Y);
        footer = draw_text_centred(font_small1, "Press B back to MENU", color_white, FOOTER_Y);
        platform_flip(screen);
        SDL_Event event;
        if (!platform_poll(&event, SCREEN_VOLUME) || event.type != SDL_KEYDOWN) continue;
        switch (event.key.keysym.sym) {
        case SDLK_LEFT:
            VOL -= VOL_STEP;
            break;
        case SDLK_RIGHT:
            VOL += VOL_STEP;
            break;
        case BUTTON_A:
            play_effect(ACEITA);
            sync_calibration();
            break;
        case BUTTON_B:
            free_text(label);
            free_text(footer);
            free_text(hint);
            play_effect(CANCELA);
            return TO_MAIN_MENU_ENTRY;
        default:
            break;
        }
    }
}
