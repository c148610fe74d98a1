// Whole-file replacement for the files the game keeps: a reader sees the old file or the
// new one, never an empty or partial one.
#pragma once
#include <cstddef>

// Replaces `path` with `size` bytes of `bytes` through a temporary file "<path>.new" in
// the same directory that is flushed to the disk before it is renamed over `path`.
// False when it failed; the old file is then untouched and no temporary file is left.
bool replace_file(const char *path, const char *bytes, size_t size);

// Creates the directory part of `path` when it is missing (one level, as "data" is), so
// that the first file of a fresh installation is kept.
void make_parent_dir(const char *path);
