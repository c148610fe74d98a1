// Highscore files: the entry line layout, appending an entry and choosing the rows to show.
#include "store/hiscore_file.h"

#include "songs/catalogue.h"
#include "store/atomic_write.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>

namespace {

// What is known of the line being read: its first characters and its last field.
struct LineScan {
    HiscoreRow row;
    int len;       // characters kept in row.text
    bool any;      // at least one byte seen on this line
    bool in_field; // inside a run of non-blank bytes
    bool field_ok; // the field so far is an optional '-' followed by digits
    bool negative;
    int digits;
    long long value; // magnitude, held below 2^31 + 1 while the field stays readable
    bool last_ok;    // the last finished field was a number within int range
    int last_value;
};

void scan_reset(LineScan &s) {
    s.row.text[0] = '\0';
    s.row.has_score = false;
    s.row.score = 0;
    s.len = 0;
    s.any = s.in_field = s.field_ok = s.negative = s.last_ok = false;
    s.digits = 0;
    s.value = 0;
    s.last_value = 0;
}

bool is_blank(unsigned char c) { return c == ' ' || c == '\t' || c == '\r'; }

void scan_end_field(LineScan &s) {
    if (!s.in_field) return;
    s.in_field = false;
    const long long limit = s.negative ? -static_cast<long long>(INT_MIN) : INT_MAX;
    s.last_ok = s.field_ok && s.digits > 0 && s.value <= limit;
    if (s.last_ok) s.last_value = static_cast<int>(s.negative ? -s.value : s.value);
}

void scan_byte(LineScan &s, unsigned char c) {
    s.any = true;
    if (s.len < HISCORE_ROW_CHARS) s.row.text[s.len++] = static_cast<char>(c);
    if (is_blank(c)) {
        scan_end_field(s);
        return;
    }
    if (!s.in_field) {
        s.in_field = true;
        s.field_ok = true;
        s.negative = false;
        s.digits = 0;
        s.value = 0;
        if (c == '-') {
            s.negative = true;
            return;
        }
    }
    if (!s.field_ok) return;
    if (c >= '0' && c <= '9') {
        ++s.digits;
        s.value = s.value * 10 + (c - '0');
        if (s.value > static_cast<long long>(INT_MAX) + 1) s.field_ok = false; // too big
    } else {
        s.field_ok = false;
    }
}

// Closes the line: its score is its last field when that is a whole number.
void scan_finish(LineScan &s) {
    scan_end_field(s);
    // A line ended by CR LF shows without its carriage return.
    if (s.len > 0 && s.row.text[s.len - 1] == '\r') --s.len;
    s.row.text[s.len] = '\0';
    s.row.has_score = s.last_ok;
    s.row.score = s.last_ok ? s.last_value : 0;
}

// Ranks first: a readable score above none, then the higher score.
bool ranks_before(const HiscoreRow &a, const HiscoreRow &b) {
    return a.has_score && (!b.has_score || a.score > b.score);
}

// Puts `row` into the sorted list `best` of `count` rows, after every row it does not
// outrank, so rows of equal rank stay in file order.
void keep_if_top(HiscoreRow best[HISCORE_ROWS], int &count, const HiscoreRow &row) {
    int at = count;
    for (int i = 0; i < count; ++i)
        if (ranks_before(row, best[i])) {
            at = i;
            break;
        }
    if (at >= HISCORE_ROWS) return;
    int last = count < HISCORE_ROWS ? count : HISCORE_ROWS - 1;
    for (int i = last; i > at; --i)
        best[i] = best[i - 1];
    best[at] = row;
    if (count < HISCORE_ROWS) ++count;
}

} // namespace

const char *hiscore_path(int song) {
    const SongEntry *entry = song_entry(song);
    return entry ? entry->highscore_file : nullptr;
}

int format_hiscore_line(char *out, size_t size, const char *x, const char *y, const char *z,
                        int score) {
    // Each slot is one character of the grid or empty.
    char slots[3][2] = {};
    const char *given[3] = {x, y, z};
    for (int i = 0; i < 3; ++i)
        if (given[i]) slots[i][0] = given[i][0];
    int n = std::snprintf(
        out, size,
        "  %s%s%s                                 %d                                   \n",
        slots[0], slots[1], slots[2], score);
    return n < 0 ? 0 : n;
}

bool append_hiscore_line(const char *path, const char *x, const char *y, const char *z, int score) {
    if (!path) return false;
    char line[HISCORE_LINE_MAX + 1];
    int n = format_hiscore_line(line, sizeof line, x, y, z, score);
    if (n <= 0 || n > HISCORE_LINE_MAX) return false;
    make_parent_dir(path);
    FILE *file = std::fopen(path, "a+");
    if (!file) return false;
    bool written = std::fwrite(line, 1, static_cast<size_t>(n), file) == static_cast<size_t>(n);
    // Closing flushes the line: only then is it known to be on disk.
    bool closed = std::fclose(file) == 0;
    return written && closed;
}

bool append_hiscore(int song, const char *x, const char *y, const char *z, int score) {
    return append_hiscore_line(hiscore_path(song), x, y, z, score);
}

int read_hiscore_rows(const char *path, HiscoreRow rows[HISCORE_ROWS]) {
    if (!path) return 0;
    FILE *file = std::fopen(path, "rb");
    if (!file) return 0;
    int count = 0;
    LineScan scan;
    scan_reset(scan);
    unsigned char block[8192];
    size_t got;
    while ((got = std::fread(block, 1, sizeof block, file)) > 0) {
        for (size_t i = 0; i < got; ++i) {
            if (block[i] != '\n') {
                scan_byte(scan, block[i]);
                continue;
            }
            scan_finish(scan);
            keep_if_top(rows, count, scan.row);
            scan_reset(scan);
        }
    }
    // A last line without a line feed is a line as well.
    if (scan.any) {
        scan_finish(scan);
        keep_if_top(rows, count, scan.row);
    }
    std::fclose(file);
    return count;
}
