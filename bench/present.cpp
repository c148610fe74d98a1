// fretfall-present: presents a 320x240 16-bit software screen N times through SDL_Flip, so
// that callgrind can tell what one present costs inside SDL (the conversion to the window):
// the difference of two runs with different N, divided by the difference of N.
//
//   fretfall-present N
#include <SDL.h>

#include <cstdlib>

int main(int argc, char **argv) {
    if (argc != 2) return 2;
    int count = std::atoi(argv[1]);
    if (count < 0) return 2;
    if (SDL_Init(SDL_INIT_VIDEO) != 0) return 1;
    SDL_Surface *screen = SDL_SetVideoMode(320, 240, 16, SDL_SWSURFACE);
    if (!screen) return 1;
    for (int i = 0; i < count; ++i) {
        // A different picture each time, as in a song, where every frame changes.
        SDL_FillRect(screen, nullptr, SDL_MapRGB(screen->format, i & 255, 80, 160));
        SDL_Flip(screen);
    }
    SDL_Quit();
    return 0;
}
