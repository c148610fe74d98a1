// The song library's cache file: one text line per directory walked, read back with every
// field checked, so that a damaged file only costs a full walk.
#include "store/librarycache.h"

#include "songs/songfolder.h"
#include "songs/songtext.h"
#include "store/atomic_write.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>
#include <utility>

namespace {

const char *const VERSION_LINE = "fretfall library cache 2";
// Longest path kept: a longer one cannot be opened anyway.
const size_t PATH_MAX_BYTES = 4096;

void put_text(std::string &out, const std::string &text) {
    static const char hex[] = "0123456789ABCDEF";
    for (unsigned char c : text) {
        if (c < 0x20 || c == 0x7F || c == '%') {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 15];
        } else {
            out += static_cast<char>(c);
        }
    }
}

void put_number(std::string &out, long long value) {
    char text[24];
    std::snprintf(text, sizeof text, "%lld", value);
    out += text;
}

int hex_digit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// The fields of one line, taken in order; any fault leaves `ok` false.
struct Fields {
    const char *at, *end;
    bool ok = true;

    // The next field's bytes; the line's end may not be passed.
    std::pair<const char *, const char *> raw() {
        if (!ok || at > end) {
            ok = false;
            return {end, end};
        }
        const char *start = at;
        const char *tab =
            static_cast<const char *>(std::memchr(at, '\t', static_cast<size_t>(end - at)));
        const char *stop = tab ? tab : end;
        at = stop + 1;
        return {start, stop};
    }
    // A text field of at most `limit` bytes; `plain` texts hold no control characters.
    std::string text(size_t limit, bool plain) {
        auto f = raw();
        std::string out;
        const char *p = f.first;
        while (ok && p < f.second) {
            const char *run = p;
            while (p < f.second && *p != '%' && static_cast<unsigned char>(*p) >= 0x20 &&
                   *p != 0x7F)
                ++p;
            out.append(run, p);
            if (p == f.second) break;
            int high = *p == '%' && p + 2 < f.second ? hex_digit(p[1]) : -1;
            int low = high >= 0 ? hex_digit(p[2]) : -1;
            if (low < 0) {
                ok = false;
                break;
            }
            unsigned char c = static_cast<unsigned char>(high << 4 | low);
            if (plain && (c < 0x20 || c == 0x7F)) ok = false;
            out += static_cast<char>(c);
            p += 3;
        }
        if (out.size() > limit) ok = false;
        return out;
    }
    // A decimal number within [low, high].
    long long number(long long low, long long high) {
        auto f = raw();
        const char *p = f.first;
        bool negative = p < f.second && *p == '-';
        if (negative) ++p;
        if (p == f.second || f.second - p > 19) ok = false;
        unsigned long long magnitude = 0;
        for (; ok && p < f.second; ++p) {
            if (*p < '0' || *p > '9') ok = false;
            magnitude = magnitude * 10 + static_cast<unsigned>(*p - '0');
        }
        if (magnitude > static_cast<unsigned long long>(LLONG_MAX)) ok = false;
        long long value =
            static_cast<long long>(magnitude & static_cast<unsigned long long>(LLONG_MAX));
        if (negative) value = -value;
        if (value < low || value > high) ok = false;
        return ok ? value : 0;
    }
    uint64_t hex64() {
        auto f = raw();
        if (f.second - f.first != 16) ok = false;
        uint64_t value = 0;
        for (const char *p = f.first; ok && p < f.second; ++p) {
            int digit = hex_digit(*p);
            if (digit < 0) ok = false;
            value = value << 4 | static_cast<uint64_t>(digit & 15);
        }
        return value;
    }
    // A directory's or file's own name: no '/', not "." or "..".
    std::string name(bool may_be_empty) {
        std::string n = text(PATH_MAX_BYTES, false);
        if (n.find('/') != std::string::npos || n == "." || n == ".." ||
            (n.empty() && !may_be_empty))
            ok = false;
        return n;
    }
    bool finished() const { return ok && at == end + 1; }
};

