// The one seam between the game and the machine: time, waiting, events and presenting.
#pragma once
#include <SDL.h>

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
    SCREEN_LIBRARY,
    SCREEN_COUNT
};

// Shortest pass of every screen but the song loop: as on the handheld, where presenting
// waits for the display, no menu runs faster than 60 passes a second (17 ms >= 1/60 s).
const Uint32 PASS_MS = 17;

// Another side of the seam than SDL's, filled in by the headless driver (src/headless/):
// a clock, waits, events and presents of its own, and observers of what the game is
// handed (the recording and the trace). Every null member leaves SDL's own behaviour.
struct PlatformSide {
    Uint32 (*ticks)();
    void (*delay)(Uint32 ms);
    int (*event)(SDL_Event *event);
    void (*present)(SDL_Surface *surface);
    void (*saw_ticks)(Uint32 now);
    void (*saw_delay)(Uint32 ms);                  // before the wait
    void (*saw_poll)(Uint32 now, ScreenId screen); // before the event is taken
    void (*saw_event)(int got, const SDL_Event *event);
    void (*saw_line)(Uint32 now, const char *key, const char *value); // "sound", "music"
    void (*saw_exit)(Uint32 now, int status);
    void (*saw_cut)(); // the program is cut off (platform_cut_off): write out what is held
};

// The real game on SDL: asks sdl12-compat for whole-factor scaling and the controller
// layout (the player's own settings win) and drops any other side.
void platform_start_real();
// Puts `side` (which must outlive the run) in SDL's place; null puts SDL back.
void platform_use_side(const PlatformSide *side);
// True while the clock is SDL's own (the real game, recorded or not).
bool platform_is_real();
// The screen of the latest poll; SCREEN_COUNT before the first.
ScreenId platform_polled_screen();

// Milliseconds since start-up.
Uint32 platform_ticks();
// Waits `ms` milliseconds.
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

// Presents the whole screen: SDL_Flip in the real game.
void platform_flip(SDL_Surface *surface);

// Notes an effect or a music started (a trace line where a trace is written).
void platform_trace_sound(const char *stem);
void platform_trace_music(const char *path);

// Ends the program with `status`, noting it in the trace and the recording.
[[noreturn]] void platform_exit(int status);
// Ends the program at once when it cannot go on (its display is gone): one line on stderr
// saying `why`, the recording and trace written out as far as they go, status 1. Nothing
// of SDL is shut down, as that would wait on the lost display.
[[noreturn]] void platform_cut_off(const char *why);
