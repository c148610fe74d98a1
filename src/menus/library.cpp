// The song library screen: a scrolling list of the library's songs over the plain stage
// backdrop, the highlighted song's details below it, its preview after the cursor rests,
// and a difficulty chooser in front of the list.
#include "menus/library.h"

#include "engine/assets.h"
#include "engine/draw.h"
#include "engine/sound.h"
#include "engine/stems.h"
#include "platform/buttons.h"
#include "platform/platform.h"
#include "songs/library.h"
#include "songs/librarysong.h"
#include "songs/songfolder.h"
#include "store/libraryscores.h"

#include <algorithm>
#include <cstdio>

int library_cursor = 0;

namespace {

// The list: ROWS rows of ROW_H pixels from ROW_Y, the artist in one column, the title in
// the other; texts are cut to so many characters before they are rendered.
const int ROWS = 9;
const int ROW_Y = 18, ROW_H = 12;
const int ARTIST_X = 8, ARTIST_W = 112, TITLE_X = 124, TITLE_W = 188;
const size_t ROW_CHARS = 40, DETAIL_CHARS = 60;
// The details of the highlighted song, one line each from DETAIL_Y.
const int DETAIL_Y = 134;
const int DETAIL_LINES = 6;
const int DETAIL_AT[DETAIL_LINES] = {0, 24, 36, 48, 60, 72};
// The cursor rests this long before the preview starts; a held key repeats after
// REPEAT_DELAY_MS every REPEAT_EVERY_MS.
const Uint32 PREVIEW_REST_MS = 500;
const Uint32 REPEAT_DELAY_MS = 300, REPEAT_EVERY_MS = 40;
const char *const shown_difficulty[DIFF_COUNT] = {"Easy", "Medium", "Hard", "Expert"};

const SDL_Color color_grey = {140, 140, 150, 0};

struct Row {
    int entry = -1;
    SDL_Surface *artist = nullptr, *title = nullptr;
};

// What the screen keeps between passes: the rows and texts rendered for the current
// cursor, so a pass after a move renders only what came into view, and an idle pass only
// presents the picture already drawn.
struct LibraryView {
    Row rows[ROWS];
    int top = 0;
    int details_entry = -1;
    SDL_Surface *details[DETAIL_LINES] = {};
    int header_cursor = -1;
    SDL_Surface *header_left = nullptr, *header_right = nullptr, *footer = nullptr;
    SDL_Surface *notice = nullptr; // a refusal, until the cursor moves
    // The difficulty chooser, open when `choices` is not empty.
    int choices[DIFF_COUNT] = {};
    int choice_count = 0, choice = 0;
    SDL_Surface *choice_texts[DIFF_COUNT] = {};
    SDL_Surface *choice_title = nullptr;
    // Time of the latest cursor move, the entry whose preview was started (-1: none),
    // and whether any preview took the menu music's place.
    Uint32 rest_since = 0;
    int preview_entry = -1;
    bool previewed = false;
    SDLKey held = SDLK_UNKNOWN;
    Uint32 next_repeat = 0;
    // The picture on the screen is out of date: an idle pass presents it as it is.
    bool dirty = true;
};

int last_difficulty = DIFF_EXPERT; // the latest chosen, offered first next time

int entry_count() { return static_cast<int>(library_entries.size()); }

int group_of(const LibraryEntry &e) {
    return e.artist_key.empty() ? -1 : static_cast<unsigned char>(e.artist_key[0]);
}

// The first entry of the letter group holding entry `at`.
int group_start(int at) {
    const int g = group_of(library_entries[static_cast<size_t>(at)]);
    auto it = std::lower_bound(library_entries.begin(), library_entries.begin() + at, g,
                               [](const LibraryEntry &e, int k) { return group_of(e) < k; });
    return static_cast<int>(it - library_entries.begin());
}

SDL_Color entry_color(const LibraryEntry &e) { return e.reason.empty() ? color_white : color_grey; }

void free_row(Row &row) {
    free_text(row.artist);
    free_text(row.title);
    row.entry = -1;
}

void free_choices(LibraryView &v) {
    for (SDL_Surface *&s : v.choice_texts)
        free_text(s);
    free_text(v.choice_title);
    v.choice_count = 0;
}

void free_view(LibraryView &v) {
    for (Row &row : v.rows)
        free_row(row);
    for (SDL_Surface *&s : v.details)
        free_text(s);
    for (SDL_Surface **s : {&v.header_left, &v.header_right, &v.footer, &v.notice})
        free_text(*s);
    free_choices(v);
}

// Rows of the entries now visible: those already rendered are kept, the others rendered.
void refresh_rows(LibraryView &v) {
    Row fresh[ROWS];
    for (int i = 0; i < ROWS; ++i) {
        const int entry = v.top + i;
        if (entry >= entry_count()) break;
        for (Row &old : v.rows)
            if (old.entry == entry) std::swap(fresh[i], old);
        if (fresh[i].entry == entry) continue;
        const LibraryEntry &e = library_entries[static_cast<size_t>(entry)];
        fresh[i].entry = entry;
        fresh[i].artist = render_utf8(font_small1, e.artist, entry_color(e), ROW_CHARS);
        fresh[i].title = render_utf8(font_small1, e.title, entry_color(e), ROW_CHARS);
    }
    for (int i = 0; i < ROWS; ++i) {
        free_row(v.rows[i]);
        std::swap(v.rows[i], fresh[i]);
    }
}

std::string length_text(int ms) {
    char text[32];
    std::snprintf(text, sizeof text, "%d:%02d", ms / 60000, ms / 1000 % 60);
    return text;
}

void refresh_details(LibraryView &v) {
    if (v.details_entry == library_cursor) return;
    for (SDL_Surface *&s : v.details)
        free_text(s);
    v.details_entry = library_cursor;
    const LibraryEntry &e = library_entries[static_cast<size_t>(library_cursor)];
    const SDL_Color c = entry_color(e);
    std::string lines[DETAIL_LINES];
    lines[0] = e.title;
    lines[1] = e.artist;
    lines[2] = e.album.empty() || e.year.empty() ? e.album + e.year : e.album + " (" + e.year + ")";
    if (!e.charter.empty()) lines[3] = "Charter: " + e.charter + "   ";
    if (e.length_ms > 0) lines[3] += "Length: " + length_text(e.length_ms);
    if (!e.reason.empty()) {
        lines[4] = "Cannot be played: " + e.reason;
    } else {
        int best = 0, best_difficulty = -1;
        for (int d = 0; d < DIFF_COUNT; ++d) {
            if (!(e.difficulties >> d & 1u)) continue;
            lines[4] += std::string(lines[4].empty() ? "" : "  ") + shown_difficulty[d];
            const int score = library_best_score(e.chart_hash, d);
            if (score > best) best = score, best_difficulty = d;
        }
        char text[64];
        if (best_difficulty >= 0)
            std::snprintf(text, sizeof text, "Best: %d (%s)", best,
                          shown_difficulty[best_difficulty]);
        else
            std::snprintf(text, sizeof text, "No score yet");
        lines[5] = text;
    }
    for (int i = 0; i < DETAIL_LINES; ++i)
        v.details[i] = render_utf8(i == 0 ? font_title : font_small2, lines[i], c, DETAIL_CHARS);
}

void refresh_header(LibraryView &v) {
    if (v.header_cursor == library_cursor) return;
    v.header_cursor = library_cursor;
    free_text(v.header_right);
    char text[64];
    std::snprintf(text, sizeof text, "%s   %d/%d", library_letter_label(library_cursor).c_str(),
                  library_cursor + 1, entry_count());
    v.header_right = render_text(font_small1, text, color_white);
    if (!v.header_left) v.header_left = render_text(font_small1, "YOUR SONGS", color_white);
    if (!v.footer)
        v.footer =
            render_text(font_small1, "A play  B back  LEFT/RIGHT letter  L/R page", color_white);
}

void draw_chooser(LibraryView &v) {
    const int h = 24 + v.choice_count * 14;
    SDL_Rect box = {80, static_cast<Sint16>(120 - h / 2), 160, static_cast<Uint16>(h)};
    SDL_FillRect(screen, &box, SDL_MapRGB(screen->format, 200, 190, 230));
    SDL_Rect inner = {81, static_cast<Sint16>(box.y + 1), 158, static_cast<Uint16>(h - 2)};
    SDL_FillRect(screen, &inner, SDL_MapRGB(screen->format, 24, 16, 48));
    if (v.choice_title)
        apply_surface(centred_x(v.choice_title->w), box.y + 4, v.choice_title, screen, nullptr);
    for (int i = 0; i < v.choice_count; ++i) {
        const int y = box.y + 20 + i * 14;
        if (i == v.choice) {
            SDL_Rect bar = {84, static_cast<Sint16>(y - 1), 152, 14};
            SDL_FillRect(screen, &bar, SDL_MapRGB(screen->format, 90, 60, 150));
        }
        if (v.choice_texts[i])
            apply_surface(centred_x(v.choice_texts[i]->w), y, v.choice_texts[i], screen, nullptr);
    }
}

void draw_view(LibraryView &v) {
    SDL_Rect origin = dst_rectMenu;
    blit(my_surfMenu4, nullptr, screen, &origin);
    apply_surface(ARTIST_X, 3, v.header_left, screen, nullptr);
    if (v.header_right) apply_surface(312 - v.header_right->w, 3, v.header_right, screen, nullptr);
    for (int i = 0; i < ROWS; ++i) {
        const Row &row = v.rows[i];
        if (row.entry < 0) continue;
        const int y = ROW_Y + i * ROW_H;
        if (row.entry == library_cursor) {
            SDL_Rect bar = {4, static_cast<Sint16>(y - 1), 312, ROW_H + 1};
            SDL_FillRect(screen, &bar, SDL_MapRGB(screen->format, 90, 60, 150));
        }
        SDL_Rect artist_clip = {0, 0, ARTIST_W, ROW_H + 4};
        SDL_Rect title_clip = {0, 0, TITLE_W, ROW_H + 4};
        apply_surface(ARTIST_X, y - 2, row.artist, screen, &artist_clip);
        apply_surface(TITLE_X, y - 2, row.title, screen, &title_clip);
    }
    SDL_Rect rule = {4, DETAIL_Y - 4, 312, 1};
    SDL_FillRect(screen, &rule, SDL_MapRGB(screen->format, 140, 140, 150));
    for (int i = 0; i < DETAIL_LINES; ++i)
        apply_surface(ARTIST_X, DETAIL_Y + DETAIL_AT[i], v.details[i], screen, nullptr);
    SDL_Surface *bottom = v.notice ? v.notice : v.footer;
    if (bottom) apply_surface(centred_x(bottom->w), 224, bottom, screen, nullptr);
    if (v.choice_count > 0) draw_chooser(v);
}

void stop_preview(LibraryView &v) {
    if (v.preview_entry >= 0) stems_stop();
    v.preview_entry = -1;
}

void start_preview(LibraryView &v) {
    v.preview_entry = library_cursor;
    const LibraryEntry &e = library_entries[static_cast<size_t>(library_cursor)];
    std::vector<SongStem> stems;
    std::string preview, reason;
    find_song_audio(e.dir, stems, preview);
    std::vector<std::string> paths;
    int guitar = -1, from_ms = 0;
    if (!preview.empty()) {
        paths.push_back(preview);
    } else {
        for (const SongStem &s : stems) {
            if (s.name == "guitar") guitar = static_cast<int>(paths.size());
            paths.push_back(s.path);
        }
        // Without a preview time, a third into the song, where the verse has begun.
        from_ms = e.preview_start_ms >= 0 ? e.preview_start_ms : e.length_ms / 3;
    }
    if (paths.empty() || stems_open(paths, guitar, reason) == 0) return;
    platform_trace_music(e.dir.c_str());
    stems_start(from_ms);
    v.previewed = true;
}

void move_to(LibraryView &v, int entry, Uint32 now) {
    const int n = entry_count();
    entry = (entry % n + n) % n;
    if (entry == library_cursor) return;
    play_effect(BATIDA);
    stop_preview(v);
    free_text(v.notice);
    library_cursor = entry;
    v.rest_since = now;
    v.dirty = true;
    if (library_cursor < v.top) v.top = library_cursor;
    if (library_cursor >= v.top + ROWS) v.top = library_cursor - ROWS + 1;
}

// The move of a key that scrolls; false for other keys.
bool scroll(LibraryView &v, SDLKey key, Uint32 now) {
    const int n = entry_count();
    switch (key) {
    case SDLK_UP:
        move_to(v, library_cursor - 1, now);
        return true;
    case SDLK_DOWN:
        move_to(v, library_cursor + 1, now);
        return true;
    case BUTTON_L:
        move_to(v, std::max(library_cursor - ROWS, 0), now);
        return true;
    case BUTTON_R:
        move_to(v, std::min(library_cursor + ROWS, n - 1), now);
        return true;
    default:
        return false;
    }
}

void open_chooser(LibraryView &v) {
    const LibraryEntry &e = library_entries[static_cast<size_t>(library_cursor)];
    free_choices(v);
    for (int d = 0; d < DIFF_COUNT; ++d) {
        if (!(e.difficulties >> d & 1u)) continue;
        if (d <= last_difficulty) v.choice = v.choice_count;
        char text[64];
        const int best = library_best_score(e.chart_hash, d);
        if (best > 0)
            std::snprintf(text, sizeof text, "%s   best %d", shown_difficulty[d], best);
        else
            std::snprintf(text, sizeof text, "%s", shown_difficulty[d]);
        v.choice_texts[v.choice_count] = render_text(font_small2, text, color_white);
        v.choices[v.choice_count++] = d;
    }
    v.choice_title = render_text(font_small1, "Difficulty", color_white);
}

// A key while the chooser is open. True when the song was chosen.
bool chooser_key(LibraryView &v, SDLKey key) {
    v.dirty = true;
    switch (key) {
    case SDLK_UP:
    case SDLK_DOWN:
        play_effect(BATIDA);
        v.choice = (v.choice + (key == SDLK_UP ? -1 : 1) + v.choice_count) % v.choice_count;
        return false;
    case BUTTON_B:
        play_effect(CANCELA);
        free_choices(v);
        return false;
    case BUTTON_A: {
        const int d = v.choices[v.choice];
        free_choices(v);
        stop_preview(v);
        std::string reason;
        if (choose_library_song(library_entries[static_cast<size_t>(library_cursor)].dir, d,
                                reason)) {
            play_effect(ACEITA);
            last_difficulty = d;
            return true;
        }
        play_effect(ERRO4);
        free_text(v.notice);
        v.notice = render_utf8(font_small1, reason, color_yellow, DETAIL_CHARS);
        return false;
    }
    default:
        return false;
    }
}

} // namespace

