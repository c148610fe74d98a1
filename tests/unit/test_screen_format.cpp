// Images converted once to the screen's format draw the very pixels the images as loaded drew.

// Opaque images, those with the magenta key, and the note and lane-line sheets with the white
// key are converted; the necks, blended with per-surface alpha, would not be, and stay as loaded.
#include "pixels.h"
#include "engine/assets.h"
#include "engine/draw.h"
#include "harness.h"

#include <SDL.h>
#include <SDL_image.h>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

enum DrawMode { OPAQUE, KEY_MAGENTA, KEY_WHITE };
const char *const mode_names[] = {"opaque", "magenta key", "white key"};

class ScreenFormat : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        SDL_Init(SDL_INIT_VIDEO);
        screen = SDL_SetVideoMode(320, 240, 16, 0);
    }
    static void TearDownTestSuite() {
        SDL_Quit();
        screen = nullptr;
    }

    // A surface of the screen's format whose pixels all differ from their neighbours, so
    // that a colour key or a blend that goes wrong shows.
    static SDL_Surface *canvas(int w, int h) {
        SDL_Surface *c = SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, 16, screen->format->Rmask,
                                              screen->format->Gmask, screen->format->Bmask, 0);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                SDL_Rect px = {static_cast<Sint16>(x), static_cast<Sint16>(y), 1, 1};
                SDL_FillRect(c, &px,
                             SDL_MapRGB(c->format, static_cast<Uint8>(x * 7 + y),
                                        static_cast<Uint8>(y * 5 + x / 3),
                                        static_cast<Uint8>((x + y) * 3)));
            }
        return c;
    }

    // Draws `image` in `mode` over a fresh canvas; the caller frees the result.
    static SDL_Surface *drawn(SDL_Surface *image, DrawMode mode) {
        SDL_Surface *c = canvas(image->w, image->h);
        SDL_SetColorKey(image, 0, 0);
        SDL_SetAlpha(image, 0, 255);
        if (mode == KEY_MAGENTA) key_magenta(image);
        if (mode == KEY_WHITE) key_white(image);
        SDL_Rect at = {0, 0, 0, 0};
        blit(image, nullptr, c, &at);
        return c;
    }

    // Pixels in which two equally sized 16-bit surfaces differ.
    static int differing(SDL_Surface *a, SDL_Surface *b) {
        int n = 0;
        for (int y = 0; y < a->h; ++y)
            for (int x = 0; x < a->w; ++x)
                n += pixel_value(a, x, y) != pixel_value(b, x, y);
        return n;
    }
};

TEST_F(ScreenFormat, EveryImageDrawsTheSamePixelsOnceConverted) {
    ASSERT_NE(screen, nullptr);
    for (int i = 0; i < IMAGE_COUNT; ++i) {
        std::string path = game_dir() + "/" + image_path(i);
        SDL_Surface *loaded = IMG_Load(path.c_str());
        ASSERT_NE(loaded, nullptr) << path;
        SDL_Surface *converted = SDL_DisplayFormat(loaded);
        ASSERT_NE(converted, nullptr) << path;
        EXPECT_EQ(converted->format->BitsPerPixel, 16);
        // Only the note and lane-line sheets are drawn with the white key: in the JPEG covers
        // near-white pixels become the key once converted.
        bool white_keyed = path.find("notas.png") != std::string::npos ||
                           path.find("linhas.png") != std::string::npos;
        for (DrawMode mode : {OPAQUE, KEY_MAGENTA, KEY_WHITE}) {
            if (mode == KEY_WHITE && !white_keyed) continue;
            SDL_Surface *want = drawn(loaded, mode);
            SDL_Surface *got = drawn(converted, mode);
            EXPECT_EQ(differing(want, got), 0) << path << ", " << mode_names[mode];
            SDL_FreeSurface(want);
            SDL_FreeSurface(got);
        }
        SDL_FreeSurface(loaded);
        SDL_FreeSurface(converted);
    }
}

TEST_F(ScreenFormat, StartUpConvertsTheLoadedImages) {
    ASSERT_NE(screen, nullptr);
    char cwd[4096];
    ASSERT_NE(getcwd(cwd, sizeof cwd), nullptr);
    ASSERT_EQ(chdir(game_dir().c_str()), 0);
    load_images();
    // PNG images load with 8, 24 or 32 bits a pixel.
    EXPECT_NE(BG00->format->BitsPerPixel, 16);
    int neck_bits = nk0->format->BitsPerPixel;
    EXPECT_NE(neck_bits, 16);
    convert_images_to_screen();
    for (SDL_Surface *s : {BG00, my_surfNotas, my_surfFrets, my_surfScore, main_menu, introducao1})
        EXPECT_EQ(s->format->BitsPerPixel, 16);
    for (SDL_Surface *s : {nk0, nk1, nk2, nk3})
        EXPECT_EQ(s->format->BitsPerPixel, neck_bits);
    EXPECT_EQ(chdir(cwd), 0);
}

} // namespace
