// The settings file "settings": what the player chose that lasts between runs, one
// "key value" line per setting.
#pragma once
#include <string>
#include <vector>

// Name of the settings file in the working directory, beside the progress file.
const char *const SETTINGS_FILE = "settings";

// The range of the sync delay and the step of its hand nudge, in ms.
const int SYNC_DELAY_MIN = -100, SYNC_DELAY_MAX = 400, SYNC_DELAY_STEP = 5;

// The sync delay in ms: every note of every song spawns this much later on the song
// clock. 0 unless the settings file, the calibration or a driver script sets it.
extern int sync_delay_ms;

struct Settings {
    int sync_delay_ms = 0;
    // Lines of keys this program does not know, kept as they were so that writing the
    // file again does not lose them.
    std::vector<std::string> other;
};

enum SettingsRead { SETTINGS_READ, SETTINGS_MISSING, SETTINGS_EMPTY, SETTINGS_DAMAGED };

// Reads the settings file at `path`. Anything but SETTINGS_READ leaves `out` at the
// defaults, with the reason in `why` (one line, no file name). The file is damaged when it
// is longer than 4096 bytes or cannot be read, when a line is not a key (lower-case
// letters, digits, '_') followed by blanks and a value of printable characters, or when a
// known key's value is out of its range. Blank lines and lines starting with '#' are
// skipped; of a key given twice the last line counts.
SettingsRead read_settings(const char *path, Settings &out, std::string &why);
// The file's text: one line per known key, then the kept lines of other keys as long as
// the whole stays within what is read back.
std::string settings_text(const Settings &settings);
// Replaces `path` as a whole (as the progress file is written) with settings_text. False
// when it failed.
bool write_settings(const char *path, const Settings &settings);

// Start-up: reads SETTINGS_FILE into the game's settings; when it cannot, the defaults
// apply and, with `report`, one line on stderr says why.
void load_settings(bool report);
// Writes the game's settings to SETTINGS_FILE, keeping the other keys it was read with.
bool save_settings();
