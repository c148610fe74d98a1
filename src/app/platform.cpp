// Time, events and presenting for the real game and for the headless driver.
#include "app/platform.h"

#include "app/screenshot.h"
#include "app/script.h"
#include "app/trace.h"

#include <SDL_ttf.h>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace {

bool replay = false;
Uint32 virtual_ms = 0; // the headless clock; only waits advance it
Script script;
size_t next_event = 0;
FILE *trace_out = nullptr;
Uint32 last_pass = 0;    // start of the previous paced pass
bool paced_before = false;
Uint32 presents = 0;
FILE *presents_out = nullptr; // --presents: time of every present
FILE *hashes_out = nullptr;   // --hashes: pixels of every present

// The script has run out: the headless run ends here, as if the player walked away.
[[noreturn]] void finish_replay() {
    if (trace_out) fflush(trace_out);
    std::exit(0);
}

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

} // namespace

void platform_start_real() { replay = false; }

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
    if (trace_path.empty()) {
        trace_out = stdout;
    } else {
        trace_out = std::fopen(trace_path.c_str(), "w");
        if (!trace_out) {
            error = "cannot write trace " + trace_path;
            return false;
        }
    }
    // Screenshots are named relative to where the driver was started, not to --dir.
    char cwd[4096];
    if (getcwd(cwd, sizeof cwd))
        for (ScriptShot &shot : script.shots)
            if (!shot.path.empty() && shot.path[0] != '/') shot.path = std::string(cwd) + "/" + shot.path;
    replay = true;
    virtual_ms = 0;
    next_event = 0;
    if (script.end_time == 0) finish_replay();
    return true;
}

void platform_start_virtual() {
    script = Script();
    script.end_time = 0xFFFFFFFFu;
    trace_out = nullptr;
    replay = true;
    virtual_ms = 0;
    next_event = 0;
}

bool platform_is_replay() { return replay; }

Uint32 platform_ticks() { return replay ? virtual_ms : SDL_GetTicks(); }

void platform_delay(Uint32 ms) {
    if (replay)
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
    if (!replay) {
        int got = SDL_PollEvent(event);
        if (got && event->type == SDL_QUIT) platform_exit(0);
        return got;
    }
    trace_poll(trace_out, virtual_ms, screen);
    if (next_event < script.events.size() && script.events[next_event].time <= virtual_ms) {
        const ScriptEvent &e = script.events[next_event++];
        SDL_memset(event, 0, sizeof *event);
        event->type = e.type;
        event->key.type = e.type;
        event->key.state = e.type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
        event->key.keysym.sym = e.key;
        return 1;
    }
    return 0;
}

void platform_flip(SDL_Surface *surface) {
    if (!replay) {
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
    if (replay && trace_out) std::fprintf(trace_out, "{\"t\":%u,\"sound\":\"%s\"}\n", virtual_ms, stem);
}

void platform_trace_music(const char *path) {
    if (replay && trace_out) std::fprintf(trace_out, "{\"t\":%u,\"music\":\"%s\"}\n", virtual_ms, path);
}

void platform_exit(int status) {
    if (TTF_WasInit()) TTF_Quit();
    SDL_Quit();
    if (replay && trace_out) {
        std::fprintf(trace_out, "{\"t\":%u,\"exit\":%d}\n", virtual_ms, status);
        fflush(trace_out);
    }
    std::exit(status);
}
