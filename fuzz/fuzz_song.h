// What every song folder read must give, whatever its chart held: a one-line reason, or
// notes in order within the limits.
#pragma once
#include "songs/songfolder.h"

#include <cstdlib>

inline void check_song_folder(bool read, const SongFolder &song) {
    if (read != song.reason.empty()) std::abort();
    if (song.reason.find('\n') != std::string::npos || song.reason.size() > 80) std::abort();
    if (!read) return;
    bool any = false;
    for (const std::vector<SongNote> &notes : song.notes) {
        if (notes.size() > NOTES_MAX) std::abort();
        any = any || !notes.empty();
        for (size_t i = 0; i < notes.size(); ++i) {
            const SongNote &n = notes[i];
            if (n.lane < 1 || n.lane > 5 || n.length_ms < 0) std::abort();
            if (n.time_ms < -SONG_TIME_MAX_MS || n.time_ms > SONG_TIME_MAX_MS) std::abort();
            if (n.time_ms + static_cast<long long>(n.length_ms) > SONG_TIME_MAX_MS) std::abort();
            if (i > 0 && (notes[i - 1].time_ms > n.time_ms ||
                          (notes[i - 1].time_ms == n.time_ms && notes[i - 1].lane > n.lane)))
                std::abort();
        }
    }
    if (!any) std::abort();
    for (int opens : song.open_notes)
        if (opens < 0) std::abort();
}
