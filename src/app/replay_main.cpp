// fretfall-replay: the whole game, headless, on a virtual clock driven by a script.
//
//   fretfall-replay [--dir DIR] [--trace FILE] [--presents FILE] [--hashes FILE] SCRIPT
//   fretfall-replay --chart N
//
// --presents notes the time of every present (for the benchmark), --hashes a hash of every
// presented screen (to compare two runs picture by picture).
#include "app/platform.h"
#include "app/startup.h"
#include "songs/charts.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>

namespace {

int usage() {
    std::fprintf(stderr, "usage: fretfall-replay [--dir DIR] [--trace FILE] [--presents FILE]\n"
                         "                      [--hashes FILE] SCRIPT\n"
                         "       fretfall-replay --chart N\n");
    return 2;
}

// A song index as printed by --chart: a whole decimal number.
bool parse_index(const char *text, int &out) {
    char *end = nullptr;
    long v = std::strtol(text, &end, 10);
    if (!*text || *end || v < -1000000 || v > 1000000) return false;
    out = static_cast<int>(v);
    return true;
}

} // namespace

int main(int argc, char **argv) {
    std::string dir, trace, presents, hashes, script;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        bool has_value = i + 1 < argc;
        if (arg == "--chart" && has_value) {
            int song = 0;
            if (!parse_index(argv[i + 1], song)) return usage();
            return print_chart(song, stdout);
        } else if (arg == "--dir" && has_value) {
            dir = argv[++i];
        } else if (arg == "--trace" && has_value) {
            trace = argv[++i];
        } else if (arg == "--presents" && has_value) {
            presents = argv[++i];
        } else if (arg == "--hashes" && has_value) {
            hashes = argv[++i];
        } else if (script.empty() && !arg.empty() && arg[0] != '-') {
            script = arg;
        } else {
            return usage();
        }
    }
    if (script.empty()) return usage();

    std::string error;
    if (!platform_start_replay(script, trace, error)) {
        std::fprintf(stderr, "fretfall-replay: %s\n", error.c_str());
        return 2;
    }
    // Named relative to where the driver was started, like the trace.
    const char *unwritable = nullptr;
    if (!presents.empty() && !platform_note_presents(presents)) unwritable = presents.c_str();
    if (!hashes.empty() && !platform_hash_presents(hashes)) unwritable = hashes.c_str();
    if (unwritable) {
        std::fprintf(stderr, "fretfall-replay: cannot write %s\n", unwritable);
        return 2;
    }
    if (!dir.empty() && chdir(dir.c_str()) != 0) {
        std::fprintf(stderr, "fretfall-replay: cannot enter %s\n", dir.c_str());
        return 2;
    }
    // Headless: no window and no sound card, whatever the environment says.
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    return fretfall_main();
}
