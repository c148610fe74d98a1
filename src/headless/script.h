// Scripts of the headless driver: timed key events, screenshots, the end of a run and the
// sync delay it plays with.
#pragma once
#include <SDL.h>
#include <string>
#include <vector>

struct ScriptEvent {
    Uint32 time; // script clock at which the event is queued (ms)
    Uint8 type;  // SDL_KEYDOWN or SDL_KEYUP
    SDLKey key;
};

struct ScriptShot {
    Uint32 time;      // the first screen presented at or after this time is saved
    std::string path; // PNG file
};

struct Script {
    std::vector<ScriptEvent> events; // in queue order
    std::vector<ScriptShot> shots;
    Uint32 end_time = 0;   // the run stops when the virtual clock reaches it
    int sync_delay_ms = 0; // the sync delay of the whole run
};

// The SDL 1.2 key of a name without its SDLK_ prefix ("LCTRL", "a", "RETURN"), or
// SDLK_UNKNOWN.
SDLKey key_from_name(const std::string &name);
// The script name of `key`, or "code N" for a key that has none.
std::string key_to_name(SDLKey key);

// Parses a script's text; on a bad line returns false with the line number in `error`.
bool parse_script(const std::string &text, Script &script, std::string &error);
