// The song catalogue: everything that differs between the six songs, by song index.
#pragma once
#include "songs/charts.h"

#include <SDL.h>
#include <SDL_mixer.h>

// Song indices: 0..SONG_COUNT-1 on the selection screen, TUTORIAL_SONG from the play menu.
const int SONG_COUNT = 5;
const int TUTORIAL_SONG = 99;

// The chosen song: 0..4, or 99 for the tutorial; the gallery's page index too.
extern int count_song;

struct SongEntry {
    const char *title; // selection page texts; empty for the tutorial
    const char *album;
    const char *band;
    SDL_Surface **cover;    // the cover global (nullptr for the tutorial)
    Mix_Music **music;      // the recording's global, loaded at start-up
    const char *music_path; // the file it was loaded from
    void (*playback)();     // one frame of the song's chart
    const Chart *chart;
    int end_ms; // the song is won once msec reaches this
    const char *highscore_file;
};

// The entry of song 0..4 or 99; nullptr for any other index.
const SongEntry *song_entry(int song);
