// What the headless modes do where the real game presents: count, note, hash, shoot.
#include "headless/screenshot.h"
#include "headless/session.h"
#include "headless/side.h"

#include <ctime>

std::vector<ScriptShot> pending_shots;

namespace {

Uint32 presents = 0;
FILE *presents_out = nullptr; // --presents: time of every present
FILE *hashes_out = nullptr;   // --hashes: pixels of every present

void take_shots(SDL_Surface *surface) {
    for (auto it = pending_shots.begin(); it != pending_shots.end();) {
        if (it->time <= virtual_ms) {
            if (!save_png(surface, it->path.c_str()))
                std::fprintf(stderr, "fretfall-replay: cannot write %s\n", it->path.c_str());
            it = pending_shots.erase(it);
        } else {
            ++it;
        }
    }
}

void note_present(FILE *out) {
    timespec now, cpu;
    clock_gettime(CLOCK_REALTIME, &now);
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &cpu);
    std::fprintf(out, "%u %lld.%06ld %.3f\n", virtual_ms, static_cast<long long>(now.tv_sec),
                 now.tv_nsec / 1000, cpu.tv_sec * 1e3 + cpu.tv_nsec / 1e6);
}

// The visible pixels only: the pitch's padding bytes are left out.
void hash_present(FILE *out, SDL_Surface *surface) {
    Uint64 hash = 14695981039346656037ull;
    if (surface && !SDL_LockSurface(surface)) {
        const Uint8 *row = static_cast<const Uint8 *>(surface->pixels);
        size_t row_bytes = static_cast<size_t>(surface->w) * surface->format->BytesPerPixel;
        for (int y = 0; y < surface->h; ++y, row += surface->pitch)
            for (size_t i = 0; i < row_bytes; ++i)
                hash = (hash ^ row[i]) * 1099511628211ull;
        SDL_UnlockSurface(surface);
    }
    std::fprintf(out, "%u %016llx\n", virtual_ms, static_cast<unsigned long long>(hash));
}

} // namespace

void headless_present(SDL_Surface *surface) {
    ++presents;
    if (presents_out) note_present(presents_out);
    if (hashes_out) hash_present(hashes_out, surface);
    if (!pending_shots.empty()) take_shots(surface);
}

Uint32 headless_presents() { return presents; }

bool headless_note_presents(const std::string &path) {
    presents_out = std::fopen(path.c_str(), "w");
    return presents_out != nullptr;
}

bool headless_hash_presents(const std::string &path) {
    hashes_out = std::fopen(path.c_str(), "w");
    return hashes_out != nullptr;
}
