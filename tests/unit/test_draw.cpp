// The blit and text facts every screen relies on, checked on the real SDL 1.2 layer.
#include "pixels.h"
#include "engine/assets.h"
#include "engine/draw.h"
#include "harness.h"
#include "video.h"

#include <SDL.h>
#include <cstdio>
#include <SDL_ttf.h>
#include <gtest/gtest.h>

class DrawTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        open_test_video();
        font = font_small1;
    }
    static SDL_Surface *sprite(int w, int h, Uint8 r, Uint8 g, Uint8 b) {
        SDL_Surface *s = SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, 24, 0xff, 0xff00, 0xff0000, 0);
        SDL_FillRect(s, nullptr, SDL_MapRGB(s->format, r, g, b));
        return s;
    }
    static Uint16 pixel(int x, int y) { return static_cast<Uint16>(pixel_value(screen, x, y)); }
    static TTF_Font *font;
};
TTF_Font *DrawTest::font;

TEST_F(DrawTest, BlitWritesTheClippedSizeBack) {
    ASSERT_NE(screen, nullptr);
    SDL_Surface *note = sprite(31, 23, 10, 200, 10);
    SDL_Rect full = {80, 100, 0, 0}, low = {80, 230, 0, 0}, gone = {80, 240, 0, 0};
    blit(note, nullptr, screen, &full);
    blit(note, nullptr, screen, &low);
    blit(note, nullptr, screen, &gone);
    EXPECT_EQ(full.w, 31);
    EXPECT_EQ(full.h, 23);
    EXPECT_EQ(low.h, 10);
    EXPECT_EQ(low.w, 31);
    EXPECT_EQ(gone.w, 0);
    EXPECT_EQ(gone.h, 0);
    // A missing surface draws nothing and says so.
    SDL_Rect none = {0, 0, 5, 5};
    blit(nullptr, nullptr, screen, &none);
    EXPECT_EQ(none.w, 0);
    SDL_FreeSurface(note);
}

TEST_F(DrawTest, NegativeSourceXMovesTheCopyRight) {
    // The neck is drawn from x -80: the copy starts 80 pixels right and is 80 narrower.
    SDL_Surface *neck = sprite(240, 1080, 90, 60, 30);
    SDL_Rect camera = {-80, 540, 320, 540};
    SDL_Rect at = {0, 0, 0, 0};
    SDL_FillRect(screen, nullptr, 0);
    blit(neck, &camera, screen, &at);
    EXPECT_EQ(at.x, 80);
    EXPECT_EQ(at.w, 240);
    EXPECT_EQ(at.h, 240);
    EXPECT_EQ(pixel(79, 10), 0);
    EXPECT_NE(pixel(80, 10), 0);
    SDL_FreeSurface(neck);
}

TEST_F(DrawTest, ColourKeysHideMagentaAndWhite) {
    SDL_Surface *keyed = sprite(4, 1, 255, 0, 255);
    SDL_Surface *white = sprite(4, 1, 255, 255, 255);
    Uint32 blue = SDL_MapRGB(screen->format, 0, 0, 255);
    SDL_FillRect(screen, nullptr, blue);
    key_magenta(keyed);
    key_white(white);
    apply_surface(0, 0, keyed, screen, nullptr);
    apply_surface(10, 0, white, screen, nullptr);
    EXPECT_EQ(pixel(1, 0), blue);
    EXPECT_EQ(pixel(11, 0), blue);
    // Without a key, a backdrop shows its magenta.
    SDL_SetColorKey(keyed, 0, 0);
    apply_surface(0, 0, keyed, screen, nullptr);
    EXPECT_EQ(pixel(1, 0), SDL_MapRGB(screen->format, 255, 0, 255));
    SDL_FreeSurface(keyed);
    SDL_FreeSurface(white);
}

