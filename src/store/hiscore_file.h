// Highscore files: one append-only text file per song, one line per entry, and the reader
// that picks the rows the highscore table shows.
#pragma once
#include <cstddef>

// Rows on a highscore page, and the characters of a line that a row shows.
const int HISCORE_ROWS = 10;
const int HISCORE_ROW_CHARS = 49;
// Longest entry line: lead 2, name 3, gap 33, score 11, tail 35, line feed 1.
const int HISCORE_LINE_MAX = 85;

// One row of a highscore page.
struct HiscoreRow {
    char text[HISCORE_ROW_CHARS + 1]; // the line as stored, without line break, cut to 49
    bool has_score;                   // false when the line holds no readable score
    int score;                        // the score read from the line (0 without one)
};

// The highscore file of song index `song` (0..4, 99 for the tutorial), or nullptr for an
// index that has no file.
const char *hiscore_path(int song);

// Composes the entry line of the three name slots and `score` into `out` (at least
// HISCORE_LINE_MAX + 1 bytes); a slot contributes its first character or nothing.
// Returns the line's length.
int format_hiscore_line(char *out, size_t size, const char *x, const char *y, const char *z,
                        int score);

// Appends one entry line to `path`, creating the file and, when it is missing, its
// directory. Returns false unless the whole line was written and the file closed cleanly.
bool append_hiscore_line(const char *path, const char *x, const char *y, const char *z, int score);
// The same for the file of song index `song`.
bool append_hiscore(int song, const char *x, const char *y, const char *z, int score);

// Reads `path` and fills `rows` with the ten highest-scoring lines, highest first; lines
// of equal score keep their file order and lines without a readable score come last.
// Any file content is accepted. Returns the number of rows filled (0 when the file
// cannot be opened).
int read_hiscore_rows(const char *path, HiscoreRow rows[HISCORE_ROWS]);
