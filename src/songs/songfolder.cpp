// A song folder as the game reads it: the files found by name, the chart read and its
// ticks turned into milliseconds of the song's audio.
#include "songs/songfolder.h"

#include "songs/textchart.h"
#include "songs/midifile.h"
#include "songs/songtext.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <map>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Stems in the order they are listed; numbered drums replace plain drums.
const char *const stem_names[] = {"song",   "guitar",   "rhythm",   "bass",    "keys",
                                  "drums",  "drums_1",  "drums_2",  "drums_3", "drums_4",
                                  "vocals", "vocals_1", "vocals_2", "crowd"};
const char *const audio_extensions[] = {".opus", ".ogg", ".mp3", ".wav"};

// The regular files of `dir` by lower-cased name.
bool list_files(const std::string &dir, std::map<std::string, std::string> &files) {
    DIR *d = opendir(dir.c_str());
    if (!d) return false;
    int seen = 0;
    while (dirent *entry = readdir(d)) {
        if (++seen > FOLDER_ENTRIES_MAX) break;
        std::string path = dir + "/" + entry->d_name;
        struct stat st;
        if (stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode))
            files.emplace(ascii_lower(entry->d_name), path);
    }
    closedir(d);
    return true;
}

// The file's first `limit` bytes and its whole size.
bool read_file(const std::string &path, size_t limit, std::string &data, size_t &size) {
    int fd = open(path.c_str(), O_RDONLY);
    if (fd < 0) return false;
    struct stat st;
    bool ok = fstat(fd, &st) == 0;
    size = ok ? static_cast<size_t>(st.st_size) : 0;
    data.assign(std::min(size, limit), '\0');
    size_t got = 0;
    while (ok && got < data.size()) {
        ssize_t n = read(fd, &data[got], data.size() - got);
        if (n <= 0) break;
        got += static_cast<size_t>(n);
    }
    data.resize(got);
    close(fd);
    return ok;
}

std::string found(const std::map<std::string, std::string> &files, const std::string &name) {
    auto it = files.find(name);
    return it == files.end() ? std::string() : it->second;
}

std::string audio_file(const std::map<std::string, std::string> &files, const std::string &stem) {
    for (const char *ext : audio_extensions) {
        std::string path = found(files, stem + ext);
        if (!path.empty()) return path;
    }
    return "";
}

// The stems and the preview clip among `files`.
void audio_of(const std::map<std::string, std::string> &files, std::vector<SongStem> &stems,
              std::string &preview) {
    stems.clear();
    for (const char *stem : stem_names) {
        std::string path = audio_file(files, stem);
        if (!path.empty()) stems.push_back({stem, path});
    }
    auto numbered_drums = std::find_if(stems.begin(), stems.end(), [](const SongStem &s) {
        return s.name.compare(0, 6, "drums_") == 0;
    });
    if (numbered_drums != stems.end())
        stems.erase(std::remove_if(stems.begin(), stems.end(),
                                   [](const SongStem &s) { return s.name == "drums"; }),
                    stems.end());
    preview = audio_file(files, "preview");
}

int rounded(double ms) { return static_cast<int>(std::llround(ms)); }

bool past_limit(double ms) { return !(std::fabs(ms) <= SONG_TIME_MAX_MS); }

} // namespace

