// The .chart text format: sections of "key = value" lines, read line by line.
#include "songs/textchart.h"

#include "songs/songtext.h"

#include <cmath>
#include <vector>

namespace {

enum Section { OTHER, SONG, SYNC, EVENTS, GUITAR };

const char *const guitar_sections[DIFF_COUNT] = {"easysingle", "mediumsingle", "hardsingle",
                                                 "expertsingle"};

// Space-separated words of a value.
std::vector<std::string> words_of(const std::string &value) {
    std::vector<std::string> words;
    size_t i = 0;
    while (i < value.size()) {
        while (i < value.size() && (value[i] == ' ' || value[i] == '\t'))
            ++i;
        size_t start = i;
        while (i < value.size() && value[i] != ' ' && value[i] != '\t')
            ++i;
        if (i > start) words.push_back(value.substr(start, i - start));
    }
    return words;
}

// A count of digits only, at most `max`.
bool parse_count(const std::string &text, uint64_t max, uint64_t &out) {
    if (text.empty() || text.size() > 20) return false;
    uint64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + static_cast<uint64_t>(c - '0');
        if (value > max) return false;
    }
    out = value;
    return true;
}

// A value without its outer quotes (the format has no escapes).
std::string unquoted(std::string value) {
    if (!value.empty() && value.front() == '"') value.erase(0, 1);
    if (!value.empty() && value.back() == '"') value.pop_back();
    return value;
}

std::string song_text(const std::string &value) {
    std::string v = unquoted(value);
    return clean_song_text(text_as_utf8(v.data(), v.size()));
}

// One line of [Song].
bool song_line(TickChart &chart, const std::string &key, const std::string &value,
               std::string &reason) {
    std::string k = ascii_lower(key);
    long long whole = 0;
    double seconds = 0;
    if (k == "resolution") {
        if (!parse_whole(unquoted(value), 1, 65535, whole)) {
            reason = "bad resolution";
            return false;
        }
        chart.tempo.resolution = static_cast<uint32_t>(whole);
    } else if (k == "offset") {
        if (!parse_decimal(unquoted(value), seconds) || std::fabs(seconds) > 3600) {
            reason = "bad offset";
            return false;
        }
        chart.offset_ms = seconds * 1000;
    } else if (k == "previewstart") {
        if (parse_decimal(unquoted(value), seconds) && seconds > 0 && seconds < 36000)
            chart.meta.preview_start_ms = std::llround(seconds * 1000);
    } else if (k == "name") {
        chart.meta.name = song_text(value);
    } else if (k == "artist") {
        chart.meta.artist = song_text(value);
    } else if (k == "album") {
        chart.meta.album = song_text(value);
    } else if (k == "genre") {
        chart.meta.genre = song_text(value);
    } else if (k == "charter") {
        chart.meta.charter = song_text(value);
    } else if (k == "year") {
        std::string v = unquoted(value);
        chart.meta.year = clean_song_year(text_as_utf8(v.data(), v.size()));
    }
    return true;
}

// One "tick = type ..." line of [SyncTrack], [Events] or a guitar section.
bool tick_line(TickChart &chart, Section section, int diff, uint64_t tick, const std::string &value,
               std::string &reason) {
    std::vector<std::string> w = words_of(value);
    if (w.empty()) return true;
    uint64_t a = 0, b = 0;
    if (section == SYNC && w[0] == "B") {
        // n is a thousandth of a beat per minute.
        if (w.size() < 2 || !parse_count(w[1], TICK_MAX, a) || a == 0 ||
            !tempo_in_range(60e9 / static_cast<double>(a))) {
            reason = "bad tempo";
            return false;
        }
        if (chart.tempo.tempos.size() >= TEMPO_CHANGES_MAX) {
            reason = "too many tempo changes";
            return false;
        }
        chart.tempo.tempos.push_back({tick, 60e9 / static_cast<double>(a), 0});
    } else if (section == SYNC && w[0] == "TS") {
        // A signature that cannot be one is left out: it changes no note's time.
        if (w.size() < 2 || !parse_count(w[1], 64, a) || a == 0) return true;
        if (w.size() >= 3 && !parse_count(w[2], 6, b)) return true;
        if (w.size() < 3) b = 2;
        if (chart.tempo.signatures.size() < TEMPO_CHANGES_MAX)
            chart.tempo.signatures.push_back({tick, static_cast<int>(a), 1 << b});
    } else if (section == EVENTS && w[0] == "E") {
        size_t at = value.find('E');
        add_chart_event(chart, tick, unquoted(trim(value.substr(at + 1))));
    } else if (section == GUITAR && w[0] == "N") {
        // Types 0-4 are the lanes, 7 an open note; 5 and 6 mark the notes of their tick
        // (hammer-on flip, tap) and other types belong to other games: neither is a note.
        if (w.size() < 2 || !parse_count(w[1], 255, a)) return true;
        if (w.size() >= 3 && !parse_count(w[2], TICK_MAX, b)) {
            reason = "bad sustain";
            return false;
        }
        if (a <= 4) return add_tick_note(chart, diff, tick, b, static_cast<int>(a) + 1, reason);
        if (a == 7) ++chart.open_notes[diff];
    }
    return true;
}

} // namespace

bool read_chart_text(const char *data, size_t size, TickChart &chart, std::string &reason) {
    if (size > CHART_FILE_MAX) {
        reason = "chart over 16 MB";
        return false;
    }
    std::string text(data, size);
    if (text.compare(0, 3, "\xEF\xBB\xBF") == 0) text.erase(0, 3);
    bool seen_section = false, in_body = false, header = false;
    Section section = OTHER;
    int diff = 0, line_number = 0;
    for (size_t pos = 0; pos < text.size();) {
        size_t end = text.find('\n', pos);
        if (end == std::string::npos) end = text.size();
        std::string line = trim(text.substr(pos, end - pos));
        pos = end + 1;
        ++line_number;
        if (!in_body) {
            if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
                std::string name = ascii_lower(line.substr(1, line.size() - 2));
                section = name == "song"        ? SONG
                          : name == "synctrack" ? SYNC
                          : name == "events"    ? EVENTS
                                                : OTHER;
                for (int d = 0; d < DIFF_COUNT; ++d)
                    if (name == guitar_sections[d]) section = GUITAR, diff = d;
                chart.has_guitar = chart.has_guitar || section == GUITAR;
                header = seen_section = true;
            } else if (line == "{" && header) {
                in_body = true;
            }
            continue;
        }
        if (line == "}") {
            in_body = header = false;
            continue;
        }
        size_t eq = line.find('=');
        if (section == OTHER || eq == std::string::npos) continue;
        std::string key = trim(line.substr(0, eq)), value = trim(line.substr(eq + 1));
        if (section == SONG) {
            if (!song_line(chart, key, value, reason)) return false;
            continue;
        }
        uint64_t tick = 0;
        if (!parse_count(key, TICK_MAX, tick)) {
            reason = "bad tick at line " + std::to_string(line_number);
            return false;
        }
        if (!tick_line(chart, section, diff, tick, value, reason)) {
            reason += " at line " + std::to_string(line_number);
            return false;
        }
    }
    if (!seen_section) {
        reason = "not a chart";
        return false;
    }
    if (in_body) {
        reason = "chart cut short";
        return false;
    }
    finish_tick_chart(chart);
    return true;
}
