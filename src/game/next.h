// Where a screen hands over when it ends: the program's flow reads it and runs the next one.
#pragma once

enum Next {
    TO_MENU_CYCLE_START, // menu music restarted, judgement and name-entry state reset
    TO_MAIN_MENU_ENTRY,  // song counters and menu flags reset, main menu drawn
    TO_PLAY_SUBMENU,
    TO_SONG_START, // play count_song; the menu music has been released
    TO_NAME_ENTRY, // a won song's name entry
};
