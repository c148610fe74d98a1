// song.ini: the metadata of a song folder, read from any bytes.
#pragma once
#include <cstddef>
#include <string>

// Only this much of a song.ini is read; past it a file is not a song.ini a player wrote.
const size_t SONG_INI_READ_LIMIT = 64 * 1024;

// A song's metadata. Texts are UTF-8 without formatting tags ("" when not given); numbers
// are -1 when not given (a written -1 means the same), `delay_ms` 0.
struct SongMeta {
    std::string name, artist, album, genre, year, charter, loading_phrase, icon;
    long long song_length_ms = -1; // information only
    long long preview_start_ms = -1;
    long long delay_ms = 0;              // positive: the notes come later against the audio
    long long diff_guitar = -1;          // 0..6 as the charter rates the guitar part
    long long sustain_cutoff_ticks = -1; // MIDI sustains shorter than this are plain notes
};

// Reads the [song] section of a song.ini held in `data` (keys in any case, ';' and '#'
// comment lines, UTF-8 with or without byte-order mark or Latin-1). Values not readable
// are left unset; any bytes give a result.
void parse_song_ini(const char *data, size_t size, SongMeta &meta);

// Fills the fields of `meta` that are unset from `other` (the chart's own metadata).
void merge_song_meta(SongMeta &meta, const SongMeta &other);
