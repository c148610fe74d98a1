// Main menu and play submenu dispatch.
#include "menus/mainmenu.h"

#include "engine/assets.h"
#include "engine/draw.h"
#include "platform/buttons.h"
#include "platform/platform.h"
#include "engine/sound.h"
#include "menus/vmenu.h"
#include "menus/credits.h"
#include "menus/gallery.h"
#include "menus/hiscoretable.h"
#include "menus/options.h"
#include "menus/songselect.h"
#include "menus/menustate.h"
#include "songs/catalogue.h"

namespace {
SDL_Rect dst_rodape = {100, 220, 0, 0};
} // namespace

Next run_main_menu() {
    run_vertical_menu(main_menu, cursor_count, SCREEN_MAIN_MENU);
    menu1 = 1;
    switch (cursor_count) {
    case 0:
        menu2 = 1;
        return TO_PLAY_SUBMENU;
    case 1:
        return guitar_gallery();
    case 2:
        return options_menu();
    case 3:
        return credits();
    default:
        platform_exit(0);
    }
}

Next run_play_submenu() {
    menu3 = 0;
    menu4 = 0;
    open_vertical_menu(main_menu1_1, cursor_count2, SCREEN_PLAY_MENU);
    menu3 = 1;
    switch (cursor_count2) {
    case 0:
        career();
        return TO_PLAY_SUBMENU;
    case 1:
        return song_selection();
    case 2:
        count_song = tutorial_song();
        menu4 = 1;
        free_menu_music();
        return TO_SONG_START;
    case 3:
        return highscore_table();
    default:
        return TO_MAIN_MENU_ENTRY;
    }
}

void career() {
    SDL_Surface *footer = nullptr;
    for (;;) {
        free_text(footer);
        SDL_Rect origin = dst_rectMenu;
        blit(my_surfCarrer, nullptr, screen, &origin);
        SDL_Rect at = dst_rodape;
        footer = render_text(font_small1, "Press B back to MENU", color_white);
        blit(footer, nullptr, screen, &at);
        platform_flip(screen);
        SDL_Event event;
        if (platform_poll(&event, SCREEN_CAREER) && event.type == SDL_KEYDOWN &&
            event.key.keysym.sym == BUTTON_B) {
            play_effect(CANCELA);
            free_text(footer);
            return;
        }
    }
}
