// The song loop: one paced 50 ms frame after another, from the music's start until the
// song is won, failed or left from the pause screen.
#include "game/song.h"

#include "engine/assets.h"
#include "engine/draw.h"
#include "game/input.h"
#include "platform/platform.h"
#include "game/feedback.h"
#include "game/hud.h"
#include "game/judge.h"
#include "game/lane_layout.h"
#include "game/notes.h"
#include "game/pause.h"
#include "game/playfield.h"
#include "game/results.h"
#include "game/score.h"
#include "game/songstart.h"
#include "game/timer.h"
#include "engine/stems.h"
#include "game/librarychart.h"
#include "songs/catalogue.h"
#include "songs/librarysong.h"

#include <algorithm>
#include <cstdio>
#include <string>

int msec;
int start;
int BPS = 10;
SDL_Rect camera = {-80, 540, 320, 540};
Uint32 cor_fundo;

namespace {

// The shortest song frame: at most 20 frames a second.
const int FRAME_MS = 50;
// A song clock reading past every song's end, set by the skip key.
const int SKIP_CLOCK = 520000;

// Past the end of the song being played, for songs longer than SKIP_CLOCK.
int skip_clock;

void (*const press_judgements[LANE_COUNT])() = {fret1, fret2, fret3, fret4, fret5};
void (*const fall_off_checks[LANE_COUNT])() = {fret1_A, fret2_B, fret3_C, fret4_D, fret5_E};

// Steps 1 to 11: the frame's picture up to the timer. Returns false when the song ended
// in this frame, with `next` set.
bool draw_frame(const SongEntry &song, Next &next) {
    parar_notas();
    longest_streak_update();
    frame_timer->start();
    SDL_FillRect(screen, nullptr, cor_fundo);
    draw_playfield_layers();
    judgement_word();
    clamp_meter();
    draw_rock_meter_cover();
    // A failure wins over a completed song in the same frame.
    if (meter_empty()) {
        fail_sequence();
        next = TO_MENU_CYCLE_START;
        return false;
    }
    // Still the clock of the previous frame: the skip key ends the song one frame later.
    if (msec >= song.end_ms) {
        win_sequence();
        next = TO_NAME_ENTRY;
        return false;
    }
    format_hud_numbers();
    streak_bonus();
    draw_hud_numbers();
    msec = static_cast<int>(platform_ticks() - static_cast<Uint32>(start));
    draw_song_timer();
    return true;
}

// A key press: pause, skip or a lane; then every held lane is judged again, and lanes
// held together get the two-lane adjustment. Returns false when the song was left.
bool key_press(SDLKey key) {
    if (key == BUTTON_START) {
        if (!pause_screen_run()) return false;
    } else if (key == SDLK_q) {
        zerar_notas();
        msec = std::max(SKIP_CLOCK, skip_clock);
    } else {
        lane_press(key);
    }
    flame_unshown = false;
    for (int lane = 1; lane <= LANE_COUNT; ++lane) {
        if (!*lane_flag(lane)) continue;
        draw_pressed_fret(lane); // gives the target rectangle its size before the judgement
        press_judgements[lane - 1]();
    }
    // One present shows every flame of this event (a present per flame showed nothing more
    // on the display, and each costs a display refresh where presents wait for it).
    if (flame_unshown) {
        flame_unshown = false;
        platform_flip(screen);
    }
    two_lane_adjust();
    return true;
}

// Step 17: at most one event. Returns false when the song was left from the pause screen.
bool take_event() {
    SDL_Event event;
    if (!platform_poll(&event, SCREEN_SONG)) return true;
    A = B = C = D = E = 0;
    if (event.type == SDL_KEYUP) lane_release();
    if (event.type == SDL_KEYDOWN) return key_press(event.key.keysym.sym);
    return true;
}

} // namespace

Next play_song() {
    const SongEntry *song = song_entry(count_song);
    if (!song) return TO_MENU_CYCLE_START;
    const bool library = is_library_song(count_song);
    if (library) {
        library_chart_start(library_song.notes);
        std::string silent;
        if (stems_open(library_song.stems, library_song.guitar_stem, silent) == 0)
            std::fprintf(stderr, "fretfall: %s plays silently: %s\n", library_song.dir.c_str(),
                         silent.c_str());
    }
    skip_clock = song->end_ms;
    song_start(song->music ? *song->music : nullptr, song->music_path, library);
    for (;;) {
        Next next = TO_MENU_CYCLE_START;
        if (!draw_frame(*song, next)) return next;
        if (library)
            play_library_chart();
        else if (song->chart)
            play_chart(*song->chart);
        scroll_neck();
        for (auto check : fall_off_checks)
            check();
        // The frame's picture with the pressed frets of the held lanes, presented once.
        for (int lane = 1; lane <= LANE_COUNT; ++lane)
            if (*lane_flag(lane)) draw_pressed_fret(lane);
        platform_flip(screen);
        if (!take_event()) return TO_MENU_CYCLE_START;
        if (frame_timer->get_ticks() < FRAME_MS)
            platform_delay(static_cast<Uint32>(FRAME_MS - frame_timer->get_ticks()));
    }
}
