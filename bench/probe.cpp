// Preloaded into the headless driver by the benchmark, it notes the wall clock at the two
// places where the game presents the screen:
// - FRETFALL_FIRST_FLIP=FILE: the first SDL_Flip (the first intro frame) writes the
//   CLOCK_REALTIME seconds, with microseconds, and the process's CPU milliseconds so far to
//   FILE and ends the process at once;
// - FRETFALL_FRAME_TIMES=FILE: every whole-screen SDL_UpdateRect of the song loop (one per
//   song frame) is noted in CLOCK_MONOTONIC nanoseconds, written one a line to FILE when the
//   process ends.
#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <dlfcn.h>
#include <unistd.h>
#include <vector>

namespace {

std::vector<long long> &frame_times() {
    static std::vector<long long> *times = new std::vector<long long>();
    return *times;
}

// Runs when the process ends: the driver ends by exit() when its script runs out.
__attribute__((destructor)) void write_frame_times() {
    const char *path = std::getenv("FRETFALL_FRAME_TIMES");
    if (!path) return;
    if (FILE *out = std::fopen(path, "w")) {
        for (long long t : frame_times())
            std::fprintf(out, "%lld\n", t);
        std::fclose(out);
    }
}

} // namespace

extern "C" int SDL_Flip(SDL_Surface *screen) {
    using Flip = int (*)(SDL_Surface *);
    static Flip real = reinterpret_cast<Flip>(dlsym(RTLD_NEXT, "SDL_Flip"));
    int result = real ? real(screen) : -1;
    const char *path = std::getenv("FRETFALL_FIRST_FLIP");
    if (!path) return result;
    timespec now, cpu;
    clock_gettime(CLOCK_REALTIME, &now);
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &cpu);
    if (FILE *out = std::fopen(path, "w")) {
        std::fprintf(out, "%lld.%06ld %.3f\n", static_cast<long long>(now.tv_sec),
                     now.tv_nsec / 1000, cpu.tv_sec * 1e3 + cpu.tv_nsec / 1e6);
        std::fclose(out);
    }
    _exit(result == 0 ? 0 : 1);
}

extern "C" void SDL_UpdateRect(SDL_Surface *screen, Sint32 x, Sint32 y, Uint32 w, Uint32 h) {
    using Update = void (*)(SDL_Surface *, Sint32, Sint32, Uint32, Uint32);
    static Update real = reinterpret_cast<Update>(dlsym(RTLD_NEXT, "SDL_UpdateRect"));
    if (real) real(screen, x, y, w, h);
    // The song loop presents with (0, 0, 0, 240); SDL_Flip passes (0, 0, 0, 0).
    if (x == 0 && y == 0 && w == 0 && h == 240 && std::getenv("FRETFALL_FRAME_TIMES")) {
        timespec now;
        clock_gettime(CLOCK_MONOTONIC, &now);
        frame_times().push_back(now.tv_sec * 1000000000LL + now.tv_nsec);
    }
}