TEST_F(DrawTest, TextsRenderCentreAndVanishWhenEmpty) {
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(TTF_RenderText_Solid(font, "", color_white), nullptr);
    EXPECT_EQ(render_text(font, "", color_white), nullptr);
    SDL_Surface *s = render_text(font, "Press B back to MENU", SDL_Color{255, 255, 255, 0});
    ASSERT_NE(s, nullptr);
    EXPECT_GT(s->w, 50);
    free_text(s);
    EXPECT_EQ(s, nullptr);
    free_text(s); // an empty handle is left alone
    EXPECT_EQ(centred_x(100), 110);
    EXPECT_EQ(centred_x(321), 0); // -1 / 2 truncates toward zero
    EXPECT_EQ(centred_x(322), -1);
}

TEST_F(DrawTest, TextCacheKeepsLatelyDrawnTextsWithinItsBounds) {
    ASSERT_NE(font, nullptr);
    // The same text, font and colour give the same surface, still whole after the first
    // caller released it; another colour is another text.
    SDL_Surface *first = render_text(font, "Wins: 3", color_white);
    ASSERT_NE(first, nullptr);
    SDL_Surface *kept = first;
    free_text(first);
    SDL_Surface *again = render_text(font, "Wins: 3", color_white);
    EXPECT_EQ(again, kept);
    SDL_Surface *yellow = render_text(font, "Wins: 3", color_yellow);
    EXPECT_NE(yellow, again);
    free_text(yellow);
    // Many other texts push the oldest out, and a surface held by its caller outlives that.
    for (int i = 0; i < 4 * TEXT_CACHE_SLOTS; ++i) {
        char text[64];
        std::snprintf(text, sizeof text, "%d %s", i, "a line as wide as a highscore row is wide");
        SDL_Surface *s = render_text(font, text, color_white);
        EXPECT_LE(text_cache_count(), TEXT_CACHE_SLOTS);
        EXPECT_LE(text_cache_bytes(), TEXT_CACHE_BYTES);
        free_text(s);
    }
    EXPECT_EQ(again->w, kept->w);
    SDL_Rect at = {0, 0, 0, 0};
    blit(again, nullptr, screen, &at);
    EXPECT_EQ(at.w, again->w);
    free_text(again);
    // Under the reference drawing every text is rendered anew.
    draw_reference = true;
    SDL_Surface *a = render_text(font, "Loses: 1", color_white);
    SDL_Surface *b = render_text(font, "Loses: 1", color_white);
    draw_reference = false;
    EXPECT_NE(a, b);
    free_text(a);
    free_text(b);
}

TEST_F(DrawTest, PlayersTextsKeepTheFontsLettersAndMarkTheRest) {
    ASSERT_NE(font, nullptr);
    const std::string mark = TTF_GlyphIsProvided(font, 0xFFFD) ? "\xEF\xBF\xBD" : "?";
    // Latin letters beyond Latin-1 stay; a CJK letter, a stray byte and a cut sequence do not.
    EXPECT_EQ(font_safe_text(font,
                             "Mot\xC3\xB6rhead \xC5\x81\xC3\xB3"
                             "d\xC5\xBA",
                             60),
              "Mot\xC3\xB6rhead \xC5\x81\xC3\xB3"
              "d\xC5\xBA");
    EXPECT_EQ(font_safe_text(font, "a\xE6\x97\xA5z\xFF\tb\xC3", 60),
              "a" + mark + "z" + mark + " b" + mark);
    EXPECT_EQ(font_safe_text(font, "\xC3\xB6\xC3\xB6\xC3\xB6", 2), "\xC3\xB6\xC3\xB6");
    EXPECT_EQ(font_safe_text(nullptr, "abc", 60), "");
    SDL_Surface *s = render_utf8(font, "\xE6\x97\xA5\xE6\x9C\xAC", color_white, 60);
    ASSERT_NE(s, nullptr);
    EXPECT_GT(s->w, 4);
    free_text(s);
}
