// Starting the headless driver's side of the seam, and the real game's recording and trace.
#pragma once
#include "headless/recording.h"

#include <SDL.h>
#include <string>

// Real game: records the run into `record_path` and writes the driver's trace lines into
// `trace_path`; either may be empty. A file that cannot be created is reported on stderr
// and the game plays on without it.
void headless_observe_real(const std::string &record_path, const std::string &trace_path);

// Headless mode: a virtual clock starting at 0 and the events of `script`, with the sync
// delay the script sets (0 unless it sets one).
// Returns false and fills `error` when the script cannot be read or parsed.
// `trace_path` may be empty (standard output).
bool headless_start_script(const std::string &script, const std::string &trace_path,
                           std::string &error);
// Replay mode: every clock reading, wait and poll is answered from `recording`, which
// must hold what the game asks for next; a divergence stops the run with status 3, the
// recording's end with status 0 (both say where on stderr). `trace_path` as above.
bool headless_start_playback(Recording &&recording, const std::string &trace_path,
                             std::string &error);
// Records the headless run as the real game records (the working directory's files, with
// `settings`, when given, standing for the settings file).
void headless_record(const std::string &path, const StartFile *settings = nullptr);
// A virtual clock without script or trace, for unit tests: only waits advance it.
void headless_start_virtual();

// Presents since start-up (headless modes only).
Uint32 headless_presents();
// One line per present into `path`: the virtual ms, the wall clock (CLOCK_REALTIME
// seconds with microseconds) and the process's CPU ms so far.
bool headless_note_presents(const std::string &path);
// One line per present into `path`: the virtual ms and a 64-bit FNV-1a hash of the
// screen's pixels, row by row, so two runs can be compared present by present.
bool headless_hash_presents(const std::string &path);
