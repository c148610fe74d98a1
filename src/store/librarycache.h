// The song library's cache file in data/: what the last walk saw, so that a start with an
// unchanged library reads no song folder and no unchanged directory.
#pragma once
#include "songs/library.h"

#include <cstddef>
#include <string>
#include <vector>

// Where the game keeps it, in the working directory.
const char *const LIBRARY_CACHE_FILE = "data/library.cache";
// A cache file longer than this is not one the game wrote (20,000 songs take some 6 MB).
const size_t LIBRARY_CACHE_MAX = 64 * 1024 * 1024;

// The text of a cache: a version line, one line per directory in walk order (tab-separated
// fields, bytes below 0x20, 0x7F and '%' written as "%XX"), and an end line with the count.
std::string library_cache_text(const std::vector<LibraryFolder> &folders);
// Reads such a text into `folders`. Any fault (another version, a line cut short, a field
// out of range, a missing end line) gives false and no folders: the library is walked anew.
bool parse_library_cache(const char *data, size_t size, std::vector<LibraryFolder> &folders);

// Replaces the file at `path` as a whole. False when it could not be written.
bool write_library_cache(const char *path, const std::vector<LibraryFolder> &folders);
// Reads the file at `path`; false and no folders when it is missing, too long or damaged.
bool read_library_cache(const char *path, std::vector<LibraryFolder> &folders);

// The library at start-up: the cache at `cache_path` read, the roots walked with it, the
// cache written again when anything changed, and the entries sorted by artist and title.
std::vector<LibraryEntry> load_library(const std::vector<std::string> &roots,
                                       const char *cache_path, const LibraryProgress &progress);
