// Shared video set-up of the in-process tests.
#include "video.h"

#include "engine/assets.h"
#include "harness.h"

#include <SDL.h>
#include <SDL_ttf.h>

void open_test_video() {
    if (!screen) {
        SDL_InitSubSystem(SDL_INIT_VIDEO);
        screen = SDL_SetVideoMode(320, 240, 16, 0);
    }
    if (!TTF_WasInit()) TTF_Init();
    std::string font = game_dir() + "/ariblk.ttf";
    if (!font_small1) font_small1 = open_game_font(font.c_str(), 10);
    if (!font_small2) font_small2 = open_game_font(font.c_str(), 10);
    if (!font_title) font_title = open_game_font(font.c_str(), 18);
    color_white = {255, 255, 255, 0};
    color_yellow = {255, 255, 0, 0};
}
