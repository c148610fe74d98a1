// Time, events and presenting: SDL's, or the side the headless driver puts in its place.
#include "platform/platform.h"

#include "platform/gamepad.h"
#include "platform/window.h"

#include <SDL_ttf.h>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace {

const PlatformSide no_side = {};
const PlatformSide *side = &no_side;

ScreenId polled = SCREEN_COUNT;
Uint32 last_pass = 0; // start of the previous paced pass
bool paced_before = false;

// Controllers plugged in or pulled out are looked for once a second.
const Uint32 RESCAN_MS = 1000;
Uint32 last_rescan = 0;

// The real game's next event for the screens: controller input arrives as the keys of the
// handheld's buttons, and F11 switches between the window and full screen without
// reaching any screen.
int real_event(SDL_Event *event) {
    Uint32 now = SDL_GetTicks();
    if (now - last_rescan >= RESCAN_MS) {
        last_rescan = now;
        gamepad_rescan();
    }
    while (!gamepad_take(event)) {
        if (!SDL_PollEvent(event)) return 0;
        if (gamepad_translate(*event)) continue;
        bool f11 = (event->type == SDL_KEYDOWN || event->type == SDL_KEYUP) &&
                   event->key.keysym.sym == SDLK_F11;
        if (!f11) return 1;
        if (event->type == SDL_KEYDOWN) window_toggle_full_screen();
    }
    return 1;
}

// Holds every pass but a song frame to PASS_MS, counting from the previous pass's start.
void pace_pass() {
    Uint32 spent = platform_ticks() - last_pass;
    if (paced_before && spent < PASS_MS) platform_delay(PASS_MS - spent);
    last_pass = platform_ticks();
    paced_before = true;
}

} // namespace

void platform_start_real() {
    side = &no_side;
    window_prepare();
    gamepad_prepare();
}

void platform_use_side(const PlatformSide *new_side) { side = new_side ? new_side : &no_side; }

bool platform_is_real() { return !side->ticks; }

ScreenId platform_polled_screen() { return polled; }

Uint32 platform_ticks() {
    Uint32 now = side->ticks ? side->ticks() : SDL_GetTicks();
    if (side->saw_ticks) side->saw_ticks(now);
    return now;
}

void platform_delay(Uint32 ms) {
    if (side->saw_delay) side->saw_delay(ms);
    if (side->delay)
        side->delay(ms);
    else
        SDL_Delay(ms);
}

int platform_poll(SDL_Event *event, ScreenId screen) {
    if (screen != SCREEN_SONG) pace_pass();
    polled = screen;
    // The poll's own clock reading is taken whether or not a trace is written, so that a
    // recording replays the same with or without one.
    Uint32 now = platform_ticks();
    if (side->saw_poll) side->saw_poll(now, screen);
    int got = side->event ? side->event(event) : real_event(event);
    if (side->saw_event) side->saw_event(got, event);
    if (got && event->type == SDL_QUIT) platform_exit(0);
    return got;
}

int platform_poll_between(SDL_Event *event) {
    int got = side->event ? side->event(event) : real_event(event);
    if (side->saw_event) side->saw_event(got, event);
    if (got && event->type == SDL_QUIT) platform_exit(0);
    return got;
}

void platform_flip(SDL_Surface *surface) {
    if (side->present)
        side->present(surface);
    else
        SDL_Flip(surface);
}

void platform_trace_sound(const char *stem) {
    Uint32 now = platform_ticks();
    if (side->saw_line) side->saw_line(now, "sound", stem);
}

void platform_trace_music(const char *path) {
    Uint32 now = platform_ticks();
    if (side->saw_line) side->saw_line(now, "music", path);
}

void platform_exit(int status) {
    Uint32 now = platform_ticks();
    if (side->saw_exit) side->saw_exit(now, status);
    if (TTF_WasInit()) TTF_Quit();
    SDL_Quit();
    std::exit(status);
}

void platform_cut_off(const char *why) {
    std::fprintf(stderr, "fretfall: %s\n", why);
    if (side->saw_cut) side->saw_cut();
    _exit(1);
}
