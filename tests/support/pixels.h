// Pixels read back from any SDL surface, as its raw value or as red, green and blue.
#pragma once
#include <SDL.h>

struct Rgb {
    int r, g, b;
};

// The raw value of pixel (x, y) in the surface's own format; 0 outside it.
Uint32 pixel_value(const SDL_Surface *s, int x, int y);
// Pixel (x, y) as 8-bit channels; outside the surface, or without one, (-1, -1, -1).
Rgb pixel_at(const SDL_Surface *s, int x, int y);
// Colours equal within what the 16-bit screen keeps of them (5 or 6 bits a channel).
bool same_colour(Rgb a, Rgb b, int tolerance = 12);
