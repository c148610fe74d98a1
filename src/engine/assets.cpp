// The asset table: which file goes into which global, loaded in this order.
#include "engine/assets.h"

#include "engine/fastblit.h"
#include "engine/sound.h"

#include <SDL_image.h>
#include <cstdio>
#include <unistd.h>

SDL_Surface *gtr01, *gtr02, *gtr03, *gtr04;
SDL_Surface *gtr_lock00, *gtr_lock01, *gtr_lock02, *gtr_lock03;
SDL_Surface *gtr_desc00, *gtr_desc01, *gtr_desc02, *gtr_desc03;
SDL_Surface *introducao1, *introducao2, *introducao3, *introducao4, *introducao5;
SDL_Surface *txtbox, *cursor_bar;
SDL_Surface *hitflames, *hitflames1, *hitflames2, *hitflames3;
SDL_Surface *star, *starNull, *multiplicador, *credits_tela;
SDL_Surface *new_score, *letras_score, *cursor_score;
SDL_Surface *pause_screen, *pause_screen2, *Select_vol, *Select_song;
SDL_Surface *capa1, *capa2, *capa4, *capa5, *capa6;
SDL_Surface *loading, *my_surfloading2, *my_surfCarrer, *main_menu, *main_menu1_1;
SDL_Surface *menu_keys, *menu_sound, *menu_save, *menu_configuregame;
SDL_Surface *contagem3, *contagem2, *contagem1;
SDL_Surface *show_lose, *show_win, *show_you_win;
SDL_Surface *my_surfMenu2, *my_surfMenu3, *my_surfMenu4, *my_surfMenu5;
SDL_Surface *my_surfFrets, *my_surfLinha, *my_surfNotas, *my_surfScore, *my_surfCursor;
SDL_Surface *my_surfRockometro, *my_surfRockometro2;
SDL_Surface *nk0, *nk1, *nk2, *nk3;
SDL_Surface *BG00, *BG01, *BG02, *BG03;
SDL_Surface *menu_sync;

SDL_Surface *screen;

TTF_Font *font_small1, *font_small2, *font_title;
SDL_Color color_white, color_yellow;

namespace {

struct ImageEntry {
    SDL_Surface **handle;
    const char *path;
};

const ImageEntry image_table[IMAGE_COUNT] = {
    {&gtr01, "img/guitars/gtr00.png"},
    {&gtr02, "img/guitars/gtr01.png"},
    {&gtr03, "img/guitars/gtr02.png"},
    {&gtr04, "img/guitars/gtr03.png"},
    {&gtr_lock00, "img/guitars/lock00.png"},
    {&gtr_lock01, "img/guitars/lock01.png"},
    {&gtr_lock02, "img/guitars/lock02.png"},
    {&gtr_lock03, "img/guitars/lock03.png"},
    {&gtr_desc00, "img/guitars/gtr_desc00.png"},
    {&gtr_desc01, "img/guitars/gtr_desc01.png"},
    {&gtr_desc02, "img/guitars/gtr_desc02.png"},
    {&gtr_desc03, "img/guitars/gtr_desc03.png"},
    {&introducao1, "img/intro/splash_320.png"},
    {&introducao2, "img/intro/sponsor_320.png"},
    {&introducao3, "img/intro/valmoran.png"},
    {&introducao4, "img/intro/QMTR.png"},
    {&introducao5, "img/intro/presents.png"},
    {&txtbox, "img/sprite/txt_box.png"},
    {&cursor_bar, "img/sprite/cursor_bar.png"},
    {&hitflames, "img/sprite/hitflames1.png"},
    {&hitflames1, "img/sprite/hitflames2.png"},
    {&hitflames2, "img/sprite/hitflames3.png"},
    {&hitflames3, "img/sprite/hitflames4.png"},
    {&star, "img/sprite/star_line.png"},
    {&starNull, "img/sprite/star_line_null.png"},
    {&multiplicador, "img/sprite/multiplicador.png"},
    {&credits_tela, "img/sprite/credits.png"},
    {&new_score, "img/menus/rank_score.png"},
    {&letras_score, "img/sprite/letras.png"},
    {&cursor_score, "img/sprite/cursor_nome.png"},
    {&pause_screen, "img/menus/pause.png"},
    {&pause_screen2, "img/menus/pause2.png"},
    {&Select_vol, "img/sprite/audio1.png"},
    {&Select_song, "img/menus/select_song_band.png"},
    {&capa1, "img/capas/Paranoid_small.jpg"},
    {&capa2, "img/capas/number_small.jpg"},
    {&capa4, "img/capas/aceofspades_small.jpg"},
    {&capa5, "img/capas/Highway_small.jpg"},
    {&capa6, "img/capas/Ridethelightning_small.jpg"},
    {&loading, "img/menus/loading.png"},
    {&my_surfloading2, "img/sprite/loading_sprits.png"},
    {&my_surfCarrer, "img/menus/carrer.png"},
    {&main_menu, "img/menus/menu1.png"},
    {&main_menu1_1, "img/menus/menu1.1.png"},
    {&menu_keys, "img/menus/set_keys.png"},
    {&menu_sound, "img/menus/menu_sound1.png"},
    {&menu_save, "img/menus/menu_save.png"},
    {&menu_configuregame, "img/menus/menu_configuregame.png"},
    {&contagem3, "img/sprite/3.png"},
    {&contagem2, "img/sprite/2.png"},
    {&contagem1, "img/sprite/1.png"},
    {&show_lose, "img/sprite/YOUFAILED.png"},
    {&show_win, "img/sprite/YOUROCK.png"},
    {&show_you_win, "img/menus/you_win.png"},
    {&my_surfMenu2, "img/menus/main2.png"},
    {&my_surfMenu3, "img/menus/main3.png"},
    {&my_surfMenu4, "img/menus/main4.png"},
    {&my_surfMenu5, "img/menus/hiscore.png"},
    {&my_surfFrets, "img/sprite/frets.png"},
    {&my_surfLinha, "img/sprite/linhas.png"},
    {&my_surfNotas, "img/sprite/notas.png"},
    {&my_surfScore, "img/sprite/score.png"},
    {&my_surfCursor, "img/sprite/cursorA.png"},
    {&my_surfRockometro, "img/sprite/rock_bar.png"},
    {&my_surfRockometro2, "img/sprite/rock_bar0.png"},
    {&nk0, "img/necks/neck0.png"},
    {&nk1, "img/necks/neck1.png"},
    {&nk2, "img/necks/neck2.png"},
    {&nk3, "img/necks/neck3.png"},
    {&BG00, "img/bg/backdrop00.png"},
    {&BG01, "img/bg/backdrop01.png"},
    {&BG02, "img/bg/backdrop02.png"},
    {&BG03, "img/bg/backdrop03.png"},
    {&menu_sync, "img/menus/sync.png"},
};

bool readable(const char *path) { return access(path, R_OK) == 0; }

} // namespace

