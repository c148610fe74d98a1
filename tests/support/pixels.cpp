// The one pixel reader of the tests and the window test's screenshot checker.
#include "pixels.h"

#include <cstdlib>

Uint32 pixel_value(const SDL_Surface *s, int x, int y) {
    if (!s || x < 0 || y < 0 || x >= s->w || y >= s->h) return 0;
    const int bytes = s->format->BytesPerPixel;
    const Uint8 *p = static_cast<const Uint8 *>(s->pixels) + y * s->pitch + x * bytes;
    Uint32 raw = 0;
    for (int i = 0; i < bytes; ++i)
        raw |= static_cast<Uint32>(p[i])
               << (SDL_BYTEORDER == SDL_LIL_ENDIAN ? 8 * i : 8 * (bytes - 1 - i));
    return raw;
}

Rgb pixel_at(const SDL_Surface *s, int x, int y) {
    if (!s || x < 0 || y < 0 || x >= s->w || y >= s->h) return {-1, -1, -1};
    Uint8 r, g, b;
    SDL_GetRGB(pixel_value(s, x, y), s->format, &r, &g, &b);
    return {r, g, b};
}

bool same_colour(Rgb a, Rgb b, int tolerance) {
    return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance &&
           std::abs(a.b - b.b) <= tolerance;
}
