// Song selection: one page per song with cover, texts and the win and loss counts.
#include "menus/songselect.h"

#include "engine/assets.h"
#include "engine/draw.h"
#include "platform/buttons.h"
#include "platform/platform.h"
#include "engine/sound.h"
#include "game/results.h"
#include "songs/catalogue.h"
#include "menus/library.h"
#include "menus/menustate.h"
#include "songs/library.h"
#include "songs/librarysong.h"

#include <algorithm>
#include <cstdio>
#include <initializer_list>
#include <vector>

SDL_Rect dst_capa = {178, 68, 0, 0};
SDL_Rect dst_song_txt1 = {12, 10, 0, 0};
SDL_Rect dst_song_txt2 = {12, 22, 0, 0};
SDL_Rect dst_song_txt3 = {12, 51, 0, 0};
SDL_Rect dst_song_txt4 = {12, 66, 0, 0};
SDL_Surface *messageR, *messageS, *messageT, *messageU, *messageV, *messageX, *messageY;
bool song_select_library = false;

namespace {

void free_page_texts() {
    for (SDL_Surface **m :
         {&messageR, &messageS, &messageT, &messageU, &messageV, &messageX, &messageY})
        free_text(*m);
}

SDL_Surface *text_at(TTF_Font *font, char *buffer, size_t size, const char *text, SDL_Rect *at) {
    snprintf(buffer, size, "%s", text ? text : "");
    SDL_Surface *s = render_text(font, buffer, color_white);
    blit(s, nullptr, screen, at);
    return s;
}

} // namespace

void draw_song_page(int song) {
    free_page_texts();
    SDL_Rect origin = dst_rectMenu;
    blit(Select_song, nullptr, screen, &origin);
    const SongEntry *entry = song_entry(song);
    if (entry) {
        blit(entry->cover ? *entry->cover : nullptr, nullptr, screen, &dst_capa);
        messageS = text_at(font_small2, textoA, sizeof textoA, "Song", &dst_song_txt1);
        messageT = text_at(font_title, textoB, sizeof textoB, entry->title, &dst_song_txt2);
        messageU = text_at(font_small2, textoC, sizeof textoC, entry->album, &dst_song_txt3);
        messageV = text_at(font_small2, textoD, sizeof textoD, entry->band, &dst_song_txt4);
    }
    draw_page_footer("Press A play or B back to MENU");
}

void draw_library_page() {
    free_page_texts();
    SDL_Rect origin = dst_rectMenu;
    blit(Select_song, nullptr, screen, &origin);
    char count[50];
    snprintf(count, sizeof count, "%d song%s", static_cast<int>(library_entries.size()),
             library_entries.size() == 1 ? "" : "s");
    messageS = text_at(font_small2, textoA, sizeof textoA, "Your songs", &dst_song_txt1);
    messageT = text_at(font_title, textoB, sizeof textoB, "LIBRARY", &dst_song_txt2);
    messageU = text_at(font_small2, textoC, sizeof textoC, count, &dst_song_txt3);
    messageV =
        text_at(font_small2, textoD, sizeof textoD, "From your songs folders", &dst_song_txt4);
    draw_page_footer("Press A open or B back to MENU");
}

void draw_page_footer(const char *footer) {
    snprintf(texto3, sizeof texto3, "%s", footer);
    messageR = draw_text_centred(font_small1, texto3, color_white, 220);
    snprintf(texto3, sizeof texto3, "Wins: %d", wins);
    messageX = draw_text_at(font_small1, texto3, color_white, 12, 120);
    snprintf(texto3, sizeof texto3, "Loses: %d", loses);
    messageY = draw_text_at(font_small1, texto3, color_white, 12, 140);
}

int step_song(int song, int step) {
    // The pages are the catalogue's songs but the tutorial and the library song (which the
    // library's page leads to), in catalogue order.
    std::vector<int> pages;
    for (int i = 0; i < song_count(); ++i)
        if (!song_at(i)->tutorial && !is_library_song(song_at(i)->index))
            pages.push_back(song_at(i)->index);
    if (pages.empty()) return song;
    const int count = static_cast<int>(pages.size());
    int at = static_cast<int>(std::find(pages.begin(), pages.end(), song) - pages.begin());
    if (at == count) return pages[0];
    return pages[((at + step) % count + count) % count];
}

void step_page(int step) {
    // With song folders, the library's page stands between the last song and the first.
    const int first = step_song(-1, 0), last = step_song(first, -1);
    if (song_select_library) {
        song_select_library = false;
        count_song = step < 0 ? last : first;
    } else if (!library_entries.empty() && count_song == (step < 0 ? first : last)) {
        song_select_library = true;
    } else {
        count_song = step_song(count_song, step);
    }
}

Next song_selection() {
    // Only the songs have pages; the tutorial is reached from the play submenu.
    const SongEntry *chosen = song_entry(count_song);
    if (!chosen || chosen->tutorial) count_song = step_song(count_song, 0);
    if (library_entries.empty()) song_select_library = false;
    for (;;) {
        if (song_select_library)
            draw_library_page();
        else
            draw_song_page(count_song);
        platform_flip(screen);
        SDL_Event event;
        if (!platform_poll(&event, SCREEN_SONG_SELECT) || event.type != SDL_KEYDOWN) continue;
        switch (event.key.keysym.sym) {
        case SDLK_LEFT:
            play_effect(BATIDA);
            step_page(-1);
            break;
        case SDLK_RIGHT:
            play_effect(BATIDA);
            step_page(+1);
            break;
        case BUTTON_A:
            play_effect(ACEITA);
            if (song_select_library) {
                free_page_texts();
                if (!run_library()) break;
                menu4 = 1;
                return TO_SONG_START;
            }
            free_menu_music();
            menu4 = 1;
            free_page_texts();
            return TO_SONG_START;
        case BUTTON_B:
            play_effect(CANCELA);
            menu4 = 1;
            free_page_texts();
            return TO_PLAY_SUBMENU;
        default:
            break;
        }
    }
}
