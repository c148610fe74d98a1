// Guitar gallery: one page per guitar, with the guitar and its description once unlocked.
#include "menus/gallery.h"

#include "engine/assets.h"
#include "engine/draw.h"
#include "platform/buttons.h"
#include "platform/platform.h"
#include "engine/sound.h"
#include "game/results.h"
#include "game/unlocks.h"

SDL_Rect dst_txtbox = {0, 0, 141, 462};
SDL_Rect dst_cursorbar = {147, 86, 0, 0};

namespace {

const int SCROLL_STEP = 10; // description rows per key press
const int SCROLL_MAX = 370; // the last window shows the description's bottom rows
const int THUMB_TOP = 86;
const int THUMB_STEP = 3; // thumb rows per scroll step

const SDL_Rect dst_guitar = {178, 49, 0, 0};
const SDL_Rect dst_txtbox2 = {6, 78, 0, 0};
// The backdrop's bottom-left strip, drawn again over the description so that the
// description shows only between rows 78 and 211.
const SDL_Rect src_galeria = {0, 212, 175, 239};
const SDL_Rect dst_galeria = {0, 212, 0, 0};
const SDL_Rect dst_song_txt1 = {12, 10, 0, 0};
const SDL_Rect dst_song_txt2 = {12, 22, 0, 0};
const SDL_Rect dst_song_txt3 = {12, 51, 0, 0};
const SDL_Rect dst_song_txt5 = {15, 120, 0, 0};
const int FOOTER_Y = 220;

// The images and texts of each page; surfaces are named by their handles, which the
// start-up fills.
struct GalleryPage {
    SDL_Surface **guitar;
    SDL_Surface **locked;
    SDL_Surface **description;
    const char *model;
    const char *hint;
};
const GalleryPage gallery_pages[GUITAR_COUNT] = {
    {&gtr01, &gtr_lock00, &gtr_desc00, "STRATOCAST", "Win 5 times to Unlock"},
    {&gtr02, &gtr_lock01, &gtr_desc01, "EXPLORER", "Win 10 times to Unlock"},
    {&gtr03, &gtr_lock02, &gtr_desc02, "FLYING V", "Win 15 times to Unlock"},
    {&gtr04, &gtr_lock03, &gtr_desc03, "LES PAUL", "Win 20 times to Unlock"},
};

// Texts of one pass: released at the start of the next pass or when the gallery is left.
enum GalleryText { TEXT_FOOTER, TEXT_LABEL, TEXT_MODEL, TEXT_STATUS, TEXT_HINT, TEXT_COUNT };

void blit_at(SDL_Surface *surface, const SDL_Rect *src, const SDL_Rect &at) {
    SDL_Rect clip = src ? *src : SDL_Rect{0, 0, 0, 0};
    SDL_Rect dst = at;
    blit(surface, src ? &clip : nullptr, screen, &dst);
}

SDL_Surface *text_at(TTF_Font *font, const char *text, const SDL_Rect &at) {
    return draw_text_at(font, text, color_white, at.x, at.y);
}

void reset_scroll() {
    dst_txtbox.y = 0;
    dst_cursorbar.y = THUMB_TOP;
}

void scroll(int steps) {
    int y = dst_txtbox.y + steps * SCROLL_STEP;
    if (y < 0 || y > SCROLL_MAX) return;
    dst_txtbox.y = static_cast<Sint16>(y);
    dst_cursorbar.y = static_cast<Sint16>(dst_cursorbar.y + steps * THUMB_STEP);
}

void turn_page(int delta) {
    play_effect(BATIDA);
    count_song = ((count_song + delta) % GUITAR_COUNT + GUITAR_COUNT) % GUITAR_COUNT;
    reset_scroll();
}

void draw_unlocked(const GalleryPage &page, SDL_Surface *texts[TEXT_COUNT]) {
    blit_at(my_surfMenu2, nullptr, {0, 0, 0, 0});
    blit_at(*page.guitar, nullptr, dst_guitar);
    blit_at(txtbox, nullptr, dst_txtbox2);
    key_magenta(*page.description);
    blit_at(*page.description, &dst_txtbox, dst_txtbox2);
    blit_at(cursor_bar, nullptr, dst_cursorbar);
    blit_at(my_surfMenu2, &src_galeria, dst_galeria);
    texts[TEXT_FOOTER] =
        draw_text_centred(font_small1, "Press B back to MENU", color_white, FOOTER_Y);
    texts[TEXT_LABEL] = text_at(font_small2, "Model", dst_song_txt1);
    texts[TEXT_MODEL] = text_at(font_title, page.model, dst_song_txt2);
    texts[TEXT_STATUS] = text_at(font_small2, "Status: Unlocked", dst_song_txt3);
}

void draw_locked(const GalleryPage &page, SDL_Surface *texts[TEXT_COUNT]) {
    blit_at(my_surfMenu2, nullptr, {0, 0, 0, 0});
    blit_at(*page.locked, nullptr, dst_guitar);
    texts[TEXT_FOOTER] =
        draw_text_centred(font_small1, "Press B back to MENU", color_white, FOOTER_Y);
    texts[TEXT_LABEL] = text_at(font_small2, "Model", dst_song_txt1);
    texts[TEXT_MODEL] = text_at(font_title, "UNKNOWN", dst_song_txt2);
    texts[TEXT_STATUS] = text_at(font_small2, "Status: locked", dst_song_txt3);
    texts[TEXT_HINT] = text_at(font_small2, page.hint, dst_song_txt5);
}

void free_texts(SDL_Surface *texts[TEXT_COUNT]) {
    for (int i = 0; i < TEXT_COUNT; ++i)
        free_text(texts[i]);
}

} // namespace

Next guitar_gallery() {
    SDL_Surface *texts[TEXT_COUNT] = {};
    for (;;) {
        free_texts(texts);
        if (count_song < 0 || count_song >= GUITAR_COUNT) count_song = 0;
        const GalleryPage &page = gallery_pages[count_song];
        // Read afresh every pass: the unlocks follow wins as it stands.
        bool unlocked = wins >= gallery_unlock_wins(count_song);
        if (unlocked)
            draw_unlocked(page, texts);
        else
            draw_locked(page, texts);
        platform_flip(screen);
        free_text(texts[TEXT_HINT]);
        SDL_Event event;
        if (!platform_poll(&event, SCREEN_GALLERY) || event.type != SDL_KEYDOWN) continue;
        switch (event.key.keysym.sym) {
        case SDLK_UP:
            scroll(-1);
            break; // scrolling is silent, and acts on locked pages too
        case SDLK_DOWN:
            scroll(+1);
            break;
        case SDLK_RIGHT:
            turn_page(+1);
            break;
        case SDLK_LEFT:
            turn_page(-1);
            break;
        case BUTTON_B:
            reset_scroll();
            play_effect(CANCELA);
            free_texts(texts);
            return TO_MAIN_MENU_ENTRY;
        default:
            break;
        }
    }
}