const char *image_path_of(SDL_Surface *const *surface) {
    for (const auto &image : image_table)
        if (image.handle == surface) return image.path;
    return nullptr;
}

const char *image_path(int i) { return i >= 0 && i < IMAGE_COUNT ? image_table[i].path : nullptr; }

int report_missing_assets() {
    int missing = 0;
    char cwd[1024];
    const char *dir = getcwd(cwd, sizeof cwd) ? cwd : "(unknown)";
    for (const ImageEntry &e : image_table)
        if (!readable(e.path)) {
            std::fprintf(stderr, "fretfall: missing image %s in %s\n", e.path, dir);
            ++missing;
        }
    if (!readable(FONT_FILE)) {
        std::fprintf(stderr, "fretfall: missing font %s in %s\n", FONT_FILE, dir);
        ++missing;
    }
    return missing;
}

void load_images() {
    for (const ImageEntry &e : image_table)
        *e.handle = IMG_Load(e.path);
}

void convert_images_to_screen() {
    forget_sprite_runs();
    for (const ImageEntry &e : image_table) {
        // The necks are blended over the backdrop with per-surface alpha, and SDL blends a
        // 16-bit source with 5-bit steps: converted, they would draw other pixels.
        if (e.handle == &nk0 || e.handle == &nk1 || e.handle == &nk2 || e.handle == &nk3) continue;
        SDL_Surface *converted = *e.handle ? SDL_DisplayFormat(*e.handle) : nullptr;
        if (!converted) continue;
        SDL_FreeSurface(*e.handle);
        *e.handle = converted;
        keep_sprite_runs(converted);
    }
}

TTF_Font *open_game_font(const char *path, int points) {
    TTF_Font *font = TTF_OpenFont(path, points);
    // The texts are one-bit glyphs (TTF_RenderText_Solid): hinted for one-bit output they
    // get whole-pixel stems and keep the font's spacing instead of running together.
    if (font) TTF_SetFontHinting(font, TTF_HINTING_MONO);
    return font;
}

void open_fonts() {
    font_small1 = open_game_font(FONT_FILE, 10);
    font_small2 = open_game_font(FONT_FILE, 10);
    font_title = open_game_font(FONT_FILE, 18);
    color_white = {255, 255, 255, 0};
    color_yellow = {255, 255, 0, 0};
}
