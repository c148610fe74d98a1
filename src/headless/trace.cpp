// Trace lines: what a test needs to follow the game without looking at pixels.
#include "headless/trace.h"

#include "engine/draw.h"
#include "menus/menustate.h"
#include "engine/stems.h"
#include "songs/catalogue.h"
#include "songs/librarysong.h"
#include "game/input.h"
#include "engine/sound.h"
#include "game/results.h"
#include "game/score.h"
#include "game/song.h"
#include "menus/hiscoretable.h"
#include "menus/library.h"
#include "menus/songselect.h"
#include "nameentry/nameentry.h"
#include "store/settings.h"

namespace {

const char *const screen_names[SCREEN_COUNT] = {
    "intro",   "main_menu", "play_menu",  "career",     "song_select", "highscores",
    "gallery", "options",   "key_config", "game_look",  "volume",      "save_menu",
    "credits", "song",      "pause",      "name_entry", "sync",        "library",
};

// The cursor or page that each screen moves.
int screen_cursor(ScreenId screen) {
    switch (screen) {
    case SCREEN_MAIN_MENU:
    case SCREEN_OPTIONS:
    case SCREEN_GAME_LOOK:
    case SCREEN_SAVE_MENU:
        return cursor_count;
    case SCREEN_PLAY_MENU:
        return cursor_count2;
    case SCREEN_SONG_SELECT:
        return song_select_library ? SONG_SELECT_LIBRARY_PAGE : count_song;
    case SCREEN_GALLERY:
        return count_song;
    case SCREEN_LIBRARY:
        return library_cursor;
    case SCREEN_HIGHSCORES:
        return select_score;
    case SCREEN_KEY_CONFIG:
        return key_conf;
    case SCREEN_VOLUME:
        return VOL;
    case SCREEN_NAME_ENTRY:
        return 10 * letrasY + letrasX;
    case SCREEN_SYNC:
        return sync_delay_ms;
    default:
        return 0;
    }
}

// Writes `text` as a JSON string.
void json_string(FILE *out, const char *text) {
    std::fputc('"', out);
    for (const char *p = text; *p; ++p) {
        unsigned char c = static_cast<unsigned char>(*p);
        if (c == '"' || c == '\\')
            std::fprintf(out, "\\%c", c);
        else if (c < 0x20 || c >= 0x7f)
            std::fprintf(out, "\\u%04x", c);
        else
            std::fputc(c, out);
    }
    std::fputc('"', out);
}

} // namespace

const char *screen_name(ScreenId screen) {
    return screen >= 0 && screen < SCREEN_COUNT ? screen_names[screen] : "unknown";
}

void trace_poll(FILE *out, Uint32 t, ScreenId screen) {
    if (!out) return;
    std::fprintf(out,
                 "{\"t\":%u,\"screen\":\"%s\",\"cursor\":%d,\"song\":%d,\"msec\":%d,"
                 "\"score\":%d,\"streak\":%d,\"hits\":%d,\"longest\":%d,\"meter\":%d,"
                 "\"wins\":%d,\"loses\":%d,\"word\":",
                 t, screen_name(screen), screen_cursor(screen), count_song, msec, nSCORE, nHITS,
                 tHITS, nSTREAK, Balanca, wins, loses);
    json_string(out, textoE);
    // A library song is named, with its guitar stem's state.
    if (is_library_song(count_song)) {
        std::fputs(",\"title\":", out);
        json_string(out, library_song.title.c_str());
        std::fprintf(out, ",\"ducked\":%d", stems_guitar_ducked() ? 1 : 0);
    }
    std::fputs("}\n", out);
}