const long long TIME_MAX = 1LL << 62;

void put_stamp(std::string &line, const std::string &name, const FileStamp &stamp) {
    line += '\t';
    put_text(line, name);
    line += '\t';
    put_number(line, stamp.size);
    line += '\t';
    put_number(line, stamp.mtime_ns);
}

FileStamp get_stamp(Fields &f, std::string &name) {
    FileStamp stamp;
    name = f.name(true);
    stamp.size = f.number(-1, TIME_MAX);
    stamp.mtime_ns = f.number(-TIME_MAX, TIME_MAX);
    return stamp;
}

std::string own_name(const std::string &path, const std::string &dir) {
    return path.size() > dir.size() && path.compare(0, dir.size(), dir) == 0
               ? path.substr(dir.size() + 1)
               : path;
}

// One directory's line into `folders`; false when it is not a line this file writes.
bool parse_folder(Fields &f, std::vector<LibraryFolder> &folders) {
    auto kind = f.raw();
    bool song = kind.second - kind.first == 1 && *kind.first == 'S';
    if (!song && !(kind.second - kind.first == 1 && *kind.first == 'D')) return false;
    LibraryFolder folder;
    folder.song = song;
    folder.parent = static_cast<int>(f.number(-1, static_cast<long long>(folders.size()) - 1));
    folder.mtime_ns = f.number(0, TIME_MAX);
    if (!f.ok) return false;
    if (folder.parent < 0) {
        folder.path = f.text(PATH_MAX_BYTES, false);
        if (folder.path.empty()) return false;
    } else {
        const LibraryFolder &parent = folders[folder.parent];
        if (parent.song) return false;
        folder.path = parent.path + "/" + f.name(false);
        if (folder.path.size() > PATH_MAX_BYTES) return false;
    }
    if (song) {
        folder.ini = get_stamp(f, folder.ini_name);
        folder.chart = get_stamp(f, folder.chart_name);
        LibraryEntry &e = folder.entry;
        e.dir = folder.path;
        for (std::string *text : {&e.title, &e.artist, &e.album, &e.year, &e.charter, &e.genre})
            *text = f.text(SONG_TEXT_MAX, true);
        for (std::string *file : {&e.cover_path, &e.preview_path}) {
            std::string name = f.name(true);
            if (!name.empty()) *file = folder.path + "/" + name;
        }
        e.reason = f.text(SONG_TEXT_MAX, true);
        e.length_ms = static_cast<int>(f.number(0, SONG_TIME_MAX_MS));
        e.preview_start_ms = static_cast<int>(f.number(-1, SONG_TIME_MAX_MS));
        e.difficulties = static_cast<unsigned>(f.number(0, (1 << DIFF_COUNT) - 1));
        for (int &open : e.open_notes)
            open = static_cast<int>(f.number(0, 1LL << 30));
        e.stems = static_cast<int>(f.number(0, 1024));
        e.chart_hash = f.hex64();
    }
    if (!f.finished()) return false;
    folders.push_back(std::move(folder));
    return true;
}

} // namespace

