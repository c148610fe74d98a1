// The song library: every song folder below the library's roots, found by a walk that
// reuses what an earlier walk saw of unchanged folders, and its entries sorted for the list.
#pragma once
#include "songs/tickchart.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// The walk goes at most this deep below a root, looks at most at this many entries of one
// directory, and keeps at most this many directories in all: a deep or huge tree ends the
// walk early instead of hanging it.
const int LIBRARY_DEPTH_MAX = 32;
const int LIBRARY_DIR_ENTRIES_MAX = 100000;
const int LIBRARY_FOLDERS_MAX = 200000;

// What the library list shows of a song folder; its notes are read again when it is picked.
struct LibraryEntry {
    std::string dir;   // the folder, as reached from its root
    std::string title; // song.ini's or the chart's name, else the folder's
    std::string artist, album, year, charter, genre;
    std::string cover_path;            // album.png or album.jpg, "" when there is none
    std::string preview_path;          // the preview clip, "" when there is none
    std::string reason;                // why it cannot be played (greyed); "" when it can
    int length_ms = 0;                 // song_length, else the end of the last note
    int preview_start_ms = -1;         // -1 when not given
    unsigned difficulties = 0;         // bit d set when difficulty d has notes
    int open_notes[DIFF_COUNT] = {};   // open notes of the chart, left out
    int stems = 0;                     // audio files played together; 0: the song is silent
    uint64_t chart_hash = 0;           // of the chart file's bytes (0 without one): the
                                       // highscores' key, so a moved folder keeps its scores
    std::string artist_key, title_key; // the sort's folded texts (not kept in the cache)
};

// A file's stamp: the folder is read again when it differs. Size -1: no such file.
struct FileStamp {
    long long size = -1;
    long long mtime_ns = 0;
    bool operator==(const FileStamp &o) const { return size == o.size && mtime_ns == o.mtime_ns; }
};

// A directory the walk looked at. A directory whose modification time is unchanged holds
// the same names, so the next walk takes its subdirectories from here without reading it.
struct LibraryFolder {
    std::string path;
    int parent = -1;        // index of the directory holding it; -1 for a root
    long long mtime_ns = 0; // the directory's own; 0 makes the next walk read it
    bool song = false;      // holds song.ini or a chart; its subdirectories are not walked
    std::string ini_name, chart_name; // as named in the folder, "" when absent
    FileStamp ini, chart;
    LibraryEntry entry; // a song folder's entry
};

// The library the game shows: loaded once at start-up, sorted by artist and title; empty
// when there is no song folder.
extern std::vector<LibraryEntry> library_entries;

// Called as the walk finds folders (total 0: still counting; done: song folders so far)
// and before each song folder is read (done of total), with the folder's path.
using LibraryProgress = std::function<void(int done, int total, const std::string &folder)>;

// The library's roots: "songs" in the working directory, and $XDG_DATA_HOME/fretfall/songs
// (~/.local/share/fretfall/songs when unset) for an installed game.
std::vector<std::string> library_roots();

// Walks `roots` (missing ones are skipped) and replaces `folders`, which holds an earlier
// walk's directories (or none), with this walk's, parents first. A directory whose time is
// unchanged is not read again; a song folder whose directory, song.ini and chart are
// unchanged keeps its entry; every other song folder is read. Symbolic links are followed,
// each directory at most once. Nothing is written. Returns true when anything changed.
bool scan_library(const std::vector<std::string> &roots, std::vector<LibraryFolder> &folders,
                  const LibraryProgress &progress);

// The entry of the song folder `dir` read now, with the stamps of its files.
void read_library_entry(LibraryFolder &folder);

// Sorts by artist, then title, without regard to case or accents (see library_sort_key).
void sort_library(std::vector<LibraryEntry> &entries);

// The text the sort compares: ASCII letters in lower case, and the accented Latin letters
// (U+00C0-U+017F) as their plain ones ("Motörhead" as "motorhead", "ß" as "ss"); other
// characters stay and sort after them by code point.
std::string library_sort_key(const std::string &text);

// Index of the first entry of the sorted `entries` whose artist starts with `letter`
// (either case, accents ignored); -1 when none does.
int library_first_with_letter(const std::vector<LibraryEntry> &entries, char letter);

// 64-bit FNV-1a of the bytes of `path`; 0 when it cannot be read or is over CHART_FILE_MAX.
uint64_t chart_file_hash(const std::string &path);
