// Vertical menus: a cursor over five labelled rows painted in the backdrop.
#include "menus/vmenu.h"

#include "engine/assets.h"
#include "engine/draw.h"
#include "engine/sound.h"
#include "platform/buttons.h"

SDL_Rect src_rectCursor = {0, 66, 23, 16}, src_rectCursor1 = {0, 101, 23, 16},
         src_rectCursor2 = {0, 133, 23, 16}, src_rectCursor3 = {0, 168, 23, 16},
         src_rectCursor4 = {0, 203, 23, 16};
SDL_Rect dst_rectCursor = {5, 65, 0, 0}, dst_rectCursor1 = {5, 100, 0, 0},
         dst_rectCursor2 = {5, 134, 0, 0}, dst_rectCursor3 = {5, 165, 0, 0},
         dst_rectCursor4 = {5, 200, 0, 0};
SDL_Rect src_my_surfCursor1 = {0, 0, 28, 240};

int clamp_cursor(int cursor, int last) {
    if (cursor < 0) return 0;
    if (cursor > last) return last;
    return cursor;
}

void draw_cursor(int entry) {
    static SDL_Rect *const frames[5] = {&src_rectCursor, &src_rectCursor1, &src_rectCursor2,
                                        &src_rectCursor3, &src_rectCursor4};
    static SDL_Rect *const places[5] = {&dst_rectCursor, &dst_rectCursor1, &dst_rectCursor2,
                                        &dst_rectCursor3, &dst_rectCursor4};
    entry = clamp_cursor(entry, 4);
    key_magenta(my_surfCursor);
    blit(my_surfCursor, frames[entry], screen, places[entry]);
}

void draw_cursor_column(SDL_Surface *backdrop, int entry) {
    SDL_Rect origin = {0, 0, 0, 0};
    blit(backdrop, &src_my_surfCursor1, screen, &origin);
    draw_cursor(entry);
}

int run_vertical_menu(SDL_Surface *backdrop, int &cursor, ScreenId screen_id) {
    for (;;) {
        cursor = clamp_cursor(cursor, 4);
        draw_cursor_column(backdrop, cursor);
        platform_flip(screen);
        SDL_Event event;
        if (!platform_poll(&event, screen_id)) continue;
        if (event.type != SDL_KEYDOWN) continue;
        bool confirmed = false;
        switch (event.key.keysym.sym) {
        case SDLK_DOWN:
            play_effect(BATIDA);
            ++cursor;
            break;
        case SDLK_UP:
            play_effect(BATIDA);
            --cursor;
            break;
        case BUTTON_A:
            play_effect(ACEITA);
            confirmed = true;
            break;
        default:
            break;
        }
        // A key press changes nothing on the screen until the next pass draws it, so the
        // pass presents once.
        if (confirmed) return cursor;
    }
}

int open_vertical_menu(SDL_Surface *backdrop, int &cursor, ScreenId id) {
    SDL_Rect origin = dst_rectMenu;
    blit(backdrop, nullptr, screen, &origin);
    platform_flip(screen);
    return run_vertical_menu(backdrop, cursor, id);
}
