// Writing the built-in songs as song folders that this game and other games of its kind read.
#pragma once
#include <string>

// Writes one folder per built-in song into `out_dir` (made when missing): song.ini,
// notes.chart (resolution 480 at 125 BPM, so a tick is a millisecond; the notes at the time
// their sound lies in the recording), the recording as song.ogg and the cover as album.png,
// read from the game directory `game_dir`. Returns false with a one-line `error`.
bool export_builtin_songs(const std::string &out_dir, const std::string &game_dir,
                          std::string &error);
