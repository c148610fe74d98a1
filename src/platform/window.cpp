// The window: whole-factor scaling of the 320x240 picture, full screen on F11.
#include "platform/window.h"

#include "platform/gamepad.h"
#include "platform/platform.h"
#include "platform/sdl2.h"

#include <SDL_syswm.h>
#include <cstdio>
#include <cstdlib>

namespace {

// sdl12-compat letterboxes the picture in full screen at any factor (4.5 on 1920x1080);
// SDL2's renderer can be told to keep to whole factors, as the window does.
void whole_factor_full_screen() {
    auto get_renderer = reinterpret_cast<void *(*)(SDL_Window *)>(sdl2_function("SDL_GetRenderer"));
    auto integer_scale =
        reinterpret_cast<int (*)(void *, int)>(sdl2_function("SDL_RenderSetIntegerScale"));
    SDL_Window *window = SDL12COMPAT_GetWindow();
    void *renderer = window && get_renderer ? get_renderer(window) : nullptr;
    if (renderer && integer_scale) integer_scale(renderer, 1);
}

} // namespace

void window_prepare() {
    // sdl12-compat reads this when SDL starts. Whole-factor window scaling by nearest
    // neighbour keeps every game pixel a square block.
    setenv("SDL12COMPAT_SCALE_METHOD", "nearest", 0);
}

SDL_Surface *platform_set_video_mode(int width, int height, int bpp) {
    const char *driver_name = nullptr;
    char driver[32];
    if (platform_is_real() && SDL_VideoDriverName(driver, sizeof driver)) driver_name = driver;
    bool desktop = driver_name && SDL_strcmp(driver_name, "dummy") != 0;
    if (desktop) {
        // The largest whole factor whose window fits the desktop, with 80 pixels of its
        // height left for panels and the title bar.
        const SDL_VideoInfo *info = SDL_GetVideoInfo();
        int k = 1;
        while (info && width * (k + 1) <= info->current_w &&
               height * (k + 1) <= info->current_h - 80)
            ++k;
        char scale[16];
        std::snprintf(scale, sizeof scale, "%d", k);
        setenv("SDL12COMPAT_WINDOW_SCALING", scale, 0);
    }
    SDL_Surface *surface = SDL_SetVideoMode(width, height, bpp, 0);
    if (desktop && surface) whole_factor_full_screen();
    if (platform_is_real()) gamepad_start();
    return surface;
}

void window_toggle_full_screen() { SDL_WM_ToggleFullScreen(SDL_GetVideoSurface()); }
