// What the headless sides of the seam share: the virtual clock, the trace, the flushing.
#pragma once
#include "headless/script.h"
#include "platform/platform.h"

#include <cstdio>
#include <string>
#include <vector>

// The headless clock: only waits advance it (a replay sets it from the recording).
extern Uint32 virtual_ms;
// Where trace lines go; null when no trace is written.
extern FILE *trace_out;
// Screenshots still to take, each at the first present at or after its time.
extern std::vector<ScriptShot> pending_shots;

// Trace output: a file, or standard output when `path` is empty.
bool open_trace(const std::string &path, std::string &error);
// Writes out the recording and the trace.
void flush_outputs();
// Ends a headless run or a replay that cannot go on, its files written out.
[[noreturn]] void finish(int status);

// Observers of what the game is handed: the recording (when one is made) and the trace.
void observe_ticks(Uint32 now);
void observe_delay(Uint32 ms);
void observe_poll(Uint32 now, ScreenId screen);
void observe_event(int got, const SDL_Event *event);
void observe_line(Uint32 now, const char *key, const char *value);
void observe_exit(Uint32 now, int status);
// The trace line of the program's exit.
void trace_exit(Uint32 now, int status);

// A present of the headless modes: counted, noted, hashed and shot as asked.
void headless_present(SDL_Surface *surface);
