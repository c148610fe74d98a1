// How every screen draws: blits at global rectangles, colour-keyed sprites, and texts
// rendered into short-lived surfaces.
#pragma once
#include <SDL.h>
#include <SDL_ttf.h>

#include <string>

// Reference drawing: every path draws as SDL does with the images as loaded and renders
// every text anew, taking none of the faster paths. The headless driver's --reference sets
// it before start-up, so that its pictures can be compared with those of the usual paths.
extern bool draw_reference;

// Full-screen blit destinations: the intro's pictures and every menu backdrop.
extern SDL_Rect dst_rectintro, dst_rectMenu;

// Text buffers: a text lives here between its composition and its rendering.
extern char texto3[50]; // the general-purpose buffer of the menu screens
extern char textoA[50], textoB[50], textoC[50], textoD[50], textoE[50];
extern char timer_msec[50];
extern char texto[10], texto2[10];
extern char str[255]; // a line read from a highscore file

// Blits `source` (or its `clip` region) with its top-left corner at (x, y), each narrowed
// to 16 bits. The blit's result is not looked at.
void apply_surface(int x, int y, SDL_Surface *source, SDL_Surface *destination, SDL_Rect *clip);
// The same, under the name the song timer is drawn with.
void apply_surface0(int x, int y, SDL_Surface *source, SDL_Surface *destination, SDL_Rect *clip);

// SDL_UpperBlit that tolerates a missing surface (an asset that failed to load, a text
// that rendered to nothing). Like SDL 1.2, it writes the drawn area back into `dst`.
void blit(SDL_Surface *src, SDL_Rect *srcrect, SDL_Surface *dst, SDL_Rect *dstrect);

// Transparent colours, set right before each blit of a sprite.
void key_magenta(SDL_Surface *sprite);
void key_white(SDL_Surface *sprite);

// Renders `text` with TTF_RenderText_Solid; nullptr for an empty text or no font.
// A text drawn lately in the same font and colour comes from a small cache: the same
// surface with one more reference, so the caller releases it with free_text as ever and
// must not change it.
SDL_Surface *render_text(TTF_Font *font, const char *text, SDL_Color color);
// Players' texts (UTF-8, any script): `text` with every character the font has no glyph for,
// and every byte that is not UTF-8, turned into one replacement mark (U+FFFD when the font
// has it, else '?'); at most `max_chars` characters are kept.
std::string font_safe_text(TTF_Font *font, const std::string &text, size_t max_chars);
// Renders such a text with TTF_RenderUTF8_Solid, past the cache; nullptr for an empty text
// or no font. The caller releases it with free_text.
SDL_Surface *render_utf8(TTF_Font *font, const std::string &text, SDL_Color color,
                         size_t max_chars);
// Releases a text surface and empties its handle; an empty handle is left alone.
void free_text(SDL_Surface *&surface);
// Bounds of the text cache: texts of up to TEXT_CACHE_CHARS characters, at most
// TEXT_CACHE_SLOTS of them and TEXT_CACHE_BYTES of pixels; the least lately used goes first.
const int TEXT_CACHE_CHARS = 63;
const int TEXT_CACHE_SLOTS = 48;
const long TEXT_CACHE_BYTES = 256 * 1024;
// Texts and pixel bytes the cache holds now.
int text_cache_count();
long text_cache_bytes();
// x at which a surface of width `w` stands centred on the 320-pixel screen.
int centred_x(int w);
// Renders, blits centred at row y and returns the text surface (owned by the caller).
SDL_Surface *draw_text_centred(TTF_Font *font, const char *text, SDL_Color color, int y);
// Renders, blits at (x, y) and returns the text surface (owned by the caller).
SDL_Surface *draw_text_at(TTF_Font *font, const char *text, SDL_Color color, int x, int y);
