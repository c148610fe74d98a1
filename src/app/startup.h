// Start-up: loads every asset, opens audio, fonts and the 320x240 window, then runs the
// screens. Shared by the game and the headless driver.
#pragma once

// The game's entry function. Returns only on a start-up failure: 1 when image or font
// files are missing, -1 when the font library cannot start.
int fretfall_main();

// Loads library_entries: the cache in data/, then a walk of the library's roots, with a
// progress line on the screen while song folders are read; the cache is written again when
// anything changed. Without song folders nothing is drawn or written.
void load_song_library();
