// The program's spine: the menu cycle start, the main menu entry and which screen runs next.
#pragma once
#include <SDL.h>

// Where a screen hands over when it ends.
enum Next {
    TO_MENU_CYCLE_START, // menu music restarted, judgement and name-entry state reset
    TO_MAIN_MENU_ENTRY,  // song counters and menu flags reset, main menu drawn
    TO_PLAY_SUBMENU,
    TO_SONG_START, // play count_song; the menu music has been released
    TO_NAME_ENTRY, // a won song's name entry
};

// Loop-exit flags of the nested menus, all cleared at the main menu entry.
extern int menu1, menu2, menu3, menu4, menu5, menu6, menu7, menu8;
// Main-menu cursor (0..4), also borrowed by the options screens; never reset.
extern int cursor_count;
// Play-submenu cursor (0..4), reset at the main menu entry.
extern int cursor_count2;
// The chosen song: 0..4, or 99 for the tutorial; the gallery's page index too.
extern int count_song;
// Full-screen blit destinations.
extern SDL_Rect dst_rectintro, dst_rectMenu;

// Runs the intro and then the screens for ever; leaves only through the exit entry.
[[noreturn]] void run_flow();

// The two re-entry points, without their screens (used by tests as well).
void menu_cycle_start();
void main_menu_entry_reset();
