// Game look options: three values from 0 to 3 and a back entry.
#include "menus/gamelook.h"

#include "engine/assets.h"
#include "engine/draw.h"
#include "platform/buttons.h"
#include "platform/platform.h"
#include "engine/sound.h"
#include "game/look.h"
#include "menus/vmenu.h"
#include "menus/menustate.h"

#include <cstdio>

namespace {

const int BACK_ENTRY = 3;

// The three values, one per entry, and the row their number is shown in.
struct LookValue {
    int *value;
    int y;
};
const LookValue look_values[3] = {{&bg_menu, 68}, {&flame_menu, 103}, {&nk_menu, 136}};
const int VALUE_X = 268;

// RIGHT raises the value of `entry` to at most 3, LEFT lowers it to at least 0; the back
// entry has no value.
void step_value(int entry, int delta) {
    if (entry < 0 || entry >= BACK_ENTRY) return;
    int &v = *look_values[entry].value;
    if (delta > 0)
        v = v + 1 > LOOK_MAX ? LOOK_MAX : v + 1;
    else
        v = v - 1 < 0 ? 0 : v - 1;
}

} // namespace

Next game_look() {
    SDL_Surface *numbers[3] = {nullptr, nullptr, nullptr};
    for (;;) {
        for (SDL_Surface *&n : numbers)
            free_text(n);
        cursor_count = clamp_cursor(cursor_count, BACK_ENTRY);
        SDL_Rect origin = {0, 0, 0, 0};
        blit(menu_configuregame, nullptr, screen, &origin);
        for (int i = 0; i < 3; ++i) {
            std::snprintf(texto3, sizeof texto3, "%d", *look_values[i].value);
            numbers[i] = draw_text_at(font_small1, texto3, color_white, VALUE_X, look_values[i].y);
        }
        draw_cursor(cursor_count);
        platform_flip(screen);
        SDL_Event event;
        if (!platform_poll(&event, SCREEN_GAME_LOOK) || event.type != SDL_KEYDOWN) continue;
        switch (event.key.keysym.sym) {
        case SDLK_UP:
            play_effect(BATIDA);
            --cursor_count;
            break;
        case SDLK_DOWN:
            play_effect(BATIDA);
            ++cursor_count;
            break;
        case SDLK_RIGHT:
            step_value(cursor_count, +1);
            break;
        case SDLK_LEFT:
            step_value(cursor_count, -1);
            break;
        case BUTTON_A:
            if (cursor_count != BACK_ENTRY) break;
            play_effect(ACEITA);
            menu7 = 1;
            cursor_count = 0;
            for (SDL_Surface *&n : numbers)
                free_text(n);
            return TO_MAIN_MENU_ENTRY;
        default:
            break;
        }
    }
}
