// libFuzzer target: the settings reader on any bytes, and a write of what it read reading
// back the same settings.
#include "fuzz_file.h"
#include "store/settings.h"

#include <algorithm>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    std::string input = fuzz_input_file("settings", data, size);
    Settings read;
    read.sync_delay_ms = 77;
    read.other = {"left over"};
    std::string why;
    SettingsRead status = read_settings(input.c_str(), read, why);
    // Whatever the bytes, the result is a setting in range; a file not read gives the
    // defaults and says why in one line.
    if (read.sync_delay_ms < SYNC_DELAY_MIN || read.sync_delay_ms > SYNC_DELAY_MAX) std::abort();
    if (status != SETTINGS_READ && (read.sync_delay_ms != 0 || !read.other.empty() || why.empty() ||
                                    why.find('\n') != std::string::npos))
        std::abort();

    // What was read is written the game's way and must read back unchanged.
    std::string copy = fuzz_scratch_path("settings.copy");
    if (!write_settings(copy.c_str(), read)) std::abort();
    Settings again;
    if (read_settings(copy.c_str(), again, why) != SETTINGS_READ ||
        again.sync_delay_ms != read.sync_delay_ms)
        std::abort();
    // Other keys are kept in order, but those that would make the file too long are dropped.
    if (again.other.size() > read.other.size() ||
        !std::equal(again.other.begin(), again.other.end(), read.other.begin()))
        std::abort();
    return 0;
}
