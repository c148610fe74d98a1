// The progress file: two decimal counters, replaced as a whole on every write.
#include "store/progress.h"

#include "store/atomic_write.h"

#include <cctype>
#include <climits>
#include <cstdio>

int wins, loses;

namespace {

// A progress file is two short numbers; nothing past this many bytes is looked at.
const size_t READ_LIMIT = 4096;

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
    char text[32];
    int n = std::snprintf(text, sizeof text, "%d\n%d", wins_value, loses_value);
    if (n < 0 || static_cast<size_t>(n) >= sizeof text) return false;
    return replace_file(path, text, static_cast<size_t>(n));
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
