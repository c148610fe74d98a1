// fretfall-stembench: makes stems and mixes them through the stem mixer's music hook, for
// the figures of bench/run.sh (callgrind instructions per second of audio, peak memory).
//
//   fretfall-stembench make DIR SECONDS NAME...   writes stereo stems DIR/NAME (the
//                                                 extension picks the format), 44.1 kHz
//   fretfall-stembench mix SECONDS [FILE...]      mixes SECONDS of the stems at 22050 Hz,
//                                                 the first one as the guitar
#include "engine/stems.h"
#include "stemgen/stemgen.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

int main(int argc, char **argv) {
    if (argc >= 5 && std::strcmp(argv[1], "make") == 0) {
        const double seconds = std::atof(argv[3]);
        for (int i = 4; i < argc; ++i) {
            std::string error;
            const std::string path = std::string(argv[2]) + "/" + argv[i];
            if (!stemgen::write_stem(path, stemgen::band(44100, seconds, i), 44100, 2, error)) {
                std::fprintf(stderr, "fretfall-stembench: %s\n", error.c_str());
                return 1;
            }
        }
        return 0;
    }
    if (argc >= 3 && std::strcmp(argv[1], "mix") == 0) {
        const long long frames = static_cast<long long>(std::atof(argv[2]) * 22050);
        std::string reason;
        const std::vector<std::string> paths(argv + 3, argv + argc);
        if (!paths.empty() && stems_open(paths, 0, reason) != static_cast<int>(paths.size()))
            return 1;
        static Uint8 block[4096]; // the game's 1024-frame chunk
        for (long long done = 0; done < frames; done += 1024) {
            // A miss now and then, as in a song.
            if (done % (1024 * 50) == 0) stems_miss();
            if (done % (1024 * 50) == 1024 * 5) stems_hit();
            stems_mix(nullptr, block, sizeof block);
        }
        stems_stop();
        return 0;
    }
    std::fprintf(stderr,
                 "usage: fretfall-stembench make DIR SECONDS NAME... | mix SECONDS [FILE...]\n");
    return 2;
}
