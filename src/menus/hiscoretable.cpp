// Highscore table: one page per song, its file read again when the page or the file changes.
#include "menus/hiscoretable.h"

#include "engine/assets.h"
#include "engine/draw.h"
#include "platform/buttons.h"
#include "platform/platform.h"
#include "engine/sound.h"
#include "songs/catalogue.h"
#include "store/hiscore_file.h"

#include <cstdio>
#include <sys/stat.h>

int select_score;

namespace {

const char *const HEADER = "NAME                              SCORE";
const char *const FOOTER = "Press B back to MENU";

SDL_Rect dst_highscore1 = {80, 90, 0, 0}; // header; rows follow 10 pixels apart
SDL_Rect dst_rodape = {100, 220, 0, 0};
const int TITLE_Y = 60;
const int ROW_STEP = 10;

// Texts of the page: footer, title, header and the ten rows, freed at the next pass.
const int TEXT_COUNT = 3 + HISCORE_ROWS;
SDL_Surface *page_texts[TEXT_COUNT];

void release_page_texts() {
    for (SDL_Surface *&t : page_texts)
        free_text(t);
}

// The rows last read and what their file looked like then. Any change of page, file
// identity, size or modification time reads the file again, so an appended line shows on
// the next pass; a file of millions of lines is not read on every pass.
struct ReadRows {
    bool valid;
    int page;
    bool exists;
    dev_t dev;
    ino_t ino;
    off_t size;
    timespec mtime;
    int count;
    HiscoreRow rows[HISCORE_ROWS];
};
ReadRows last_read;

bool same_file(const ReadRows &r, int page, bool exists, const struct stat &st) {
    if (!r.valid || r.page != page || r.exists != exists) return false;
    return !exists ||
           (r.dev == st.st_dev && r.ino == st.st_ino && r.size == st.st_size &&
            r.mtime.tv_sec == st.st_mtim.tv_sec && r.mtime.tv_nsec == st.st_mtim.tv_nsec);
}

// The rows of page `page`'s file; the reference drawing reads the file on every pass.
const ReadRows &page_rows(int page) {
    const char *path = hiscore_path(page_song(page));
    struct stat st = {};
    bool exists = path && stat(path, &st) == 0;
    if (same_file(last_read, page, exists, st) && !draw_reference) return last_read;
    last_read.valid = true;
    last_read.page = page;
    last_read.exists = exists;
    last_read.dev = st.st_dev;
    last_read.ino = st.st_ino;
    last_read.size = st.st_size;
    last_read.mtime = st.st_mtim;
    last_read.count = read_hiscore_rows(path, last_read.rows);
    return last_read;
}

} // namespace

int hiscore_pages() { return song_count() > 0 ? song_count() : 1; }

int page_song(int page) {
    const SongEntry *song = song_at(page);
    return song ? song->index : -1;
}

const char *page_title(int page) {
    const SongEntry *song = song_at(page);
    return song ? song->page_title : "";
}

void draw_highscore_page() {
    release_page_texts();
    if (select_score < 0 || select_score >= hiscore_pages()) select_score = 0;
    SDL_Rect origin = dst_rectMenu;
    blit(my_surfMenu5, nullptr, screen, &origin);
    page_texts[0] = draw_text_at(font_small1, FOOTER, color_white, dst_rodape.x, dst_rodape.y);
    page_texts[1] =
        draw_text_at(font_small1, HEADER, color_white, dst_highscore1.x, dst_highscore1.y);
    page_texts[2] = draw_text_centred(font_small1, page_title(select_score), color_white, TITLE_Y);

    const ReadRows &read = page_rows(select_score);
    for (int i = 0; i < read.count && i < HISCORE_ROWS; ++i) {
        std::snprintf(texto3, sizeof texto3, "%.*s", HISCORE_ROW_CHARS, read.rows[i].text);
        page_texts[3 + i] = draw_text_at(font_small1, texto3, color_white, dst_highscore1.x,
                                         dst_highscore1.y + ROW_STEP * (i + 1));
    }
}

Next highscore_table() {
    for (;;) {
        draw_highscore_page();
        platform_flip(screen);
        SDL_Event event;
        if (!platform_poll(&event, SCREEN_HIGHSCORES) || event.type != SDL_KEYDOWN) continue;
        switch (event.key.keysym.sym) {
        case SDLK_LEFT:
            select_score = (select_score + hiscore_pages() - 1) % hiscore_pages();
            break;
        case SDLK_RIGHT:
            select_score = (select_score + 1) % hiscore_pages();
            break;
        case BUTTON_B:
            play_effect(CANCELA);
            release_page_texts();
            return TO_PLAY_SUBMENU;
        default:
            break;
        }
    }
}
