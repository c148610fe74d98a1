// The song catalogue: everything that differs between songs, one entry per song, looked
// up by song index. The built-in songs fill it at start; more can be added at run time.
#pragma once
#include "songs/charts.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <cstdio>

// The chosen song: 0..4, or 99 for the tutorial; the gallery's page index too.
extern int count_song;

// Song recordings of the built-in songs, loaded at start-up and played once each time
// their song starts.
extern Mix_Music *Tutorial, *Paranoid, *RunToTheHills, *AceOfSpads, *HighwayToHell,
    *ForWhomTheBellsTools;

struct SongEntry {
    int index;         // the song index that count_song holds while it is chosen
    const char *title; // selection page texts; empty for the tutorial
    const char *album;
    const char *band;
    SDL_Surface **cover;    // the cover surface (nullptr for the tutorial)
    Mix_Music **music;      // the recording's handle, loaded at start-up; an entry that
                            // brings none is given `recording`
    const char *music_path; // the file it is loaded from
    const Chart *chart;
    int end_ms; // the song is won once msec reaches this
    const char *highscore_file;
    const char *page_title; // title of its highscore table page, blanks included
    bool tutorial;          // reached from the play submenu, no selection page, no win counted
    Mix_Music *recording = nullptr;
};

// Entries in catalogue order (the built-in songs 0..4, then the tutorial): `i` from 0 to
// song_count() - 1; nullptr outside.
int song_count();
const SongEntry *song_at(int i);
// The entry of song index `song`; nullptr for an index no entry has.
const SongEntry *song_entry(int song);
// The chart of song index `song`; nullptr for an index no entry has.
const Chart *chart_for_song(int song);
// The song index of the tutorial.
int tutorial_song();
// Appends an entry; entries already handed out stay where they are. Returns false, adding
// nothing, when its index is taken already or it names no highscore file.
bool add_song(const SongEntry &entry);
// Makes `entry` the one song played from outside the list: song_entry finds it by its
// index, while song_count and song_at (the selection pages, the highscore table) leave it
// out. A later call replaces it in place, so pointers to it stay valid. False, changing
// nothing, when a listed entry has its index or it names no highscore file.
bool set_unlisted_song(const SongEntry &entry);

// Loads every entry's recording into its handle; a missing file leaves a null handle.
void load_song_music();

// Prints the chart of song index `song` as CSV lines "lane,spawn,slot" in chart order.
// Returns 0, or 2 for an unknown index (nothing printed).
int print_chart(int song, FILE *out);
