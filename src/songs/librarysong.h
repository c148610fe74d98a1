// The library song being played: the folder chosen in the library, read at one difficulty
// and put into the catalogue under one song index of its own.
#pragma once
#include "songs/songfolder.h"

#include <SDL.h>
#include <cstdint>
#include <string>
#include <vector>

// The song index of the library song, outside the built-in indices (0..4, 99).
const int LIBRARY_SONG = 1000;
// What the song clock runs past the last note's end before the song is won (or to the
// chart's end event, if that is later).
const int LIBRARY_END_TAIL_MS = 2000;

struct LibrarySong {
    std::string dir;     // the folder as chosen
    int difficulty = -1; // 0 easy .. 3 expert
    uint64_t chart_hash = 0;
    std::string title, album, band, page_title, highscore_file;
    std::vector<SongNote> notes;    // the part at `difficulty`, by time
    std::vector<std::string> stems; // audio files played together
    int guitar_stem = -1;           // index in `stems` of the guitar, -1 without one
    int end_ms = 0;                 // song clock at which the song is won
    SDL_Surface *cover = nullptr;   // album.png or album.jpg as loaded; nullptr without one
};

// The song last chosen by choose_library_song.
extern LibrarySong library_song;

// Reads the song folder `dir` at `difficulty` (0 easy .. 3 expert) and makes it the chosen
// song: the catalogue entry LIBRARY_SONG takes its title, cover, highscore file and end
// time, and count_song is set to it. Returns false with a one-line `reason` (leaving
// count_song alone) when the folder cannot be played at that difficulty. The caller then
// frees the menu music and goes to the song start, as for a built-in song.
bool choose_library_song(const std::string &dir, int difficulty, std::string &reason);

// True for the song index of a library song.
bool is_library_song(int song);

// The highscore file of a library song: data/song-<16 hex digits>-<difficulty>.txt, named by
// the chart file's hash so that a renamed or moved folder keeps its scores.
std::string library_highscore_path(uint64_t chart_hash, int difficulty);

// Song clock (ms) at which a note at `time_ms` in the song's audio is heard: the audio
// reaches the speaker one output buffer after the clock starts with it.
int library_heard_ms(int time_ms);
