// Every test runs headless: SDL's dummy video and audio drivers, whatever the environment.
#include <cstdlib>

namespace {
struct Headless {
    Headless() {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        setenv("SDL_AUDIODRIVER", "dummy", 1);
    }
} headless;
} // namespace

// SDL2, under the SDL 1.2 compatibility layer, keeps a few allocations after SDL_Quit when
// a test opens and closes the video mode in one process. They are not the game's memory;
// LeakSanitizer (in the sanitizer build) is told to pass over them.
extern "C" const char *__lsan_default_suppressions() { return "leak:libSDL2-2.0.so\n"; }