int library_letter_step(int at, int step) {
    const int n = entry_count();
    if (n == 0) return 0;
    at = std::min(std::max(at, 0), n - 1);
    const int start = group_start(at);
    if (step < 0) return start != at ? start : group_start(start == 0 ? n - 1 : start - 1);
    const int g = group_of(library_entries[static_cast<size_t>(at)]);
    auto it = std::upper_bound(library_entries.begin() + at, library_entries.end(), g,
                               [](int k, const LibraryEntry &e) { return k < group_of(e); });
    return it == library_entries.end() ? 0 : static_cast<int>(it - library_entries.begin());
}

std::string library_letter_label(int at) {
    if (at < 0 || at >= entry_count()) return "";
    const int g = group_of(library_entries[static_cast<size_t>(at)]);
    if (g < 0) return "-";
    if (g >= 'a' && g <= 'z') return std::string(1, static_cast<char>(g - 'a' + 'A'));
    return "#";
}

bool run_library() {
    if (library_entries.empty()) return false;
    library_cursor = std::min(std::max(library_cursor, 0), entry_count() - 1);
    LibraryView v;
    v.top = std::max(0, library_cursor - ROWS / 2);
    v.rest_since = platform_ticks();
    bool chosen = false;
    for (;;) {
        if (v.dirty) {
            refresh_rows(v);
            refresh_details(v);
            refresh_header(v);
            draw_view(v);
            v.dirty = false;
        }
        platform_flip(screen);
        const Uint32 now = platform_ticks();
        if (v.held != SDLK_UNKNOWN && v.choice_count == 0 && now >= v.next_repeat) {
            scroll(v, v.held, now);
            v.next_repeat = now + REPEAT_EVERY_MS;
        }
        const LibraryEntry &e = library_entries[static_cast<size_t>(library_cursor)];
        if (v.preview_entry != library_cursor && v.choice_count == 0 && e.reason.empty() &&
            now - v.rest_since >= PREVIEW_REST_MS)
            start_preview(v);
        SDL_Event event;
        if (!platform_poll(&event, SCREEN_LIBRARY)) continue;
        if (event.type == SDL_KEYUP && event.key.keysym.sym == v.held) v.held = SDLK_UNKNOWN;
        if (event.type != SDL_KEYDOWN) continue;
        const SDLKey key = event.key.keysym.sym;
        if (v.choice_count > 0) {
            if (chooser_key(v, key)) {
                chosen = true;
                break;
            }
            continue;
        }
        if (scroll(v, key, now)) {
            v.held = key;
            v.next_repeat = now + REPEAT_DELAY_MS;
            continue;
        }
        if (key == SDLK_LEFT || key == SDLK_RIGHT) {
            move_to(v, library_letter_step(library_cursor, key == SDLK_LEFT ? -1 : 1), now);
        } else if (key == BUTTON_A) {
            if (e.reason.empty()) {
                play_effect(ACEITA);
                open_chooser(v);
                v.dirty = true;
            } else {
                play_effect(ERRO4);
            }
        } else if (key == BUTTON_B) {
            play_effect(CANCELA);
            break;
        }
    }
    stop_preview(v);
    free_view(v);
    if (chosen) {
        free_menu_music();
    } else if (v.previewed) {
        // A preview took the music's place: the menu music starts again.
        free_menu_music();
        start_menu_music();
    }
    return chosen;
}
