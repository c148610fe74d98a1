// Highscore name entry: the letter grid, its cursor, the three name slots and the append.
#include "nameentry/nameentry.h"

#include "engine/assets.h"
#include "engine/draw.h"
#include "platform/buttons.h"
#include "platform/platform.h"
#include "game/score.h"
#include "store/hiscore_file.h"

#include <cstring>

int hiscoreMENU, hiscore, letrasX, letrasY;
SDL_Rect dst_CursorLetras = {67, 127, 0, 0};
char ScoreLetraX[2] = "0", ScoreLetraY[2] = "0", ScoreLetraZ[2] = "0";
SDL_Surface *letraX, *letraY, *letraZ;

namespace {

SDL_Rect dst_letras = {65, 125, 0, 0};
// Where the three slot texts stand.
SDL_Rect dst_mesagem5 = {109, 70, 0, 0}, dst_mesagem6 = {154, 70, 0, 0},
         dst_mesagem7 = {196, 70, 0, 0};

// The grid, row by row. Row 3 has W after X and Y, and no character in columns 6 to 9.
const char grid[GRID_ROWS][GRID_COLUMNS] = {
    {'0', '1', '2', '3', '4', '5', '6', '7', '8', '9'},
    {'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H', 'I', 'J'},
    {'K', 'L', 'M', 'N', 'O', 'P', 'Q', 'R', 'S', 'T'},
    {'U', 'V', 'X', 'Y', 'W', 'Z', '\0', '\0', '\0', '\0'},
};

// How long the unsaved-score notice stays up (ms).
const Uint32 NOT_SAVED_MS = 2000;

char *slot_text(int slot) {
    switch (slot) {
    case 0:
        return ScoreLetraX;
    case 1:
        return ScoreLetraY;
    case 2:
        return ScoreLetraZ;
    default:
        return nullptr;
    }
}

SDL_Surface **slot_image(int slot) {
    switch (slot) {
    case 0:
        return &letraX;
    case 1:
        return &letraY;
    case 2:
        return &letraZ;
    default:
        return nullptr;
    }
}

void render_slot(int slot) {
    SDL_Surface **image = slot_image(slot);
    if (!image) return;
    free_text(*image);
    *image = render_text(font_title, slot_text(slot), color_white);
}

void place_cursor() {
    dst_CursorLetras.x = static_cast<Sint16>(67 + 19 * letrasX);
    dst_CursorLetras.y = static_cast<Sint16>(127 + 18 * letrasY);
}

// Background, grid and cursor.
void draw_grid() {
    SDL_Rect origin = {0, 0, 0, 0};
    blit(new_score, nullptr, screen, &origin);
    key_magenta(letras_score);
    SDL_Rect at = dst_letras;
    blit(letras_score, nullptr, screen, &at);
    key_magenta(cursor_score);
    at = dst_CursorLetras;
    blit(cursor_score, nullptr, screen, &at);
}

void draw_slots() {
    SDL_Rect at[3] = {dst_mesagem5, dst_mesagem6, dst_mesagem7};
    for (int i = 0; i < 3; ++i)
        blit(*slot_image(i), nullptr, screen, &at[i]);
}

void release_slots() {
    for (int i = 0; i < 3; ++i)
        free_text(*slot_image(i));
}

// Moves within 0..size-1, wrapping at both ends.
int wrap(int value, int step, int size) { return ((value + step) % size + size) % size; }

} // namespace

void reset_name_entry() {
    hiscoreMENU = letrasX = letrasY = hiscore = 0;
    std::strcpy(ScoreLetraX, "0");
    std::strcpy(ScoreLetraY, "0");
    std::strcpy(ScoreLetraZ, "0");
    letraX = letraY = letraZ = nullptr;
    dst_CursorLetras.x = 67;
    dst_CursorLetras.y = 127;
}

char grid_char(int column, int row) {
    if (column < 0 || column >= GRID_COLUMNS || row < 0 || row >= GRID_ROWS) return '\0';
    return grid[row][column];
}

void preview_slot() {
    char c = grid_char(letrasX, letrasY);
    char *slot = slot_text(hiscore);
    if (!c || !slot) return;
    slot[0] = c;
    slot[1] = '\0';
    render_slot(hiscore);
}

bool name_entry_key(SDLKey key) {
    switch (key) {
    case SDLK_UP:
        letrasY = wrap(letrasY, -1, GRID_ROWS);
        break;
    case SDLK_DOWN:
        letrasY = wrap(letrasY, 1, GRID_ROWS);
        break;
    case SDLK_LEFT:
        letrasX = wrap(letrasX, -1, GRID_COLUMNS);
        break;
    case SDLK_RIGHT:
        letrasX = wrap(letrasX, 1, GRID_COLUMNS);
        break;
    case BUTTON_A:
        if (letrasX == DELETE_COLUMN && letrasY == DELETE_ROW) {
            if (char *slot = slot_text(hiscore)) slot[0] = '\0';
            render_slot(hiscore);
            if (hiscore > 0) --hiscore;
        } else {
            // The slot keeps what it holds: normally the preview of this same press.
            ++hiscore;
        }
        break;
    default:
        break;
    }
    place_cursor();
    return hiscore >= 3;
}

Next name_entry() {
    draw_grid();
    platform_flip(screen);
    while (!hiscoreMENU) {
        SDL_Event event;
        // Between events the screen only polls; every event redraws it.
        if (!platform_poll(&event, SCREEN_NAME_ENTRY)) continue;
        draw_grid();
        preview_slot();
        draw_slots();
        platform_flip(screen);
        if (event.type != SDL_KEYDOWN || !name_entry_key(event.key.keysym.sym)) continue;

        bool stored = append_hiscore(count_song, ScoreLetraX, ScoreLetraY, ScoreLetraZ, nSCORE);
        hiscoreMENU = 1;
        if (!stored) {
            // Ending as if the line were kept would let a lost score pass unnoticed.
            SDL_Surface *notice = draw_text_centred(font_title, "SCORE NOT SAVED", color_white, 98);
            platform_flip(screen);
            platform_delay(NOT_SAVED_MS);
            free_text(notice);
        }
        release_slots();
    }
    return TO_MENU_CYCLE_START;
}
