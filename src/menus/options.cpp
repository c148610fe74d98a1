// Options menu: five entries over the options backdrop, each opening its own screen.
#include "menus/options.h"

#include "engine/assets.h"
#include "engine/draw.h"
#include "platform/platform.h"
#include "engine/sound.h"
#include "menus/vmenu.h"
#include "menus/gamelook.h"
#include "menus/keyconfig.h"
#include "menus/savemenu.h"
#include "menus/volume.h"
#include "menus/menustate.h"

Next options_menu() {
    // The main menu's cursor is borrowed; the chosen entry's screen goes on with it, so
    // the game look opens on its entry 1 and the save menu on its entry 3.
    cursor_count = 0;
    open_vertical_menu(my_surfMenu3, cursor_count, SCREEN_OPTIONS);
    menu5 = 1;
    switch (cursor_count) {
    case 0:
        return key_configuration();
    case 1:
        return game_look();
    case 2:
        return volume_screen();
    case 3:
        return save_menu();
    default:
        menu6 = 1;
        play_effect(CANCELA);
        return TO_MAIN_MENU_ENTRY;
    }
}
