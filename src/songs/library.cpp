// The song library: the walk over the roots, the reading of new and changed song folders,
// and the sort of the entries by artist and title.
#include "songs/library.h"

#include "songs/songfolder.h"
#include "songs/songtext.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <unordered_map>
#include <unordered_set>
#include <utility>

std::vector<LibraryEntry> library_entries;

namespace {

// Chart names in the order a song folder's reader prefers them.
const char *const chart_names[] = {"notes.mid", "notes.midi", "notes.chart"};
// Song folders found between two progress calls of the walk.
const int WALK_PROGRESS_STEP = 50;

long long mtime_of(const struct stat &st) {
    return static_cast<long long>(st.st_mtim.tv_sec) * 1000000000LL + st.st_mtim.tv_nsec;
}

FileStamp stamp_of(const std::string &dir, const std::string &name) {
    FileStamp stamp;
    char path[8192];
    int n = std::snprintf(path, sizeof path, "%s/%s", dir.c_str(), name.c_str());
    struct stat st;
    if (!name.empty() && n > 0 && static_cast<size_t>(n) < sizeof path && stat(path, &st) == 0 &&
        S_ISREG(st.st_mode)) {
        stamp.size = static_cast<long long>(st.st_size);
        stamp.mtime_ns = mtime_of(st);
    }
    return stamp;
}

std::string base_name(const std::string &path) {
    size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// A directory's identity, whatever way leads to it.
struct DirId {
    dev_t dev;
    ino_t ino;
    bool operator==(const DirId &o) const { return dev == o.dev && ino == o.ino; }
};
struct DirIdHash {
    size_t operator()(const DirId &id) const { return std::hash<uint64_t>()(id.ino * 31 + id.dev); }
};

struct Walk {
    std::vector<LibraryFolder> &previous; // taken apart as its directories are found again
    std::vector<std::vector<int>> previous_children;
    std::vector<LibraryFolder> &folders;
    const LibraryProgress &progress;
    std::unordered_set<DirId, DirIdHash> visited;
    std::vector<int> to_read; // song folders to read, by index in `folders`
    int songs = 0;
    int matched = 0; // directories of `previous` seen unchanged
    bool changed = false;
};

void found_song(Walk &w, const std::string &path) {
    if (++w.songs % WALK_PROGRESS_STEP == 0 && w.progress) w.progress(w.songs, 0, path);
}

// Reads the names of `f`'s directory: its song.ini, its chart, its subdirectories.
bool list_directory(LibraryFolder &f, std::vector<std::string> &subdirs) {
    DIR *d = opendir(f.path.c_str());
    if (!d) return false;
    int entries = 0;
    size_t chart_rank = sizeof chart_names / sizeof *chart_names;
    while (dirent *e = readdir(d)) {
        if (++entries > LIBRARY_DIR_ENTRIES_MAX) break;
        // ".", ".." and hidden names are not part of the library.
        if (e->d_name[0] == '.') continue;
        std::string lower = ascii_lower(e->d_name);
        if (lower == "song.ini") {
            f.ini_name = e->d_name;
            continue;
        }
        for (size_t rank = 0; rank < chart_rank; ++rank)
            if (lower == chart_names[rank]) {
                chart_rank = rank;
                f.chart_name = e->d_name;
            }
        if (e->d_type == DT_DIR || e->d_type == DT_LNK || e->d_type == DT_UNKNOWN)
            subdirs.push_back(e->d_name);
    }
    closedir(d);
    f.song = !f.ini_name.empty() || !f.chart_name.empty();
    // Sorted, so that of two ways to one directory the same one is taken every time.
    std::sort(subdirs.begin(), subdirs.end());
    return true;
}

void walk(Walk &w, const std::string &path, int old, int parent, int depth) {
    struct stat st;
    if (static_cast<int>(w.folders.size()) >= LIBRARY_FOLDERS_MAX || stat(path.c_str(), &st) != 0 ||
        !S_ISDIR(st.st_mode))
        return;
    LibraryFolder *was = old >= 0 ? &w.previous[old] : nullptr;
    int index = static_cast<int>(w.folders.size());
    LibraryFolder f;
    f.path = path;
    f.parent = parent;
    if (!w.visited.insert(DirId{st.st_dev, st.st_ino}).second || depth > LIBRARY_DEPTH_MAX) {
        // Seen on another way (a link loop) or too deep: kept with time 0, so that the next
        // walk looks at it again.
        if (was && was->mtime_ns == 0 && !was->song)
            ++w.matched;
        else
            w.changed = true;
        w.folders.push_back(std::move(f));
        return;
    }
    f.mtime_ns = mtime_of(st);
    if (was && was->mtime_ns == f.mtime_ns) {
        ++w.matched;
        if (was->song) {
            if (!(stamp_of(path, was->ini_name) == was->ini &&
                  stamp_of(path, was->chart_name) == was->chart))
                w.to_read.push_back(index);
            was->parent = parent;
            w.folders.push_back(std::move(*was));
            found_song(w, path);
            return;
        }
        w.folders.push_back(std::move(f));
        for (int child : w.previous_children[old])
            walk(w, w.previous[child].path, child, index, depth + 1);
        return;
    }
    w.changed = true;
    std::vector<std::string> subdirs;
    if (!list_directory(f, subdirs)) f.mtime_ns = 0;
    bool song = f.song;
    w.folders.push_back(std::move(f));
    if (song) {
        w.to_read.push_back(index);
        found_song(w, path);
        return;
    }
    std::unordered_map<std::string, int> known;
    if (was)
        for (int child : w.previous_children[old]) {
            const std::string &child_path = w.previous[child].path;
            if (child_path.size() > path.size() + 1)
                known.emplace(child_path.substr(path.size() + 1), child);
        }
    for (const std::string &name : subdirs) {
        auto it = known.find(name);
        walk(w, path + "/" + name, it == known.end() ? -1 : it->second, index, depth + 1);
    }
}

// The accented Latin letters U+00C0-U+017F as plain lower-case ones; '*' marks the
// characters written out in `folded_special` and the signs kept as they are.
const char folded_latin[] = "aaaaaa*ceeeeiiiidnooooo*ouuuuy**"  // U+00C0-U+00DF
                            "aaaaaa*ceeeeiiiidnooooo*ouuuuy*y"  // U+00E0-U+00FF
                            "aaaaaaccccccccddddeeeeeeeeeegggg"  // U+0100-U+011F
                            "gggghhhhiiiiiiiiii**jjkkklllllll"  // U+0120-U+013F
                            "lllnnnnnnnnnoooooo**rrrrrrssssss"  // U+0140-U+015F
                            "ssttttttuuuuuuuuuuuuwwyyyzzzzzzs"; // U+0160-U+017F

const char *folded_special(unsigned code) {
    switch (code) {
    case 0xC6:
    case 0xE6:
        return "ae";
    case 0xDE:
    case 0xFE:
        return "th";
    case 0xDF:
        return "ss";
    case 0x132:
    case 0x133:
        return "ij";
    case 0x152:
    case 0x153:
        return "oe";
    default:
        return nullptr;
    }
}

} // namespace

std::vector<std::string> library_roots() {
    std::vector<std::string> roots{"songs"};
    const char *data = std::getenv("XDG_DATA_HOME");
    const char *home = std::getenv("HOME");
    // A relative XDG_DATA_HOME is invalid and ignored, as the base directory rules say.
    if (data && data[0] == '/')
        roots.push_back(std::string(data) + "/fretfall/songs");
    else if (home && home[0] == '/')
        roots.push_back(std::string(home) + "/.local/share/fretfall/songs");
    return roots;
}

bool scan_library(const std::vector<std::string> &roots, std::vector<LibraryFolder> &folders,
                  const LibraryProgress &progress) {
    std::vector<LibraryFolder> previous;
    previous.swap(folders);
    folders.reserve(previous.size() + 16);
    Walk w{
        previous, std::vector<std::vector<int>>(previous.size()), folders, progress, {}, {}, 0, 0,
        false};
    w.visited.reserve(previous.size() + 16);
    for (size_t i = 0; i < previous.size(); ++i) {
        int parent = previous[i].parent;
        if (parent >= 0 && parent < static_cast<int>(i))
            w.previous_children[parent].push_back(static_cast<int>(i));
    }
    std::vector<bool> root_taken(previous.size());
    for (std::string root : roots) {
        while (root.size() > 1 && root.back() == '/')
            root.pop_back();
        // A root named twice matches the earlier walk's second record of it.
        int old = -1;
        for (size_t i = 0; i < previous.size() && old < 0; ++i)
            if (previous[i].parent < 0 && !root_taken[i] && previous[i].path == root)
                old = static_cast<int>(i);
        if (old >= 0) root_taken[old] = true;
        walk(w, root, old, -1, 0);
    }
    int total = static_cast<int>(w.to_read.size());
    for (int done = 0; done < total; ++done) {
        LibraryFolder &f = folders[w.to_read[done]];
        if (progress) progress(done, total, f.path);
        read_library_entry(f);
    }
    if (progress) progress(total, total, "");
    return w.changed || total > 0 || w.matched != static_cast<int>(previous.size()) ||
           folders.size() != previous.size();
}

void read_library_entry(LibraryFolder &f) {
    // Stamped before reading: a file changed while it is read is read again next time.
    f.ini = stamp_of(f.path, f.ini_name);
    f.chart = stamp_of(f.path, f.chart_name);
    SongFolder song;
    read_song_folder(f.path, song);
    LibraryEntry &e = f.entry;
    e = LibraryEntry();
    e.dir = f.path;
    e.title =
        song.meta.name.empty()
            ? clean_song_text(text_as_utf8(base_name(f.path).data(), base_name(f.path).size()))
            : song.meta.name;
    e.artist = song.meta.artist;
    e.album = song.meta.album;
    e.year = song.meta.year;
    e.charter = song.meta.charter;
    e.genre = song.meta.genre;
    e.cover_path = song.cover_path;
    e.preview_path = song.preview_path;
    e.reason = song.reason;
    e.preview_start_ms =
        song.meta.preview_start_ms >= 0 && song.meta.preview_start_ms <= SONG_TIME_MAX_MS
            ? static_cast<int>(song.meta.preview_start_ms)
            : -1;
    int last_end = 0;
    for (int d = 0; d < DIFF_COUNT; ++d) {
        if (!song.notes[d].empty()) e.difficulties |= 1u << d;
        e.open_notes[d] = song.open_notes[d];
        for (const SongNote &n : song.notes[d])
            last_end = std::max(last_end, n.time_ms + n.length_ms);
    }
    e.length_ms = song.meta.song_length_ms > 0 && song.meta.song_length_ms <= SONG_TIME_MAX_MS
                      ? static_cast<int>(song.meta.song_length_ms)
                      : last_end;
    e.stems = static_cast<int>(song.stems.size());
    if (!song.chart_path.empty()) {
        std::string name = base_name(song.chart_path);
        if (name != f.chart_name) {
            f.chart_name = name;
            f.chart = stamp_of(f.path, name);
        }
        e.chart_hash = chart_file_hash(song.chart_path);
    }
}

std::string library_sort_key(const std::string &text) {
    std::string key;
    key.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        if (c < 0x80) {
            key += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
            continue;
        }
        // Two-byte sequences C3 80 .. C5 BF are U+00C0-U+017F.
        unsigned char next = i + 1 < text.size() ? static_cast<unsigned char>(text[i + 1]) : 0;
        if (c >= 0xC3 && c <= 0xC5 && (next & 0xC0) == 0x80) {
            unsigned code = (c & 0x1Fu) << 6 | (next & 0x3Fu);
            char plain = folded_latin[code - 0xC0];
            const char *special = folded_special(code);
            if (plain != '*' || special) {
                key += plain != '*' ? std::string(1, plain) : std::string(special);
                ++i;
                continue;
            }
        }
        key += static_cast<char>(c);
    }
    return key;
}

