// Writing the screen to a PNG file (headless screenshots).
#pragma once
#include <SDL.h>

// Saves `surface` as an 8-bit RGB PNG; false when the file cannot be written.
bool save_png(SDL_Surface *surface, const char *path);
