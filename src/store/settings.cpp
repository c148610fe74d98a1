// The settings file: "key value" lines, read at start-up, replaced as a whole when saved.
#include "store/settings.h"

#include "store/atomic_write.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>

int sync_delay_ms = 0;

namespace {

// A settings file is a few short lines; a longer one is not this program's.
const size_t READ_LIMIT = 4096;

// The other keys the game's settings were read with, written back by save_settings.
std::vector<std::string> kept_lines;

bool key_char(char c) { return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_'; }
bool blank(char c) { return c == ' ' || c == '\t'; }

// A whole decimal int from `lo` to `hi`: an optional sign and at most six digits.
bool parse_int(const std::string &text, int lo, int hi, int &out) {
    size_t i = text[0] == '-' || text[0] == '+' ? 1 : 0;
    if (text.size() <= i || text.size() - i > 6) return false;
    for (size_t j = i; j < text.size(); ++j)
        if (text[j] < '0' || text[j] > '9') return false;
    long v = std::strtol(text.c_str(), nullptr, 10);
    if (v < lo || v > hi) return false;
    out = static_cast<int>(v);
    return true;
}

// One line without its line end. False, with the reason, when it is damaged.
bool read_line(const std::string &line, Settings &s, std::string &why) {
    size_t i = 0;
    while (i < line.size() && blank(line[i]))
        ++i;
    if (i == line.size() || line[i] == '#') return true;
    size_t key_start = i;
    while (i < line.size() && key_char(line[i]))
        ++i;
    std::string key = line.substr(key_start, i - key_start);
    size_t value_start = i;
    while (value_start < line.size() && blank(line[value_start]))
        ++value_start;
    size_t end = line.size();
    while (end > value_start && blank(line[end - 1]))
        --end;
    if (key.empty() || value_start == i || value_start == end) {
        why = "a line is not a key and a value";
        return false;
    }
    std::string value = line.substr(value_start, end - value_start);
    for (char c : value)
        if (static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) >= 0x7f) {
            why = "the value of " + key + " is not plain text";
            return false;
        }
    if (key == "sync_delay_ms") {
        if (parse_int(value, SYNC_DELAY_MIN, SYNC_DELAY_MAX, s.sync_delay_ms)) return true;
        why = "sync_delay_ms is not a whole number from " + std::to_string(SYNC_DELAY_MIN) +
              " to " + std::to_string(SYNC_DELAY_MAX);
        return false;
    }
    s.other.push_back(key + " " + value);
    return true;
}

} // namespace

SettingsRead read_settings(const char *path, Settings &out, std::string &why) {
    out = Settings();
    FILE *file = std::fopen(path, "rb");
    if (!file) {
        bool missing = errno == ENOENT;
        why = missing ? "there is no settings file" : "the settings file cannot be opened";
        return missing ? SETTINGS_MISSING : SETTINGS_DAMAGED;
    }
    char text[READ_LIMIT + 1];
    size_t len = std::fread(text, 1, sizeof text, file);
    bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed) {
        why = "the settings file cannot be read";
        return SETTINGS_DAMAGED;
    }
    if (len > READ_LIMIT) {
        why = "the settings file is longer than " + std::to_string(READ_LIMIT) + " bytes";
        return SETTINGS_DAMAGED;
    }
    if (len == 0) {
        why = "the settings file is empty";
        return SETTINGS_EMPTY;
    }
    Settings read;
    size_t pos = 0;
    int number = 0;
    while (pos < len) {
        size_t eol = pos;
        while (eol < len && text[eol] != '\n')
            ++eol;
        size_t end = eol > pos && text[eol - 1] == '\r' ? eol - 1 : eol;
        ++number;
        if (!read_line(std::string(text + pos, end - pos), read, why)) {
            why = "line " + std::to_string(number) + ": " + why;
            return SETTINGS_DAMAGED;
        }
        pos = eol + 1;
    }
    out = read;
    return SETTINGS_READ;
}

std::string settings_text(const Settings &settings) {
    std::string text = "sync_delay_ms " + std::to_string(settings.sync_delay_ms) + "\n";
    for (const std::string &line : settings.other)
        if (text.size() + line.size() + 1 <= READ_LIMIT) text += line + "\n";
    return text;
}

bool write_settings(const char *path, const Settings &settings) {
    const std::string text = settings_text(settings);
    return replace_file(path, text.data(), text.size());
}

void load_settings(bool report) {
    Settings s;
    std::string why;
    if (read_settings(SETTINGS_FILE, s, why) != SETTINGS_READ && report)
        std::fprintf(stderr, "fretfall: %s; the default settings apply\n", why.c_str());
    sync_delay_ms = s.sync_delay_ms;
    kept_lines = s.other;
}

bool save_settings() {
    Settings s;
    s.sync_delay_ms = sync_delay_ms;
    s.other = kept_lines;
    return write_settings(SETTINGS_FILE, s);
}
