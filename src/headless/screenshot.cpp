// PNG screenshots through libpng, from a surface of any pixel format.
#include "headless/screenshot.h"

#include <csetjmp>
#include <cstdio>
#include <png.h>
#include <vector>

namespace {

// Reads one pixel of a locked surface as a raw value of its own format.
Uint32 raw_pixel(const SDL_Surface *s, int x, int y) {
    const Uint8 *p =
        static_cast<const Uint8 *>(s->pixels) + y * s->pitch + x * s->format->BytesPerPixel;
    switch (s->format->BytesPerPixel) {
    case 1:
        return *p;
    case 2:
        return *reinterpret_cast<const Uint16 *>(p);
    case 3:
        return SDL_BYTEORDER == SDL_LIL_ENDIAN ? p[0] | p[1] << 8 | p[2] << 16
                                               : p[2] | p[1] << 8 | p[0] << 16;
    default:
        return *reinterpret_cast<const Uint32 *>(p);
    }
}

// Encodes 8-bit RGB rows; libpng reports errors by longjmp, so nothing here is
// changed between setjmp and the end.
bool write_rows(FILE *file, const png_byte *rgb, int w, int h) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (!png) return false;
    png_infop info = png_create_info_struct(png);
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, info ? &info : nullptr);
        return false;
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, w, h, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < h; ++y)
        png_write_row(png, rgb + static_cast<size_t>(y) * w * 3);
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

} // namespace

bool save_png(SDL_Surface *surface, const char *path) {
    if (!surface) return false;
    const int w = surface->w, h = surface->h;
    std::vector<png_byte> rgb(static_cast<size_t>(w) * h * 3);
    if (SDL_LockSurface(surface) != 0) return false;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            Uint8 r, g, b;
            SDL_GetRGB(raw_pixel(surface, x, y), surface->format, &r, &g, &b);
            png_byte *out = &rgb[(static_cast<size_t>(y) * w + x) * 3];
            out[0] = r;
            out[1] = g;
            out[2] = b;
        }
    SDL_UnlockSurface(surface);

    FILE *file = std::fopen(path, "wb");
    if (!file) return false;
    bool ok = write_rows(file, rgb.data(), w, h);
    return std::fclose(file) == 0 && ok;
}
