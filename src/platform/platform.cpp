// Time, events and presenting for the real game and for the headless driver.
#include "platform/platform.h"

#include "platform/gamepad.h"
#include "headless/recorder.h"
#include "headless/screenshot.h"
#include "platform/sdl2.h"
#include "headless/script.h"
#include "headless/trace.h"

#include <SDL_syswm.h>
#include <SDL_ttf.h>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace {

// Where time and events come from: SDL, the headless driver's script, or a recording.
enum Mode { MODE_REAL, MODE_SCRIPT, MODE_PLAYBACK };
Mode mode = MODE_REAL;
Uint32 virtual_ms = 0; // the headless clock; only waits advance it
Script script;
size_t next_event = 0;
FILE *trace_out = nullptr;
Uint32 last_pass = 0;    // start of the previous paced pass
bool paced_before = false;
Uint32 presents = 0;
FILE *presents_out = nullptr; // --presents: time of every present
FILE *hashes_out = nullptr;   // --hashes: pixels of every present

// Recording and trace reach their files at least once a second of play, so a game that
// is killed leaves both up to about then.
const Uint32 FLUSH_MS = 1000;
Uint32 last_clock = 0; // the latest clock reading handed to the game
Uint32 last_flush = 0;

Recording playback;    // the recording being replayed
size_t next_record = 0;
const char *polled_screen = "start-up"; // for the replay's messages

void flush_outputs() {
    recorder_flush();
    if (trace_out) fflush(trace_out);
    last_flush = last_clock;
}

// Ends a headless run or a replay that cannot go on.
[[noreturn]] void finish(int status) {
    flush_outputs();
    std::exit(status);
}

// The script has run out: the headless run ends here, as if the player walked away.
[[noreturn]] void finish_replay() { finish(0); }

void advance_virtual(Uint32 ms) {
    Uint64 target = static_cast<Uint64>(virtual_ms) + ms;
    if (target >= script.end_time) {
        virtual_ms = script.end_time;
        finish_replay();
    }
    virtual_ms = static_cast<Uint32>(target);
}

void take_shots(SDL_Surface *surface) {
    for (auto it = script.shots.begin(); it != script.shots.end();) {
        if (it->time <= virtual_ms) {
            if (!save_png(surface, it->path.c_str()))
                std::fprintf(stderr, "fretfall-replay: cannot write %s\n", it->path.c_str());
            it = script.shots.erase(it);
        } else {
            ++it;
        }
    }
}

void note_present(FILE *out) {
    timespec now, cpu;
    clock_gettime(CLOCK_REALTIME, &now);
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &cpu);
    std::fprintf(out, "%u %lld.%06ld %.3f\n", virtual_ms, static_cast<long long>(now.tv_sec),
                 now.tv_nsec / 1000, cpu.tv_sec * 1e3 + cpu.tv_nsec / 1e6);
}

// The visible pixels only: the pitch's padding bytes are left out.
void hash_present(FILE *out, SDL_Surface *surface) {
    Uint64 hash = 14695981039346656037ull;
    if (surface && !SDL_LockSurface(surface)) {
        const Uint8 *row = static_cast<const Uint8 *>(surface->pixels);
        size_t row_bytes = static_cast<size_t>(surface->w) * surface->format->BytesPerPixel;
        for (int y = 0; y < surface->h; ++y, row += surface->pitch)
            for (size_t i = 0; i < row_bytes; ++i)
                hash = (hash ^ row[i]) * 1099511628211ull;
        SDL_UnlockSurface(surface);
    }
    std::fprintf(out, "%u %016llx\n", virtual_ms, static_cast<unsigned long long>(hash));
}

std::string replay_position() {
    return "record " + std::to_string(next_record) + " (clock " + std::to_string(last_clock) +
           " ms, screen " + polled_screen + ")";
}

// The next recorded value, which must answer `request`: the same kind, and for a wait or
// the exit the same length or status. Anything else stops the replay at once.
const Record &take_record(const Record &request) {
    if (next_record >= playback.records.size()) {
        std::fprintf(stderr, "fretfall-replay: the recording ends after %s; replayed to there\n",
                     replay_position().c_str());
        finish(0);
    }
    const Record &r = playback.records[next_record++];
    bool same = r.kind == request.kind &&
                ((r.kind != RECORD_DELAY && r.kind != RECORD_EXIT) || r.value == request.value);
    if (!same) {
        std::fprintf(stderr, "fretfall-replay: diverged at %s: the game asked for %s, the recording holds %s\n",
                     replay_position().c_str(), describe_request(request).c_str(),
                     describe_record(r).c_str());
        finish(3);
    }
    return r;
}

Record request(RecordKind kind, Uint32 value = 0) {
    Record r;
    r.kind = kind;
    r.value = value;
    return r;
}

