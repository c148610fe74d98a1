// The start of a song: the loading screen with its growing bar, and the countdown.
#pragma once
#include <SDL.h>
#include <SDL_mixer.h>

extern SDL_Rect src_loading1, src_loading2, src_loading3, src_loading4, src_loading5;
extern SDL_Rect dst_loading; // the loading bar (80, 170)

// Shows the loading screen (2.2 s) and the countdown "3", "2", "1" (3 s), then starts
// `music` once and the song clock with it: start = the clock now. No input is read.
// With `stems`, the stems opened with stems_open start instead of `music`.
void song_start(Mix_Music *music, const char *music_path, bool stems = false);
