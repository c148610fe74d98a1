// Every image and the font the game uses, loaded once at start-up and kept for the whole
// run. Paths are relative to the working directory.
#pragma once
#include <SDL.h>
#include <SDL_mixer.h>
#include <SDL_ttf.h>

// Gallery guitars: note the names run one ahead of the file numbers (gtr01 is gtr00.png).
extern SDL_Surface *gtr01, *gtr02, *gtr03, *gtr04;
extern SDL_Surface *gtr_lock00, *gtr_lock01, *gtr_lock02, *gtr_lock03;
extern SDL_Surface *gtr_desc00, *gtr_desc01, *gtr_desc02, *gtr_desc03;
// Intro splashes.
extern SDL_Surface *introducao1, *introducao2, *introducao3, *introducao4, *introducao5;
extern SDL_Surface *txtbox, *cursor_bar;
// Hit-flame sheets, also one ahead of their file numbers (hitflames is hitflames1.png).
extern SDL_Surface *hitflames, *hitflames1, *hitflames2, *hitflames3;
extern SDL_Surface *star, *starNull, *multiplicador, *credits_tela;
extern SDL_Surface *new_score, *letras_score, *cursor_score;
extern SDL_Surface *pause_screen, *pause_screen2, *Select_vol, *Select_song;
// Song covers.
extern SDL_Surface *capa1, *capa2, *capa4, *capa5, *capa6;
extern SDL_Surface *loading, *my_surfloading2, *my_surfCarrer, *main_menu, *main_menu1_1;
extern SDL_Surface *menu_keys, *menu_sound, *menu_save, *menu_configuregame;
extern SDL_Surface *contagem3, *contagem2, *contagem1;
extern SDL_Surface *show_lose, *show_win, *show_you_win;
extern SDL_Surface *my_surfMenu2, *my_surfMenu3, *my_surfMenu4, *my_surfMenu5;
extern SDL_Surface *my_surfFrets, *my_surfLinha, *my_surfNotas, *my_surfScore, *my_surfCursor;
extern SDL_Surface *my_surfRockometro, *my_surfRockometro2;
extern SDL_Surface *nk0, *nk1, *nk2, *nk3;
extern SDL_Surface *BG00, *BG01, *BG02, *BG03;
// The sync calibration's backdrop.
extern SDL_Surface *menu_sync;

// The video surface: 320x240, 16 bits per pixel.
extern SDL_Surface *screen;

// One face at two sizes; font_small1 and font_small2 are separate handles of the same size.
extern TTF_Font *font_small1, *font_small2, *font_title;
extern SDL_Color color_white, color_yellow;

const int IMAGE_COUNT = 74;
const char *const FONT_FILE = "ariblk.ttf";

// Path of image `i` (0..IMAGE_COUNT-1) in loading order.
const char *image_path(int i);

// Path of the image loaded into `*surface`; nullptr for a handle the table lacks.
const char *image_path_of(SDL_Surface *const *surface);

// Lists on stderr every image or font file that is missing from the working directory;
// returns the number missing.
int report_missing_assets();

// Loads all images with IMG_Load, in table order.
void load_images();

// Converts the loaded images to the pixel format of the screen (SDL_DisplayFormat), once,
// after the video mode is set: blits then copy 16-bit rows instead of converting every pixel
// of every frame, and draw the same pixels. The necks, drawn with per-surface alpha, stay as
// loaded, since a converted neck blends to other pixels.
void convert_images_to_screen();

// Opens the font file at `path` at `points` with the game's rendering settings; null when
// it cannot be opened.
TTF_Font *open_game_font(const char *path, int points);
// Opens the three font handles from FONT_FILE and builds the colours.
void open_fonts();
