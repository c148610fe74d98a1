// Replaying a recording: every clock reading, wait, poll and the exit answered from it.
#include "headless/session.h"
#include "headless/side.h"
#include "headless/trace.h"

namespace {

Recording playback; // the recording being replayed
size_t next_record = 0;
Uint32 last_clock = 0; // the latest recorded clock handed out, for the messages

std::string replay_position() {
    ScreenId screen = platform_polled_screen();
    const char *name = screen == SCREEN_COUNT ? "start-up" : screen_name(screen);
    return "record " + std::to_string(next_record) + " (clock " + std::to_string(last_clock) +
           " ms, screen " + name + ")";
}

Record request(RecordKind kind, Uint32 value = 0) {
    Record r;
    r.kind = kind;
    r.value = value;
    return r;
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
        std::fprintf(
            stderr,
            "fretfall-replay: diverged at %s: the game asked for %s, the recording holds %s\n",
            replay_position().c_str(), describe_request(request).c_str(),
            describe_record(r).c_str());
        finish(3);
    }
    return r;
}

// The headless lines (presents, hashes) are stamped with the recorded clock.
Uint32 playback_ticks() {
    last_clock = virtual_ms = take_record(request(RECORD_TICKS)).value;
    return last_clock;
}

void playback_delay(Uint32 ms) { take_record(request(RECORD_DELAY, ms)); }

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

void playback_exit(Uint32 now, int status) {
    trace_exit(now, status);
    take_record(request(RECORD_EXIT, static_cast<Uint32>(status)));
    flush_outputs();
}

const PlatformSide playback_side = {
    playback_ticks, playback_delay, playback_event, headless_present, observe_ticks, nullptr,
    observe_poll,   nullptr,        observe_line,   playback_exit,    flush_outputs,
};

} // namespace

bool headless_start_playback(Recording &&recording, const std::string &trace_path,
                             std::string &error) {
    if (!open_trace(trace_path, error)) return false;
    playback = std::move(recording);
    next_record = 0;
    platform_use_side(&playback_side);
    return true;
}
