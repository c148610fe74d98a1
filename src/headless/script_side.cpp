// The headless driver's clock and events: a virtual clock that only waits advance, and the
// key events of a script, each due at its time.
#include "headless/session.h"
#include "headless/side.h"
#include "store/settings.h"

#include <fstream>
#include <sstream>
#include <unistd.h>

Uint32 virtual_ms = 0;

namespace {

Script script;
size_t next_event = 0;

Uint32 script_ticks() { return virtual_ms; }

// The script has run out at its end time: the run ends there, as if the player walked away.
void script_delay(Uint32 ms) {
    Uint64 target = static_cast<Uint64>(virtual_ms) + ms;
    if (target >= script.end_time) {
        virtual_ms = script.end_time;
        finish(0);
    }
    virtual_ms = static_cast<Uint32>(target);
}

// The event of the script due by now, if any.
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

const PlatformSide script_side = {
    script_ticks, script_delay,  script_event, headless_present, observe_ticks, observe_delay,
    observe_poll, observe_event, observe_line, observe_exit,     flush_outputs,
};

void start(Script &&new_script) {
    script = std::move(new_script);
    // A script run plays with its own sync delay, never with a settings file's.
    sync_delay_ms = script.sync_delay_ms;
    pending_shots = script.shots;
    virtual_ms = 0;
    next_event = 0;
    platform_use_side(&script_side);
}

} // namespace

bool headless_start_script(const std::string &script_path, const std::string &trace_path,
                           std::string &error) {
    std::ifstream in(script_path);
    if (!in) {
        error = "cannot read script " + script_path;
        return false;
    }
    std::stringstream text;
    text << in.rdbuf();
    Script parsed;
    if (!parse_script(text.str(), parsed, error)) {
        error = script_path + ": " + error;
        return false;
    }
    if (!open_trace(trace_path, error)) return false;
    // Screenshots are named relative to where the driver was started, not to --dir.
    char cwd[4096];
    if (getcwd(cwd, sizeof cwd))
        for (ScriptShot &shot : parsed.shots)
            if (!shot.path.empty() && shot.path[0] != '/')
                shot.path = std::string(cwd) + "/" + shot.path;
    start(std::move(parsed));
    if (script.end_time == 0) finish(0);
    return true;
}

void headless_start_virtual() {
    Script endless;
    endless.end_time = 0xFFFFFFFFu;
    trace_out = nullptr;
    start(std::move(endless));
}
