// The library song being played: reading the chosen folder into the catalogue's entry.
#include "songs/librarysong.h"

#include "engine/sound.h"
#include "songs/catalogue.h"
#include "songs/library.h"

#include <SDL_image.h>
#include <algorithm>
#include <cinttypes>
#include <cstdio>

LibrarySong library_song;

namespace {

// The song clock at which the song is won: the chart's end event, but no sooner than
// LIBRARY_END_TAIL_MS after the last note's end is heard.
int song_end_ms(const SongFolder &folder, const std::vector<SongNote> &notes) {
    long long last = 0;
    for (const SongNote &n : notes)
        last = std::max(last, static_cast<long long>(n.time_ms) + n.length_ms);
    last = std::min<long long>(last, SONG_TIME_MAX_MS);
    int end = library_heard_ms(static_cast<int>(last)) + LIBRARY_END_TAIL_MS;
    return std::max(end, folder.end_ms >= 0 ? library_heard_ms(folder.end_ms) : 0);
}

void load_cover(const std::string &path) {
    if (library_song.cover) SDL_FreeSurface(library_song.cover);
    library_song.cover = path.empty() ? nullptr : IMG_Load(path.c_str());
}

} // namespace

bool choose_library_song(const std::string &dir, int difficulty, std::string &reason) {
    if (difficulty < 0 || difficulty >= DIFF_COUNT) {
        reason = "no such difficulty";
        return false;
    }
    SongFolder folder;
    if (!read_song_folder(dir, folder)) {
        reason = folder.reason.empty() ? "cannot be read" : folder.reason;
        return false;
    }
    if (folder.notes[difficulty].empty()) {
        reason = std::string("no ") + difficulty_names[difficulty] + " notes";
        return false;
    }
    LibrarySong &s = library_song;
    s.dir = dir;
    s.difficulty = difficulty;
    s.chart_hash = chart_file_hash(folder.chart_path);
    s.title = folder.meta.name.empty() ? dir.substr(dir.find_last_of('/') + 1) : folder.meta.name;
    s.album = folder.meta.album;
    s.band = folder.meta.artist;
    s.page_title = "<        " + s.title + "        >";
    s.highscore_file = library_highscore_path(s.chart_hash, difficulty);
    s.notes = std::move(folder.notes[difficulty]);
    s.stems.clear();
    s.guitar_stem = -1;
    for (const SongStem &stem : folder.stems) {
        if (stem.name == "guitar") s.guitar_stem = static_cast<int>(s.stems.size());
        s.stems.push_back(stem.path);
    }
    s.end_ms = song_end_ms(folder, s.notes);
    load_cover(folder.cover_path);

    SongEntry entry{};
    entry.index = LIBRARY_SONG;
    entry.title = s.title.c_str();
    entry.album = s.album.c_str();
    entry.band = s.band.c_str();
    entry.cover = &s.cover;
    entry.music = nullptr;
    entry.music_path = s.dir.c_str();
    entry.chart = nullptr;
    entry.end_ms = s.end_ms;
    entry.highscore_file = s.highscore_file.c_str();
    entry.page_title = s.page_title.c_str();
    entry.tutorial = false;
    if (!set_unlisted_song(entry)) {
        reason = "no place in the catalogue";
        return false;
    }
    count_song = LIBRARY_SONG;
    return true;
}

bool is_library_song(int song) { return song == LIBRARY_SONG; }

std::string library_highscore_path(uint64_t chart_hash, int difficulty) {
    char path[64];
    const char *name =
        difficulty >= 0 && difficulty < DIFF_COUNT ? difficulty_names[difficulty] : "unknown";
    std::snprintf(path, sizeof path, "data/song-%016" PRIx64 "-%s.txt", chart_hash, name);
    return path;
}

int library_heard_ms(int time_ms) { return time_ms + OUTPUT_LATENCY_MS; }
