// libFuzzer target: the progress-file reader on any bytes, and a write of what it read
// reading back the same two counts.
#include "fuzz_file.h"
#include "store/progress.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    std::string input = fuzz_input_file("game_save", data, size);
    const int w0 = 11, l0 = 22;
    int w = w0, l = l0;
    int read = read_progress(input.c_str(), w, l);
    // A counter that was not read keeps its value.
    if (read < 0 || read > 2) std::abort();
    if (read == 0 && (w != w0 || l != l0)) std::abort();
    if (read == 1 && l != l0) std::abort();

    // Whatever was read is written the game's way and must read back unchanged.
    std::string copy = fuzz_scratch_path("game_save.copy");
    if (!write_progress(copy.c_str(), w, l)) std::abort();
    int w2 = 0, l2 = 0;
    if (read_progress(copy.c_str(), w2, l2) != 2 || w2 != w || l2 != l) std::abort();
    return 0;
}
