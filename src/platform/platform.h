// The one seam between the game and the machine: time, waiting, events and presenting.
// The real game runs on SDL's clock and event queue; the headless driver runs the same
// screens on a virtual clock fed by a script, and writes a trace of every poll.
#pragma once
#include "headless/recording.h"
#include "headless/script.h"

#include <SDL.h>
#include <string>

// Which screen loop is polling; named in the trace and used to pace menu passes.
enum ScreenId {
    SCREEN_INTRO,
    SCREEN_MAIN_MENU,
    SCREEN_PLAY_MENU,
    SCREEN_CAREER,
    SCREEN_SONG_SELECT,
    SCREEN_HIGHSCORES,
    SCREEN_GALLERY,
    SCREEN_OPTIONS,
    SCREEN_KEY_CONFIG,
    SCREEN_GAME_LOOK,
    SCREEN_VOLUME,
    SCREEN_SAVE_MENU,
    SCREEN_CREDITS,
    SCREEN_SONG,
    SCREEN_PAUSE,
    SCREEN_NAME_ENTRY,
    SCREEN_SYNC,
    SCREEN_COUNT
};

// Shortest pass of every screen but the song loop: as on the handheld, where presenting
// waits for the display, no menu runs faster than 60 passes a second (17 ms >= 1/60 s).
const Uint32 PASS_MS = 17;

// Real mode: SDL's clock and events. The default. A non-empty `record_path` records the
// run (app/recorder.h), a non-empty `trace_path` writes the headless driver's trace lines;
// a file that cannot be created is reported on stderr and the game plays on without it.
void platform_start_real(const std::string &record_path = "", const std::string &trace_path = "");

// Sets the video mode, a software surface of `width` x `height` x `bpp`. On a desktop the
// real game's window is the largest whole multiple of that size which fits the desktop,
// every screen pixel a square block (unless the player set SDL12COMPAT_WINDOW_SCALING);
// the real game also opens every game controller here.
SDL_Surface *platform_set_video_mode(int width, int height, int bpp);

// Headless mode: a virtual clock starting at 0 and the events of `script`.
// Returns false and fills `error` when the script cannot be read or parsed.
// `trace_path` may be empty (standard output).
bool platform_start_replay(const std::string &script, const std::string &trace_path,
                           std::string &error);
// Replay mode: every clock reading, wait and poll is answered from `recording`, which
// must hold what the game asks for next; a divergence stops the run with status 3, the
// recording's end with status 0 (both say where on stderr). `trace_path` as above.
bool platform_start_playback(Recording &&recording, const std::string &trace_path,
                             std::string &error);
// Records the headless run as the real game records (the working directory's files, with
// `settings`, when given, standing for the settings file).
void platform_record(const std::string &path, const StartFile *settings = nullptr);
// A virtual clock without script or trace, for unit tests: only waits advance it.
void platform_start_virtual();
bool platform_is_replay();
// The headless driver's script (empty in the other modes).
const Script &platform_script();

// Milliseconds since start-up (SDL_GetTicks, or the virtual clock).
Uint32 platform_ticks();
// Waits `ms` milliseconds (SDL_Delay, or advances the virtual clock).
void platform_delay(Uint32 ms);

// The one poll of a screen pass: takes at most one event, like SDL_PollEvent.
// Passes of every screen but SCREEN_SONG are paced to PASS_MS. Closing the window
// ends the program as the exit entry does. In the real game a game controller's buttons,
// d-pad and left stick arrive as the key events of the handheld's buttons, and F11 switches
// between window and full screen, reaching no screen.
int platform_poll(SDL_Event *event, ScreenId screen);

// Takes at most one event, like platform_poll but neither paced nor traced: for a screen
// that keeps taking events between its passes, to time each to the millisecond.
int platform_poll_between(SDL_Event *event);

// Presents the whole screen: SDL_Flip in the real game. The headless driver shows nothing,
// so it only counts the present, takes the screenshots that are due and notes the present
// in the files asked for below.
void platform_flip(SDL_Surface *surface);
// Presents since start-up (headless mode only).
Uint32 platform_presents();
// Headless mode: one line per present into `path`: the virtual ms, the wall clock
// (CLOCK_REALTIME seconds with microseconds) and the process's CPU ms so far.
bool platform_note_presents(const std::string &path);
// Headless mode: one line per present into `path`: the virtual ms and a 64-bit FNV-1a
// hash of the screen's pixels, row by row, so two runs can be compared present by present.
bool platform_hash_presents(const std::string &path);

// Trace lines for effects and music started.
void platform_trace_sound(const char *stem);
void platform_trace_music(const char *path);

// Ends the program with `status`, noting it in the trace.
[[noreturn]] void platform_exit(int status);
