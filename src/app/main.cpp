// The game: runs in the working directory that holds the asset tree and data/.
//
//   fretfall [--fullscreen] [--record FILE] [--trace FILE]
//
// --fullscreen fills the whole display, as on a handheld (its launcher passes it).
// --record writes a recording of the whole run that fretfall-replay --play replays
// exactly; --trace writes the headless driver's trace lines. Other arguments are ignored.
// The settings file is read at start-up; without it the defaults apply.
#include "headless/session.h"
#include "platform/platform.h"
#include "platform/window.h"
#include "app/startup.h"
#include "store/settings.h"

#include <cstdio>
#include <cstring>
#include <string>

int main(int argc, char **argv) {
    std::string record, trace;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--fullscreen") == 0) window_fill_screen();
        std::string *target = std::strcmp(argv[i], "--record") == 0  ? &record
                              : std::strcmp(argv[i], "--trace") == 0 ? &trace
                                                                     : nullptr;
        if (!target) continue;
        if (i + 1 < argc && argv[i + 1][0] != '\0') {
            *target = argv[++i];
        } else {
            std::fprintf(stderr, "fretfall: %s needs a file name; playing on without it\n",
                         argv[i]);
        }
    }
    platform_start_real();
    headless_observe_real(record, trace);
    load_settings(true);
    return fretfall_main();
}