void sort_library(std::vector<LibraryEntry> &entries) {
    std::vector<int> order(entries.size());
    for (size_t i = 0; i < entries.size(); ++i) {
        entries[i].artist_key = library_sort_key(entries[i].artist);
        entries[i].title_key = library_sort_key(entries[i].title);
        order[i] = static_cast<int>(i);
    }
    // Indices are sorted and the entries moved once: an entry is a dozen strings.
    std::sort(order.begin(), order.end(), [&entries](int i, int j) {
        const LibraryEntry &a = entries[i], &b = entries[j];
        if (int c = a.artist_key.compare(b.artist_key)) return c < 0;
        if (int c = a.title_key.compare(b.title_key)) return c < 0;
        return a.dir < b.dir;
    });
    // Each cycle of the order is followed once, moving every entry to its place.
    std::vector<bool> placed(entries.size());
    for (size_t start = 0; start < entries.size(); ++start) {
        if (placed[start]) continue;
        LibraryEntry first = std::move(entries[start]);
        size_t at = start;
        for (;;) {
            placed[at] = true;
            size_t from = static_cast<size_t>(order[at]);
            if (from == start) break;
            entries[at] = std::move(entries[from]);
            at = from;
        }
        entries[at] = std::move(first);
    }
}

int library_first_with_letter(const std::vector<LibraryEntry> &entries, char letter) {
    char c = letter >= 'A' && letter <= 'Z' ? static_cast<char>(letter - 'A' + 'a') : letter;
    auto it =
        std::lower_bound(entries.begin(), entries.end(), c, [](const LibraryEntry &e, char k) {
            return e.artist_key.empty() || e.artist_key[0] < k;
        });
    return it != entries.end() && !it->artist_key.empty() && it->artist_key[0] == c
               ? static_cast<int>(it - entries.begin())
               : -1;
}

uint64_t chart_file_hash(const std::string &path) {
    int fd = open(path.c_str(), O_RDONLY);
    if (fd < 0) return 0;
    struct stat st;
    uint64_t hash = 0;
    if (fstat(fd, &st) == 0 && S_ISREG(st.st_mode) &&
        static_cast<size_t>(st.st_size) <= CHART_FILE_MAX) {
        hash = 14695981039346656037ULL;
        unsigned char buffer[65536];
        ssize_t n;
        while ((n = read(fd, buffer, sizeof buffer)) > 0)
            for (ssize_t i = 0; i < n; ++i)
                hash = (hash ^ buffer[i]) * 1099511628211ULL;
        if (n < 0) hash = 0;
    }
    close(fd);
    return hash;
}
