// The progress file "game_save": the win and loss counters between runs.
#pragma once

extern int wins;  // songs won, the tutorial excepted
extern int loses; // songs failed, the tutorial included

// Name of the progress file in the working directory.
const char *const PROGRESS_FILE = "game_save";

// Writes `wins` and `loses` to PROGRESS_FILE. The file is replaced as a whole, so a
// failure or a crash halfway leaves the previous file untouched. False when it failed.
bool save_game();
// Reads the counters back from PROGRESS_FILE. A counter whose number cannot be read keeps
// its value. False when nothing was loaded (no file, or no readable first number).
bool load_game();
// Writes the counts 0 and 0 to PROGRESS_FILE, replacing it as a whole; the counters in
// memory are left alone. False when it failed.
bool erase_game();

// The file format, by path, for the three operations above.
// Replaces `path` with "<wins>\n<loses>" (no trailing line feed) through a temporary file
// in the same directory that is flushed to the disk before it is renamed over `path`.
bool write_progress(const char *path, int wins, int loses);
// Reads up to two decimal numbers separated by any whitespace into `wins` and `loses`,
// stopping at the first that cannot be read. Returns how many were read: 0, 1 or 2,
// or -1 when the file cannot be opened.
int read_progress(const char *path, int &wins, int &loses);