// The event of the headless script due by now, if any.
int script_event(SDL_Event *event) {
    if (next_event >= script.events.size() || script.events[next_event].time > virtual_ms) return 0;
    const ScriptEvent &e = script.events[next_event++];
    SDL_memset(event, 0, sizeof *event);
    event->type = e.type;
    event->key.type = e.type;
    event->key.state = e.type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
    event->key.keysym.sym = e.key;
    return 1;
}

// The recorded event: its type and, for a key, the key code, which is all the game reads.
int playback_event(SDL_Event *event) {
    const Record &r = take_record(request(RECORD_POLL));
    if (!r.value) return 0;
    SDL_memset(event, 0, sizeof *event);
    event->type = r.type;
    if (r.type == SDL_KEYDOWN || r.type == SDL_KEYUP) {
        event->key.state = r.type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
        event->key.keysym.sym = static_cast<SDLKey>(r.key);
    }
    return 1;
}

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
        if (event->type == SDL_KEYDOWN) SDL_WM_ToggleFullScreen(SDL_GetVideoSurface());
    }
    return 1;
}

// Takes at most one event from the mode's source, and records what the game gets.
int take_event(SDL_Event *event) {
    if (mode == MODE_PLAYBACK) return playback_event(event);
    int got = mode == MODE_SCRIPT ? script_event(event) : real_event(event);
    if (recorder_on()) {
        Record r = request(RECORD_POLL, got ? 1 : 0);
        if (got) {
            r.type = event->type;
            if (event->type == SDL_KEYDOWN || event->type == SDL_KEYUP)
                r.key = static_cast<Uint16>(event->key.keysym.sym);
        }
        recorder_add(r);
    }
    return got;
}

// Trace output: a file, or standard output when `path` is empty.
bool open_trace(const std::string &path, std::string &error) {
    if (trace_out && trace_out != stdout) std::fclose(trace_out);
    trace_out = nullptr;
    if (path.empty()) {
        trace_out = stdout;
        return true;
    }
    trace_out = std::fopen(path.c_str(), "w");
    if (!trace_out) error = "cannot write trace " + path;
    return trace_out != nullptr;
}

} // namespace

void platform_start_real(const std::string &record_path, const std::string &trace_path) {
    mode = MODE_REAL;
    // sdl12-compat reads these when SDL starts; a player's own settings win. Whole-factor
    // window scaling by nearest neighbour keeps every game pixel a square block.
    setenv("SDL12COMPAT_SCALE_METHOD", "nearest", 0);
    gamepad_prepare();
    if (!trace_path.empty()) {
        std::string error;
        if (!open_trace(trace_path, error))
            std::fprintf(stderr, "fretfall: %s; playing on without it\n", error.c_str());
    }
    if (!record_path.empty()) recorder_start("fretfall", record_path);
}

bool platform_start_replay(const std::string &script_path, const std::string &trace_path,
                           std::string &error) {
    std::ifstream in(script_path);
    if (!in) {
        error = "cannot read script " + script_path;
        return false;
    }
    std::stringstream text;
    text << in.rdbuf();
    script = Script();
    if (!parse_script(text.str(), script, error)) {
        error = script_path + ": " + error;
        return false;
    }
    if (!open_trace(trace_path, error)) return false;
    // Screenshots are named relative to where the driver was started, not to --dir.
    char cwd[4096];
    if (getcwd(cwd, sizeof cwd))
        for (ScriptShot &shot : script.shots)
            if (!shot.path.empty() && shot.path[0] != '/') shot.path = std::string(cwd) + "/" + shot.path;
    mode = MODE_SCRIPT;
    virtual_ms = 0;
    next_event = 0;
    if (script.end_time == 0) finish_replay();
    return true;
}

bool platform_start_playback(Recording &&recording, const std::string &trace_path,
                             std::string &error) {
    if (!open_trace(trace_path, error)) return false;
    playback = std::move(recording);
    next_record = 0;
    mode = MODE_PLAYBACK;
    return true;
}

void platform_record(const std::string &path, const StartFile *settings) {
    recorder_start("fretfall-replay", path, settings);
}

namespace {

// sdl12-compat letterboxes the picture in full screen at any factor (4.5 on 1920x1080);
// SDL2's renderer can be told to keep to whole factors, as the window does.
void whole_factor_full_screen() {
    auto get_renderer = reinterpret_cast<void *(*)(SDL_Window *)>(sdl2_function("SDL_GetRenderer"));
    auto integer_scale =
        reinterpret_cast<int (*)(void *, int)>(sdl2_function("SDL_RenderSetIntegerScale"));
    SDL_Window *window = SDL12COMPAT_GetWindow();
    void *renderer = window && get_renderer ? get_renderer(window) : nullptr;
    if (renderer && integer_scale) integer_scale(renderer, 1);
}

} // namespace

