// The screen flow: the intro, then for ever the menus, songs and name entries, handing
// over through the menu cycle start and the main menu entry.
#include "app/flow.h"

#include "engine/assets.h"
#include "engine/draw.h"
#include "menus/intro.h"
#include "menus/mainmenu.h"
#include "menus/menustate.h"
#include "menus/songselect.h"
#include "songs/catalogue.h"
#include "songs/librarysong.h"
#include "platform/platform.h"
#include "engine/sound.h"
#include "game/score.h"
#include "game/song.h"
#include "nameentry/nameentry.h"

#include <cstdio>

std::string flow_start_song;
int flow_start_difficulty = DIFF_EXPERT;

namespace {

// The way into a library song from the library: the menu cycle start and the main menu
// entry pass, then the song is chosen and the menu music freed.
Next start_with_library_song() {
    menu_cycle_start();
    main_menu_entry_reset();
    std::string reason;
    if (!choose_library_song(flow_start_song, flow_start_difficulty, reason)) {
        std::fprintf(stderr, "fretfall: %s: %s\n", flow_start_song.c_str(), reason.c_str());
        return TO_MAIN_MENU_ENTRY;
    }
    free_menu_music();
    return TO_SONG_START;
}

} // namespace

void menu_cycle_start() {
    start_menu_music();
    xNULL = xGOOD = xMISS = 0;
    BPS = 10;
    count_song = 0;
    reset_name_entry();
}

void main_menu_entry_reset() {
    // The longest streak is not a per-song counter: it survives from song to song.
    nSCORE = nHITS = tHITS = nHit = Balanca = msec = 0;
    menu1 = menu2 = menu3 = menu4 = menu5 = menu6 = menu7 = menu8 = 0;
    count_song = 0;
    cursor_count2 = 0;
    song_select_library = false;
}

void run_flow() {
    Next next = TO_MENU_CYCLE_START;
    if (flow_start_song.empty())
        intro();
    else
        next = start_with_library_song();
    for (;;) {
        switch (next) {
        case TO_MENU_CYCLE_START:
            menu_cycle_start();
            next = TO_MAIN_MENU_ENTRY;
            break;
        case TO_MAIN_MENU_ENTRY: {
            main_menu_entry_reset();
            SDL_Rect origin = dst_rectMenu;
            blit(main_menu, nullptr, screen, &origin);
            platform_flip(screen);
            next = run_main_menu();
            break;
        }
        case TO_PLAY_SUBMENU:
            next = run_play_submenu();
            break;
        case TO_SONG_START:
            next = play_song();
            break;
        case TO_NAME_ENTRY:
            next = name_entry();
            break;
        }
    }
}
