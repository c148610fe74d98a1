// Blits that draw exactly what SDL's own blits draw, with less work: the per-surface-alpha
// blit of a 24-bit RGB image onto the 16-bit 565 screen, with the very arithmetic of SDL's
// blitter for this pair of formats from a copy of the image in planes that vector code
// reads sixteen pixels at a time; and colour-keyed 16-bit sprites copied run by run, the
// runs of pixels that are not the key taken once per sprite and key.
// None of them is taken in the reference mode (draw_reference).
#pragma once
#include <SDL.h>

#include <vector>

// An image split into its red, green and blue planes, row after row; empty when the image
// is not a 24-bit RGB one (then the blit goes through SDL).
struct BlendPlanes {
    SDL_Surface *image = nullptr; // the image the planes were taken from
    int w = 0, h = 0;
    std::vector<Uint16> r, g, b; // 0..255 each
};

// Takes the planes of `image` into `planes`; false, with `planes` left empty, for an image
// whose format this blit does not handle (or none).
bool take_planes(BlendPlanes &planes, SDL_Surface *image);

// Blits planes.image at its surface alpha over `dst` like SDL_UpperBlit: the same clipping,
// the same pixels, the drawn area written back into `dstrect`. Goes through SDL itself in
// the reference mode, for a destination other than 16-bit 565, for an image without
// surface alpha or with a colour key, and for an alpha of 0 or 255.
void blit_blended(const BlendPlanes &planes, SDL_Rect *srcrect, SDL_Surface *dst,
                  SDL_Rect *dstrect);

// Sprites whose runs may be taken and kept: the images loaded at start-up, which live as
// long as the program. Forgetting drops every run taken.
void keep_sprite_runs(SDL_Surface *sprite);
void forget_sprite_runs();

// A colour-keyed blit of a kept 16-bit 565 sprite onto a 565 surface, clipped and written
// back like SDL_UpperBlit; false, with nothing done, for any other blit.
bool blit_keyed(SDL_Surface *src, SDL_Rect *srcrect, SDL_Surface *dst, SDL_Rect *dstrect);