SDL_Surface *platform_set_video_mode(int width, int height, int bpp) {
    const char *driver_name = nullptr;
    char driver[32];
    if (mode == MODE_REAL && SDL_VideoDriverName(driver, sizeof driver)) driver_name = driver;
    bool desktop = driver_name && SDL_strcmp(driver_name, "dummy") != 0;
    if (desktop) {
        // The largest whole factor whose window fits the desktop, with 80 pixels of its
        // height left for panels and the title bar.
        const SDL_VideoInfo *info = SDL_GetVideoInfo();
        int k = 1;
        while (info && width * (k + 1) <= info->current_w &&
               height * (k + 1) <= info->current_h - 80)
            ++k;
        char scale[16];
        std::snprintf(scale, sizeof scale, "%d", k);
        setenv("SDL12COMPAT_WINDOW_SCALING", scale, 0);
    }
    SDL_Surface *surface = SDL_SetVideoMode(width, height, bpp, 0);
    if (desktop && surface) whole_factor_full_screen();
    if (mode == MODE_REAL) gamepad_start();
    return surface;
}

void platform_start_virtual() {
    script = Script();
    script.end_time = 0xFFFFFFFFu;
    trace_out = nullptr;
    mode = MODE_SCRIPT;
    virtual_ms = 0;
    next_event = 0;
}

bool platform_is_replay() { return mode != MODE_REAL; }

const Script &platform_script() { return script; }

Uint32 platform_ticks() {
    Uint32 now;
    if (mode == MODE_PLAYBACK) {
        // The headless lines (presents, hashes) are stamped with the recorded clock.
        now = virtual_ms = take_record(request(RECORD_TICKS)).value;
    } else {
        now = mode == MODE_SCRIPT ? virtual_ms : SDL_GetTicks();
        if (recorder_on()) recorder_add(request(RECORD_TICKS, now));
    }
    last_clock = now;
    if (now - last_flush >= FLUSH_MS) flush_outputs();
    return now;
}

void platform_delay(Uint32 ms) {
    if (mode == MODE_PLAYBACK) {
        take_record(request(RECORD_DELAY, ms));
        return;
    }
    if (recorder_on()) recorder_add(request(RECORD_DELAY, ms));
    // Nothing waits unwritten past the next second.
    if (last_clock + ms - last_flush >= FLUSH_MS) flush_outputs();
    if (mode == MODE_SCRIPT)
        advance_virtual(ms);
    else
        SDL_Delay(ms);
}

int platform_poll(SDL_Event *event, ScreenId screen) {
    if (screen != SCREEN_SONG) {
        Uint32 now = platform_ticks();
        Uint32 spent = now - last_pass;
        if (paced_before && spent < PASS_MS) platform_delay(PASS_MS - spent);
        last_pass = platform_ticks();
        paced_before = true;
    }
    polled_screen = screen_name(screen);
    // The trace's time is a clock reading of its own, taken whether or not a trace is
    // written, so that a recording replays the same with or without one.
    Uint32 now = platform_ticks();
    trace_poll(trace_out, now, screen);
    int got = take_event(event);
    if (got && event->type == SDL_QUIT) platform_exit(0);
    return got;
}

int platform_poll_between(SDL_Event *event) {
    int got = take_event(event);
    if (got && event->type == SDL_QUIT) platform_exit(0);
    return got;
}

void platform_flip(SDL_Surface *surface) {
    if (mode == MODE_REAL) {
        SDL_Flip(surface);
        return;
    }
    ++presents;
    if (presents_out) note_present(presents_out);
    if (hashes_out) hash_present(hashes_out, surface);
    if (!script.shots.empty()) take_shots(surface);
}

Uint32 platform_presents() { return presents; }

bool platform_note_presents(const std::string &path) {
    presents_out = std::fopen(path.c_str(), "w");
    return presents_out != nullptr;
}

bool platform_hash_presents(const std::string &path) {
    hashes_out = std::fopen(path.c_str(), "w");
    return hashes_out != nullptr;
}

void platform_trace_sound(const char *stem) {
    Uint32 now = platform_ticks();
    if (trace_out) std::fprintf(trace_out, "{\"t\":%u,\"sound\":\"%s\"}\n", now, stem);
}

void platform_trace_music(const char *path) {
    Uint32 now = platform_ticks();
    if (trace_out) std::fprintf(trace_out, "{\"t\":%u,\"music\":\"%s\"}\n", now, path);
}

void platform_exit(int status) {
    Uint32 now = platform_ticks();
    if (trace_out) std::fprintf(trace_out, "{\"t\":%u,\"exit\":%d}\n", now, status);
    Record end = request(RECORD_EXIT, static_cast<Uint32>(status));
    if (mode == MODE_PLAYBACK)
        take_record(end);
    else if (recorder_on())
        recorder_add(end);
    flush_outputs();
    if (TTF_WasInit()) TTF_Quit();
    SDL_Quit();
    std::exit(status);
}