bool song_notes_from_chart(const TickChart &chart, SongFolder &song) {
    const TempoMap &tempo = chart.tempo;
    double shift = chart.offset_ms + static_cast<double>(song.meta.delay_ms);
    bool any = false;
    for (int d = 0; d < DIFF_COUNT; ++d) {
        song.notes[d].clear();
        song.notes[d].reserve(chart.notes[d].size());
        song.open_notes[d] = chart.open_notes[d];
        for (const TickNote &n : chart.notes[d]) {
            double start = tick_ms(tempo, n.tick) + shift;
            if (past_limit(start)) {
                song.reason = "notes past one hour";
                return false;
            }
            double end = n.length ? tick_ms(tempo, n.tick + n.length) + shift : start;
            end = std::min(end, static_cast<double>(SONG_TIME_MAX_MS));
            int time = rounded(start);
            song.notes[d].push_back({n.lane, time, rounded(end) - time});
        }
        // Ticks already come in order; rounding may bring two times together.
        std::stable_sort(
            song.notes[d].begin(), song.notes[d].end(), [](const SongNote &a, const SongNote &b) {
                return a.time_ms != b.time_ms ? a.time_ms < b.time_ms : a.lane < b.lane;
            });
        any = any || !song.notes[d].empty();
    }
    song.sections.clear();
    for (const ChartSection &s : chart.sections) {
        double at = tick_ms(tempo, s.tick) + shift;
        if (!past_limit(at)) song.sections.push_back({rounded(at), s.name});
    }
    double end = tick_ms(tempo, chart.end_tick) + shift;
    song.end_ms = chart.has_end && !past_limit(end) ? rounded(end) : -1;
    if (!any) song.reason = chart.has_guitar ? "no guitar notes" : "no guitar part";
    return any;
}

bool read_song_folder(const std::string &dir, SongFolder &song) {
    song = SongFolder();
    song.dir = dir;
    std::map<std::string, std::string> files;
    if (!list_files(dir, files)) {
        song.reason = "cannot open folder";
        return false;
    }
    std::string data;
    size_t size = 0;
    std::string ini = found(files, "song.ini");
    if (!ini.empty() && read_file(ini, SONG_INI_READ_LIMIT, data, size))
        parse_song_ini(data.data(), data.size(), song.meta);

    audio_of(files, song.stems, song.preview_path);
    song.cover_path = found(files, "album.png");
    if (song.cover_path.empty()) song.cover_path = found(files, "album.jpg");

    bool midi = true;
    for (const char *name : {"notes.mid", "notes.midi", "notes.chart"}) {
        song.chart_path = found(files, name);
        midi = std::strcmp(name, "notes.chart") != 0;
        if (!song.chart_path.empty()) break;
    }
    if (song.chart_path.empty()) {
        song.reason = "no chart";
        return false;
    }
    if (!read_file(song.chart_path, CHART_FILE_MAX, data, size)) {
        song.reason = "chart unreadable";
        return false;
    }
    if (size > CHART_FILE_MAX) {
        song.reason = "chart over 16 MB";
        return false;
    }
    if (data.size() < size) {
        song.reason = "chart cut short";
        return false;
    }
    if (data.empty()) {
        song.reason = "chart is empty";
        return false;
    }
    TickChart chart;
    bool read = midi ? read_midi(reinterpret_cast<const uint8_t *>(data.data()), data.size(),
                                 song.meta.sustain_cutoff_ticks, chart, song.reason)
                     : read_chart_text(data.data(), data.size(), chart, song.reason);
    if (!read) return false;
    merge_song_meta(song.meta, chart.meta);
    return song_notes_from_chart(chart, song);
}

bool find_song_audio(const std::string &dir, std::vector<SongStem> &stems, std::string &preview) {
    std::map<std::string, std::string> files;
    bool listed = list_files(dir, files);
    audio_of(files, stems, preview);
    return listed;
}

int difficulty_named(const char *name) {
    for (int d = 0; d < DIFF_COUNT; ++d)
        if (std::strcmp(name, difficulty_names[d]) == 0) return d;
    return -1;
}

int print_song_notes(const char *dir, int difficulty, FILE *out) {
    SongFolder song;
    if (!read_song_folder(dir, song)) {
        std::fprintf(out, "%s\n", song.reason.c_str());
        return 2;
    }
    if (song.notes[difficulty].empty()) {
        std::fprintf(out, "no %s notes\n", difficulty_names[difficulty]);
        return 2;
    }
    for (const SongNote &n : song.notes[difficulty])
        std::fprintf(out, "%d,%d,%d\n", n.lane, n.time_ms, n.length_ms);
    return 0;
}
