// Sync calibration: a note falls down lane 3 onto its ring on every click of the click
// track, the presses of A are timed to the millisecond against the clicks, and the
// measured delay is offered to keep. LEFT and RIGHT nudge the delay by hand.
#include "menus/calibration.h"

#include "engine/assets.h"
#include "engine/draw.h"
#include "engine/sound.h"
#include "game/notes.h"
#include "game/judge.h"
#include "game/playfield.h"
#include "game/sync.h"
#include "platform/buttons.h"
#include "platform/platform.h"
#include "store/settings.h"

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

// As in a song: 50 ms frames, notes moving 10 pixels a frame, a note spawned one second
// before it crosses the middle of its window, the hit window's middle at its click.
const Uint32 FRAME_MS = 50;
const int FALL_PER_FRAME = 10;
const int SPAWN_LEAD_MS = 1000;
const int LANE3_X = 145;
const int PROMPT_Y = 100, DELAY_Y = 128;

const char *const START_PROMPT = "A: START THE CLICKS";
// Presses past this many in one run are not counted: a player mashing A cannot make the
// measurement slow.
const size_t MAX_PRESSES = 4 * SYNC_CLICKS;

// A drawn copy of a global rectangle, so that the blit's write-back leaves the global as it was.
void draw_sprite(SDL_Surface *sheet, const SDL_Rect &src, int x, int y) {
    SDL_Rect s = src, d = {static_cast<Sint16>(x), static_cast<Sint16>(y), 0, 0};
    blit(sheet, &s, screen, &d);
}

// Backdrop, fret row (lane 3 lit while A is down), the falling notes at `note_y` (those from
// 0 to 240), the prompt and the delay line; presented.
void draw_screen(const char *prompt, bool lit, const std::vector<int> &note_y) {
    SDL_Rect origin = {0, 0, 0, 0};
    blit(menu_sync, nullptr, screen, &origin);
    key_magenta(my_surfFrets);
    draw_sprite(my_surfFrets, src_rectFrets, dst_rectFrets.x, dst_rectFrets.y);
    if (lit) {
        key_magenta(my_surfFrets);
        draw_sprite(my_surfFrets, src_fret3, dst_fret3.x, dst_fret3.y);
    }
    for (int y : note_y) {
        if (y < 0 || y > 240) continue;
        key_white(my_surfNotas);
        draw_sprite(my_surfNotas, src_Nota3, LANE3_X, y);
    }
    char delay[40];
    std::snprintf(delay, sizeof delay, "DELAY: %d MS", sync_delay_ms);
    SDL_Surface *prompt_text = draw_text_centred(font_small1, prompt, color_white, PROMPT_Y);
    SDL_Surface *delay_text = draw_text_centred(font_title, delay, color_white, DELAY_Y);
    platform_flip(screen);
    free_text(prompt_text);
    free_text(delay_text);
}

// The click track from its start: the notes fall and the presses of A are timed against
// the clicks on the calibration's own clock, which starts with the track as a song's
// clock starts with its music. Between frames the events are taken as they come, a
// millisecond apart, so each press is timed to the millisecond. False when B stopped it.
bool run_clicks(std::vector<int> &offsets) {
    free_menu_music();
    Mix_Music *clicks = load_music(SYNC_CLICKS_PATH);
    play_music(clicks, SYNC_CLICKS_PATH, 0);
    const Uint32 start = platform_ticks();
    std::vector<int> note_y(SYNC_CLICKS, -1);
    bool a_held = false, stopped = false;
    char prompt[48];
    while (!stopped) {
        const Uint32 frame_start = platform_ticks();
        const int msec = static_cast<int>(frame_start - start);
        if (msec >= SYNC_END_MS) break;
        for (int i = 0; i < SYNC_CLICKS; ++i)
            if (note_y[i] < 0 && msec >= sync_click_ms(i) - SPAWN_LEAD_MS) note_y[i] = 0;
        std::snprintf(prompt, sizeof prompt, "PRESS A ON EVERY CLICK: %d",
                      static_cast<int>(offsets.size()));
        draw_screen(prompt, a_held, note_y);
        for (int &y : note_y)
            if (y >= 0 && y <= 240) y += FALL_PER_FRAME;

        SDL_Event event;
        bool got = platform_poll(&event, SCREEN_SYNC);
        for (;;) {
            if (got && event.type == SDL_KEYDOWN && event.key.keysym.sym == BUTTON_A) {
                a_held = true;
                int offset = 0;
                if (sync_press_offset(static_cast<int>(platform_ticks() - start), offset) &&
                    offsets.size() < MAX_PRESSES)
                    offsets.push_back(offset);
            } else if (got && event.type == SDL_KEYUP && event.key.keysym.sym == BUTTON_A) {
                a_held = false;
            } else if (got && event.type == SDL_KEYDOWN && event.key.keysym.sym == BUTTON_B) {
                stopped = true;
                break;
            }
            if (platform_ticks() - frame_start >= FRAME_MS) break;
            platform_delay(1);
            got = platform_poll_between(&event);
        }
    }
    free_music(clicks);
    start_menu_music();
    return !stopped;
}

// Saves the delay when it differs from what the file was read or last written with.
// False when it could not be written.
bool save_if_changed(int &saved) {
    if (sync_delay_ms == saved) return true;
    if (!save_settings()) return false;
    saved = sync_delay_ms;
    return true;
}

} // namespace

void sync_calibration() {
    int saved = sync_delay_ms;
    const char *message = START_PROMPT;
    bool offering = false; // a measured delay is shown, to keep with A or drop with B
    int measured = 0;
    const std::vector<int> no_notes;
    char offer[64];
    for (;;) {
        if (offering)
            std::snprintf(offer, sizeof offer, "MEASURED %d MS. A: KEEP IT, B: DO NOT", measured);
        draw_screen(offering ? offer : message, false, no_notes);
        SDL_Event event;
        if (!platform_poll(&event, SCREEN_SYNC) || event.type != SDL_KEYDOWN) continue;
        const SDLKey key = event.key.keysym.sym;
        if (offering) {
            if (key != BUTTON_A && key != BUTTON_B) continue;
            offering = false;
            message = START_PROMPT;
            if (key == BUTTON_B) {
                play_effect(CANCELA);
                continue;
            }
            play_effect(ACEITA);
            sync_delay_ms = measured;
            message = save_if_changed(saved) ? "KEPT. A: START THE CLICKS"
                                             : "KEPT FOR THIS RUN: IT COULD NOT BE SAVED";
        } else if (key == SDLK_LEFT || key == SDLK_RIGHT) {
            int step = key == SDLK_LEFT ? -SYNC_DELAY_STEP : SYNC_DELAY_STEP;
            sync_delay_ms = std::clamp(sync_delay_ms + step, SYNC_DELAY_MIN, SYNC_DELAY_MAX);
        } else if (key == BUTTON_A) {
            std::vector<int> offsets;
            if (!run_clicks(offsets)) {
                message = "STOPPED. A: START THE CLICKS";
            } else if (measure_sync_delay(offsets, measured)) {
                measured = std::clamp(measured, SYNC_DELAY_MIN, SYNC_DELAY_MAX);
                offering = true;
            } else {
                message = "TOO FEW PRESSES: THE DELAY STAYS";
            }
        } else if (key == BUTTON_B) {
            if (!save_if_changed(saved))
                std::fprintf(stderr,
                             "fretfall: cannot write %s; the sync delay of %d ms lasts "
                             "for this run only\n",
                             SETTINGS_FILE, sync_delay_ms);
            play_effect(CANCELA);
            return;
        }
    }
}
