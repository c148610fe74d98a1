// Parser of the headless driver's scripts: one command a line, `#` comments.
#include "headless/script.h"

#include "store/settings.h"

#include <cctype>
#include <cstdlib>
#include <sstream>

namespace {

struct KeyName {
    const char *name;
    SDLKey key;
};

const KeyName key_names[] = {
    {"LCTRL", SDLK_LCTRL},
    {"RCTRL", SDLK_RCTRL},
    {"LALT", SDLK_LALT},
    {"RALT", SDLK_RALT},
    {"LSHIFT", SDLK_LSHIFT},
    {"RSHIFT", SDLK_RSHIFT},
    {"SPACE", SDLK_SPACE},
    {"TAB", SDLK_TAB},
    {"BACKSPACE", SDLK_BACKSPACE},
    {"RETURN", SDLK_RETURN},
    {"ESCAPE", SDLK_ESCAPE},
    {"UP", SDLK_UP},
    {"DOWN", SDLK_DOWN},
    {"LEFT", SDLK_LEFT},
    {"RIGHT", SDLK_RIGHT},
    {"HOME", SDLK_HOME},
    {"END", SDLK_END},
    {"PAGEUP", SDLK_PAGEUP},
    {"PAGEDOWN", SDLK_PAGEDOWN},
    {"INSERT", SDLK_INSERT},
    {"DELETE", SDLK_DELETE},
    {"F1", SDLK_F1},
    {"F2", SDLK_F2},
    {"F3", SDLK_F3},
    {"F4", SDLK_F4},
    {"F5", SDLK_F5},
    {"F6", SDLK_F6},
    {"F7", SDLK_F7},
    {"F8", SDLK_F8},
    {"F9", SDLK_F9},
    {"F10", SDLK_F10},
    {"F11", SDLK_F11},
    {"F12", SDLK_F12},
    {"MINUS", SDLK_MINUS},
    {"PERIOD", SDLK_PERIOD},
    {"COMMA", SDLK_COMMA},
    {"SLASH", SDLK_SLASH},
};

bool parse_ms(const std::string &word, Uint32 &out) {
    if (word.empty() || word.size() > 9) return false;
    for (char c : word)
        if (!std::isdigit(static_cast<unsigned char>(c))) return false;
    out = static_cast<Uint32>(std::strtoul(word.c_str(), nullptr, 10));
    return true;
}

// A sync delay: a whole number of ms, from SYNC_DELAY_MIN to SYNC_DELAY_MAX.
bool parse_delay(const std::string &word, int &out) {
    bool negative = !word.empty() && word[0] == '-';
    Uint32 ms = 0;
    if (!parse_ms(negative ? word.substr(1) : word, ms)) return false;
    long value = negative ? -static_cast<long>(ms) : static_cast<long>(ms);
    if (value < SYNC_DELAY_MIN || value > SYNC_DELAY_MAX) return false;
    out = static_cast<int>(value);
    return true;
}

} // namespace

SDLKey key_from_name(const std::string &name) {
    for (const KeyName &k : key_names)
        if (name == k.name) return k.key;
    // Letters and digits are named by their own character, as SDL 1.2 does.
    if (name.size() == 1) {
        unsigned char c = static_cast<unsigned char>(name[0]);
        if (std::islower(c) || std::isdigit(c)) return static_cast<SDLKey>(c);
    }
    return SDLK_UNKNOWN;
}

std::string key_to_name(SDLKey key) {
    for (const KeyName &k : key_names)
        if (key == k.key) return k.name;
    if ((key >= SDLK_a && key <= SDLK_z) || (key >= SDLK_0 && key <= SDLK_9))
        return std::string(1, static_cast<char>(key));
    return "code " + std::to_string(static_cast<int>(key));
}

bool parse_script(const std::string &text, Script &script, std::string &error) {
    std::istringstream in(text);
    std::string line;
    Uint32 clock = 0;
    bool ended = false;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        std::istringstream words(line);
        std::string cmd, arg, extra;
        if (!(words >> cmd) || cmd[0] == '#') continue;
        words >> arg;
        words >> extra;
        bool ok = !arg.empty() && extra.empty();
        if (ok && cmd == "wait") {
            Uint32 ms = 0;
            ok = parse_ms(arg, ms);
            clock += ms;
        } else if (ok && (cmd == "down" || cmd == "up" || cmd == "tap")) {
            SDLKey key = key_from_name(arg);
            ok = key != SDLK_UNKNOWN;
            if (ok && cmd != "up") script.events.push_back({clock, SDL_KEYDOWN, key});
            if (ok && cmd != "down") script.events.push_back({clock, SDL_KEYUP, key});
        } else if (ok && cmd == "sync") {
            ok = parse_delay(arg, script.sync_delay_ms);
        } else if (ok && cmd == "shot") {
            script.shots.push_back({clock, arg});
        } else if (cmd == "end" && arg.empty()) {
            script.end_time = clock;
            ended = ok = true;
        } else {
            ok = false;
        }
        if (!ok) {
            error = "line " + std::to_string(number) + ": cannot read \"" + line + "\"";
            return false;
        }
    }
    if (!ended) script.end_time = clock;
    return true;
}
