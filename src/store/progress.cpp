// The progress file: two decimal counters, replaced as a whole on every write.
#include "store/progress.h"

#include <cctype>
#include <climits>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

int wins, loses;

namespace {

// A progress file is two short numbers; nothing past this many bytes is looked at.
const size_t READ_LIMIT = 4096;

// Flushes the directory holding `path`, so that a rename into it survives a power loss.
// Best effort: the file itself is already safe on the disk.
void sync_directory_of(const char *path) {
    char dir[4096];
    const char *slash = std::strrchr(path, '/');
    int n;
    if (!slash)
        n = std::snprintf(dir, sizeof dir, ".");
    else if (slash == path)
        n = std::snprintf(dir, sizeof dir, "/");
    else
        n = std::snprintf(dir, sizeof dir, "%.*s", static_cast<int>(slash - path), path);
    if (n < 0 || static_cast<size_t>(n) >= sizeof dir) return;
    int fd = open(dir, O_RDONLY | O_DIRECTORY);
    if (fd < 0) return;
    fsync(fd);
    close(fd);
}

// Reads one decimal int at text[pos]: leading whitespace, an optional sign, digits, as
// the "%d" conversion takes it. A number out of the int range is not readable. On
// success `pos` stands after the last digit.
bool parse_number(const char *text, size_t len, size_t &pos, int &out) {
    size_t i = pos;
    while (i < len && std::isspace(static_cast<unsigned char>(text[i])))
        ++i;
    bool negative = false;
    if (i < len && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    if (i >= len || !std::isdigit(static_cast<unsigned char>(text[i]))) return false;
    long long value = 0;
    while (i < len && std::isdigit(static_cast<unsigned char>(text[i]))) {
        value = value * 10 + (text[i++] - '0');
        if (value > static_cast<long long>(INT_MAX) + 1) return false;
    }
    if (negative) value = -value;
    if (value < INT_MIN || value > INT_MAX) return false;
    out = static_cast<int>(value);
    pos = i;
    return true;
}

} // namespace

bool write_progress(const char *path, int wins_value, int loses_value) {
    // The new counts go to a file beside the old one, reach the disk, and only then take
    // its name: a reader sees the old file or the new one, never an empty or partial one.
    char temporary[4096];
    int n = std::snprintf(temporary, sizeof temporary, "%s.new", path);
    if (n < 0 || static_cast<size_t>(n) >= sizeof temporary) return false;
    FILE *file = std::fopen(temporary, "w");
    if (!file) return false;
    bool ok = std::fprintf(file, "%d\n%d", wins_value, loses_value) > 0;
    ok = std::fflush(file) == 0 && ok;
    ok = fsync(fileno(file)) == 0 && ok;
    ok = std::fclose(file) == 0 && ok;
    if (ok && std::rename(temporary, path) == 0) {
        sync_directory_of(path);
        return true;
    }
    std::remove(temporary);
    return false;
}

int read_progress(const char *path, int &wins_value, int &loses_value) {
    FILE *file = std::fopen(path, "r");
    if (!file) return -1;
    char text[READ_LIMIT];
    size_t len = std::fread(text, 1, sizeof text, file);
    std::fclose(file);
    size_t pos = 0;
    int value = 0;
    if (!parse_number(text, len, pos, value)) return 0;
    wins_value = value;
    if (!parse_number(text, len, pos, value)) return 1;
    loses_value = value;
    return 2;
}

bool save_game() { return write_progress(PROGRESS_FILE, wins, loses); }

bool load_game() { return read_progress(PROGRESS_FILE, wins, loses) >= 1; }

bool erase_game() { return write_progress(PROGRESS_FILE, 0, 0); }
