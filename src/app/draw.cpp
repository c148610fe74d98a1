// Blit and text helpers shared by every screen.
#include "app/draw.h"

#include "app/assets.h"
#include "app/fastblit.h"

#include <cstring>

bool draw_reference = false;

char texto3[50];
char textoA[50], textoB[50], textoC[50], textoD[50], textoE[50];
char timer_msec[50];
char texto[10], texto2[10];
char str[255];

void apply_surface(int x, int y, SDL_Surface *source, SDL_Surface *destination, SDL_Rect *clip) {
    SDL_Rect rect;
    rect.x = static_cast<Sint16>(x);
    rect.y = static_cast<Sint16>(y);
    rect.w = 0;
    rect.h = 0;
    blit(source, clip, destination, &rect);
}

void apply_surface0(int x, int y, SDL_Surface *source, SDL_Surface *destination,
                    SDL_Rect *clip) {
    apply_surface(x, y, source, destination, clip);
}

void blit(SDL_Surface *src, SDL_Rect *srcrect, SDL_Surface *dst, SDL_Rect *dstrect) {
    if (!src || !dst) {
        // Nothing is drawn, and the destination records that.
        if (dstrect) dstrect->w = dstrect->h = 0;
        return;
    }
    if (blit_keyed(src, srcrect, dst, dstrect)) return;
    SDL_UpperBlit(src, srcrect, dst, dstrect);
}

void key_magenta(SDL_Surface *sprite) {
    if (sprite) SDL_SetColorKey(sprite, SDL_SRCCOLORKEY, SDL_MapRGB(sprite->format, 255, 0, 255));
}

void key_white(SDL_Surface *sprite) {
    if (sprite)
        SDL_SetColorKey(sprite, SDL_SRCCOLORKEY, SDL_MapRGB(sprite->format, 255, 255, 255));
}

SDL_Surface *render_text(TTF_Font *font, const char *text, SDL_Color color) {
    if (!font || !text || !text[0]) return nullptr;
    return TTF_RenderText_Solid(font, text, color);
}

void free_text(SDL_Surface *&surface) {
    if (surface) SDL_FreeSurface(surface);
    surface = nullptr;
}

int centred_x(int w) { return (320 - w) / 2; }

SDL_Surface *draw_text_centred(TTF_Font *font, const char *text, SDL_Color color, int y) {
    SDL_Surface *s = render_text(font, text, color);
    if (s) apply_surface(centred_x(s->w), y, s, screen, nullptr);
    return s;
}

SDL_Surface *draw_text_at(TTF_Font *font, const char *text, SDL_Color color, int x, int y) {
    SDL_Surface *s = render_text(font, text, color);
    if (s) apply_surface(x, y, s, screen, nullptr);
    return s;
}