std::string library_cache_text(const std::vector<LibraryFolder> &folders) {
    std::string out = VERSION_LINE;
    out += '\n';
    for (const LibraryFolder &folder : folders) {
        out += folder.song ? 'S' : 'D';
        out += '\t';
        put_number(out, folder.parent);
        out += '\t';
        put_number(out, folder.mtime_ns);
        out += '\t';
        put_text(out, folder.parent < 0 ? folder.path
                                        : own_name(folder.path, folders[folder.parent].path));
        if (folder.song) {
            const LibraryEntry &e = folder.entry;
            put_stamp(out, folder.ini_name, folder.ini);
            put_stamp(out, folder.chart_name, folder.chart);
            for (const std::string *text :
                 {&e.title, &e.artist, &e.album, &e.year, &e.charter, &e.genre}) {
                out += '\t';
                put_text(out, *text);
            }
            for (const std::string *file : {&e.cover_path, &e.preview_path}) {
                out += '\t';
                put_text(out, file->empty() ? "" : own_name(*file, folder.path));
            }
            out += '\t';
            put_text(out, e.reason);
            for (long long n :
                 {static_cast<long long>(e.length_ms), static_cast<long long>(e.preview_start_ms),
                  static_cast<long long>(e.difficulties), static_cast<long long>(e.open_notes[0]),
                  static_cast<long long>(e.open_notes[1]), static_cast<long long>(e.open_notes[2]),
                  static_cast<long long>(e.open_notes[3]), static_cast<long long>(e.stems)}) {
                out += '\t';
                put_number(out, n);
            }
            char hash[20];
            std::snprintf(hash, sizeof hash, "\t%016llX",
                          static_cast<unsigned long long>(e.chart_hash));
            out += hash;
        }
        out += '\n';
    }
    out += "end ";
    put_number(out, static_cast<long long>(folders.size()));
    out += '\n';
    return out;
}

bool parse_library_cache(const char *data, size_t size, std::vector<LibraryFolder> &folders) {
    folders.clear();
    size_t lines = 0;
    for (const char *p = data; lines < LIBRARY_FOLDERS_MAX &&
                               (p = static_cast<const char *>(
                                    std::memchr(p, '\n', static_cast<size_t>(data + size - p))));
         ++p)
        ++lines;
    folders.reserve(lines);
    const char *at = data;
    const char *end = data + size;
    bool version = true;
    while (at < end) {
        const char *newline =
            static_cast<const char *>(std::memchr(at, '\n', static_cast<size_t>(end - at)));
        if (!newline) break;
        Fields f{at, newline};
        at = newline + 1;
        if (version) {
            version = false;
            if (static_cast<size_t>(newline - f.at) != std::strlen(VERSION_LINE) ||
                std::memcmp(f.at, VERSION_LINE, std::strlen(VERSION_LINE)) != 0)
                break;
            continue;
        }
        if (newline - f.at >= 4 && std::memcmp(f.at, "end ", 4) == 0) {
            f.at += 4;
            if (f.number(0, LIBRARY_FOLDERS_MAX) == static_cast<long long>(folders.size()) &&
                f.finished() && at == end)
                return true;
            break;
        }
        if (static_cast<int>(folders.size()) >= LIBRARY_FOLDERS_MAX || !parse_folder(f, folders))
            break;
    }
    folders.clear();
    return false;
}

bool write_library_cache(const char *path, const std::vector<LibraryFolder> &folders) {
    std::string text = library_cache_text(folders);
    make_parent_dir(path);
    return replace_file(path, text.data(), text.size());
}

bool read_library_cache(const char *path, std::vector<LibraryFolder> &folders) {
    folders.clear();
    FILE *file = std::fopen(path, "rb");
    if (!file) return false;
    // Read in one piece of the size the file has now, at most one byte past the limit.
    struct stat st;
    size_t expected =
        fstat(fileno(file), &st) == 0 && st.st_size > 0 ? static_cast<size_t>(st.st_size) : 0;
    std::string data(std::min(expected, LIBRARY_CACHE_MAX) + 1, '\0');
    size_t got = 0, n;
    while (got < data.size() && (n = std::fread(&data[got], 1, data.size() - got, file)) > 0)
        got += n;
    std::fclose(file);
    return got <= LIBRARY_CACHE_MAX && parse_library_cache(data.data(), got, folders);
}

std::vector<LibraryEntry> load_library(const std::vector<std::string> &roots,
                                       const char *cache_path, const LibraryProgress &progress) {
    std::vector<LibraryFolder> folders;
    read_library_cache(cache_path, folders);
    if (scan_library(roots, folders, progress)) write_library_cache(cache_path, folders);
    std::vector<LibraryEntry> entries;
    entries.reserve(folders.size());
    for (LibraryFolder &folder : folders)
        if (folder.song) entries.push_back(std::move(folder.entry));
    sort_library(entries);
    return entries;
}
