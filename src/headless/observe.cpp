// The recording and the trace of a run, fed with everything the seam hands the game.
#include "headless/recorder.h"
#include "headless/session.h"
#include "headless/side.h"
#include "headless/trace.h"

#include <cstdlib>

FILE *trace_out = nullptr;

namespace {

// Recording and trace reach their files at least once a second of play, so a game that
// is killed leaves both up to about then.
const Uint32 FLUSH_MS = 1000;
Uint32 last_clock = 0; // the latest clock reading handed to the game
Uint32 last_flush = 0;

Record request(RecordKind kind, Uint32 value) {
    Record r;
    r.kind = kind;
    r.value = value;
    return r;
}

// The real game, recorded or traced: SDL's clock and events, observed.
const PlatformSide observed_real = {
    nullptr,      nullptr,       nullptr,      nullptr,      observe_ticks, observe_delay,
    observe_poll, observe_event, observe_line, observe_exit, flush_outputs,
};

} // namespace

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

void flush_outputs() {
    recorder_flush();
    if (trace_out) fflush(trace_out);
    last_flush = last_clock;
}

void finish(int status) {
    flush_outputs();
    std::exit(status);
}

void observe_ticks(Uint32 now) {
    if (recorder_on()) recorder_add(request(RECORD_TICKS, now));
    last_clock = now;
    if (now - last_flush >= FLUSH_MS) flush_outputs();
}

void observe_delay(Uint32 ms) {
    if (recorder_on()) recorder_add(request(RECORD_DELAY, ms));
    // Nothing waits unwritten past the next second.
    if (last_clock + ms - last_flush >= FLUSH_MS) flush_outputs();
}

void observe_poll(Uint32 now, ScreenId screen) { trace_poll(trace_out, now, screen); }

void observe_event(int got, const SDL_Event *event) {
    if (!recorder_on()) return;
    Record r = request(RECORD_POLL, got ? 1 : 0);
    if (got) {
        r.type = event->type;
        if (event->type == SDL_KEYDOWN || event->type == SDL_KEYUP)
            r.key = static_cast<Uint16>(event->key.keysym.sym);
    }
    recorder_add(r);
}

void observe_line(Uint32 now, const char *key, const char *value) {
    if (trace_out) std::fprintf(trace_out, "{\"t\":%u,\"%s\":\"%s\"}\n", now, key, value);
}

void trace_exit(Uint32 now, int status) {
    if (trace_out) std::fprintf(trace_out, "{\"t\":%u,\"exit\":%d}\n", now, status);
}

void observe_exit(Uint32 now, int status) {
    trace_exit(now, status);
    if (recorder_on()) recorder_add(request(RECORD_EXIT, static_cast<Uint32>(status)));
    flush_outputs();
}

void headless_observe_real(const std::string &record_path, const std::string &trace_path) {
    if (!trace_path.empty()) {
        std::string error;
        if (!open_trace(trace_path, error))
            std::fprintf(stderr, "fretfall: %s; playing on without it\n", error.c_str());
    }
    if (!record_path.empty()) recorder_start("fretfall", record_path);
    platform_use_side(&observed_real);
}

void headless_record(const std::string &path, const StartFile *settings) {
    recorder_start("fretfall-replay", path, settings);
}
