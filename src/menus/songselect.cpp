// Song selection: one page per song with cover, texts and the win and loss counts.
#include "menus/songselect.h"

#include "engine/assets.h"
#include "engine/draw.h"
#include "platform/buttons.h"
#include "platform/platform.h"
#include "engine/sound.h"
#include "game/results.h"
#include "songs/catalogue.h"
#include "menus/menustate.h"

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
    snprintf(texto3, sizeof texto3, "%s", "Press A play or B back to MENU");
    messageR = draw_text_centred(font_small1, texto3, color_white, 220);
    snprintf(texto3, sizeof texto3, "Wins: %d", wins);
    messageX = draw_text_at(font_small1, texto3, color_white, 12, 120);
    snprintf(texto3, sizeof texto3, "Loses: %d", loses);
    messageY = draw_text_at(font_small1, texto3, color_white, 12, 140);
}

int step_song(int song, int step) {
    // The pages are the catalogue's songs but the tutorial, in catalogue order.
    std::vector<int> pages;
    for (int i = 0; i < song_count(); ++i)
        if (!song_at(i)->tutorial) pages.push_back(song_at(i)->index);
    if (pages.empty()) return song;
    const int count = static_cast<int>(pages.size());
    int at = static_cast<int>(std::find(pages.begin(), pages.end(), song) - pages.begin());
    if (at == count) return pages[0];
    return pages[((at + step) % count + count) % count];
}

Next song_selection() {
    // Only the songs have pages; the tutorial is reached from the play submenu.
    const SongEntry *chosen = song_entry(count_song);
    if (!chosen || chosen->tutorial) count_song = step_song(count_song, 0);
    for (;;) {
        draw_song_page(count_song);
        platform_flip(screen);
        SDL_Event event;
        if (!platform_poll(&event, SCREEN_SONG_SELECT) || event.type != SDL_KEYDOWN) continue;
        switch (event.key.keysym.sym) {
        case SDLK_LEFT:
            play_effect(BATIDA);
            count_song = step_song(count_song, -1);
            break;
        case SDLK_RIGHT:
            play_effect(BATIDA);
            count_song = step_song(count_song, +1);
            break;
        case BUTTON_A:
            play_effect(ACEITA);
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
