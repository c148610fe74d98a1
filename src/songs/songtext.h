// Text of players' song files: encodings to UTF-8, formatting tags removed, and numbers
// read the same whatever the machine's locale.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

// Longest text value kept from a song file, in bytes; longer values are cut at a
// character boundary.
const size_t SONG_TEXT_MAX = 256;

// The bytes as UTF-8: a leading byte-order mark is dropped; bytes that are not valid
// UTF-8 as a whole are taken as Latin-1 (with Windows-1252's characters for bytes
// 0x80-0x9F) and converted.
std::string text_as_utf8(const char *data, size_t size);

// A value as shown to the player: formatting tags such as <color=#FF0000>, </b> and
// byte-order marks removed, control characters turned into spaces, outer spaces
// trimmed, cut to SONG_TEXT_MAX.
std::string clean_song_text(const std::string &value);

// The year as players write it, also ", 2002": cleaned, leading commas and spaces gone.
std::string clean_song_year(const std::string &value);

// A whole decimal number with an optional sign and fraction ("-12", "0.25", "+3."),
// surrounding spaces allowed; nothing else may follow. Independent of the locale.
bool parse_decimal(const std::string &text, double &out);
// A whole number within [low, high], a fraction rounded to the nearest.
bool parse_whole(const std::string &text, long long low, long long high, long long &out);

// Lower-cases ASCII letters only, so keys and file names compare the same in any locale.
std::string ascii_lower(std::string text);
// `text` without leading and trailing spaces, tabs and line ends.
std::string trim(const std::string &text);
