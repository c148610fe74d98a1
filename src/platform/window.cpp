// The window: whole-factor scaling of the 320x240 picture, full screen on F11 or filling a
// handheld's display; the end of the game when its X display is lost.
#include "platform/window.h"

#include "platform/gamepad.h"
#include "platform/platform.h"
#include "platform/sdl2.h"

#include <SDL_syswm.h>
#include <cstdio>
#include <cstdlib>

namespace {

bool fill_screen = false; // window_fill_screen: the device's full screen, not a window

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

// SDL's X11 video asks the window manager for full screen; a device's X display has none,
// so the window itself is moved and sized to cover the display, as a manager would.
void cover_x11_display(int width, int height) {
    auto move_resize = reinterpret_cast<int (*)(Display *, Window, int, int, unsigned, unsigned)>(
        x11_function("XMoveResizeWindow"));
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!move_resize || width <= 0 || height <= 0 || SDL_GetWMInfo(&info) != 1 ||
        info.subsystem != SDL_SYSWM_X11)
        return;
    move_resize(info.info.x11.display, info.info.x11.window, 0, 0, static_cast<unsigned>(width),
                static_cast<unsigned>(height));
}

// Xlib's own handler of a lost display connection calls exit(), whose SDL_Quit waits on
// the dead connection for ever.
int display_lost(Display *) { platform_cut_off("the display connection was lost"); }

// From the video mode on, a lost X display ends the game at once.
void watch_x11_display() {
    using Handler = int (*)(Display *);
    auto set_handler = reinterpret_cast<Handler (*)(Handler)>(x11_function("XSetIOErrorHandler"));
    if (set_handler) set_handler(display_lost);
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
    if (desktop && !fill_screen) {
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
    // Filling the screen: full screen at the display's own size, the picture scaled up
    // by the largest whole factor that fits, on black.
    const SDL_VideoInfo *display = SDL_GetVideoInfo();
    int display_w = display ? display->current_w : 0, display_h = display ? display->current_h : 0;
    Uint32 flags = desktop && fill_screen ? SDL_FULLSCREEN : 0;
    SDL_Surface *surface = SDL_SetVideoMode(width, height, bpp, flags);
    if (desktop && surface) whole_factor_full_screen();
    if (desktop && surface && fill_screen) cover_x11_display(display_w, display_h);
    if (desktop) watch_x11_display();
    if (platform_is_real()) gamepad_start();
    return surface;
}

void window_fill_screen() { fill_screen = true; }

void window_toggle_full_screen() { SDL_WM_ToggleFullScreen(SDL_GetVideoSurface()); }
