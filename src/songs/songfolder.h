// A song folder as the game reads it: metadata, the lead guitar's notes in milliseconds
// at four difficulties, the audio stems and cover found, or why it cannot be played.
#pragma once
#include "songs/songini.h"
#include "songs/tickchart.h"

#include <cstdio>
#include <string>
#include <vector>

// Notes, sections and the end must lie within an hour of the audio's start (either way);
// a sustain running past it is cut there.
const int SONG_TIME_MAX_MS = 3600 * 1000;
// Entries of a folder looked at; a song folder holds a dozen files.
const int FOLDER_ENTRIES_MAX = 4096;

struct SongNote {
    int lane;      // 1..5: green, red, yellow, blue, orange
    int time_ms;   // time in the song's audio, after the tempo map and every offset
    int length_ms; // sustain, 0 for none
};

struct SongStem {
    std::string name; // "song", "guitar", "drums_1", ...
    std::string path;
};

struct SongSection {
    int time_ms;
    std::string name;
};

struct SongFolder {
    std::string dir;
    std::string chart_path;                  // the chart read: notes.mid, notes.midi or notes.chart
    std::string cover_path;                  // album.png or album.jpg, "" when there is none
    std::string preview_path;                // the preview clip, "" when there is none
    SongMeta meta;                           // song.ini, completed by the chart's own names
    std::vector<SongNote> notes[DIFF_COUNT]; // by time, lanes rising within a chord
    int open_notes[DIFF_COUNT] = {};         // open notes of the chart, left out
    std::vector<SongStem> stems;             // the audio played together
    std::vector<SongSection> sections;
    int end_ms = -1;    // the chart's end event, -1 without one
    std::string reason; // one line saying why the song cannot be played; "" when it can
};

// Reads the song folder `dir`: song.ini, the chart (notes.mid, notes.midi, notes.chart in
// that order, names in any case), stems, preview and cover. Returns false with
// `song.reason` set when the folder holds no playable lead guitar part.
bool read_song_folder(const std::string &dir, SongFolder &song);

// The audio of the song folder `dir` alone, as read_song_folder finds it: the stems played
// together and the preview clip ("" when there is none). False when the folder cannot be
// listed.
bool find_song_audio(const std::string &dir, std::vector<SongStem> &stems, std::string &preview);

// Turns a chart read from a file into `song`'s notes, sections and end, with the chart's
// offset and `song.meta.delay_ms`. Returns false with `song.reason` set when no
// difficulty has a note or a note lies outside SONG_TIME_MAX_MS.
bool song_notes_from_chart(const TickChart &chart, SongFolder &song);

// The difficulty named "easy", "medium", "hard" or "expert"; -1 for anything else.
int difficulty_named(const char *name);

// Prints the notes of `dir` at `difficulty` as "lane,time_ms,length_ms" lines in time
// order. Returns 0; or 2 after printing the one-line reason when the folder cannot be
// read or has no notes at that difficulty.
int print_song_notes(const char *dir, int difficulty, FILE *out);
