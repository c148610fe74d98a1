// Standard MIDI Files: chunks, track events with the running status real files use, and
// the guitar track's notes by pitch.
#include "songs/midifile.h"

#include "songs/songtext.h"

#include <algorithm>
#include <vector>

namespace {

// One event of a track; `data` points into the file.
struct MidiEvent {
    uint64_t tick;
    uint8_t status;    // 0x80..0xEF channel message, 0xF0/0xF7 SysEx, 0xFF meta
    uint8_t meta_type; // meta events only
    const uint8_t *data;
    uint32_t length;
};

struct Track {
    const uint8_t *data;
    size_t size;
};

uint32_t big_endian(const uint8_t *p, int bytes) {
    uint32_t v = 0;
    for (int i = 0; i < bytes; ++i)
        v = v << 8 | p[i];
    return v;
}

// A variable-length quantity of at most four bytes at p[pos].
bool read_vlq(const uint8_t *p, size_t size, size_t &pos, uint32_t &out, std::string &reason) {
    uint32_t v = 0;
    for (int i = 0; i < 4; ++i) {
        if (pos >= size) {
            reason = "chart cut short";
            return false;
        }
        uint8_t b = p[pos++];
        v = v << 7 | (b & 0x7F);
        if (!(b & 0x80)) {
            out = v;
            return true;
        }
    }
    reason = "bad MIDI number";
    return false;
}

// Calls `on_event` for every event of `track` up to its end event. Running status goes on
// after meta and SysEx events, as real files need.
template <typename F> bool walk_track(const Track &track, F &&on_event, std::string &reason) {
    const uint8_t *p = track.data;
    size_t size = track.size, pos = 0;
    uint64_t tick = 0;
    uint8_t running = 0;
    while (pos < size) {
        uint32_t delta = 0, length = 0;
        if (!read_vlq(p, size, pos, delta, reason)) return false;
        tick += delta;
        if (pos >= size) break; // a delta with no event behind it: the track is over
        uint8_t status = p[pos];
        if (status >= 0x80)
            ++pos;
        else if (running)
            status = running;
        else {
            reason = "bad MIDI event";
            return false;
        }
        MidiEvent e = {tick, status, 0, nullptr, 0};
        if (status == 0xFF) {
            if (pos >= size) break;
            e.meta_type = p[pos++];
            if (!read_vlq(p, size, pos, length, reason)) return false;
        } else if (status == 0xF0 || status == 0xF7) {
            if (!read_vlq(p, size, pos, length, reason)) return false;
        } else if (status > 0xF0) {
            reason = "bad MIDI event";
            return false;
        } else {
            running = status;
            uint8_t kind = status & 0xF0;
            length = kind == 0xC0 || kind == 0xD0 ? 1 : 2;
        }
        if (length > size - pos) {
            reason = "chart cut short";
            return false;
        }
        e.data = p + pos;
        e.length = length;
        pos += length;
        if (status == 0xFF && e.meta_type == 0x2F) break;
        on_event(e);
    }
    return true;
}

std::string event_text(const MidiEvent &e) {
    return std::string(reinterpret_cast<const char *>(e.data), e.length);
}

// The name a track gives itself first, or "". A track broken further on still has its
// name: only the tracks read for the song must be whole.
std::string track_name(const Track &track) {
    std::string name, ignored;
    bool named = false;
    walk_track(
        track,
        [&](const MidiEvent &e) {
            if (!named && e.status == 0xFF && e.meta_type == 0x03) {
                name = trim(event_text(e));
                named = true;
            }
        },
        ignored);
    return name;
}

// The tempo changes and time signatures of the tempo track.
bool read_tempo_track(const Track &track, TickChart &chart, std::string &reason) {
    bool ok = true;
    bool walked = walk_track(
        track,
        [&](const MidiEvent &e) {
            if (!ok || e.status != 0xFF) return;
            if (e.meta_type == 0x51 && e.length >= 3) {
                double us = big_endian(e.data, 3);
                if (!tempo_in_range(us)) {
                    reason = "bad tempo";
                    ok = false;
                } else if (chart.tempo.tempos.size() >= TEMPO_CHANGES_MAX) {
                    reason = "too many tempo changes";
                    ok = false;
                } else {
                    chart.tempo.tempos.push_back({e.tick, us, 0});
                }
            } else if (e.meta_type == 0x58 && e.length >= 2 && e.data[0] > 0 && e.data[1] <= 6 &&
                       chart.tempo.signatures.size() < TEMPO_CHANGES_MAX) {
                chart.tempo.signatures.push_back({e.tick, e.data[0], 1 << e.data[1]});
            }
        },
        reason);
    return walked && ok;
}

// Ticks [start, end) in which a SysEx phrase turns the green notes of one difficulty
// into open notes.
struct Phrase {
    uint64_t start, end;
};

// The guitar track: notes by pitch, open notes (the pitch below green when the track
// asks for them with [ENHANCED_OPENS], and green notes inside open phrases).
bool read_guitar_track(const Track &track, long long cutoff, TickChart &chart,
                       std::string &reason) {
    const uint64_t NOT_ON = UINT64_MAX;
    std::vector<uint64_t> on_since(128, NOT_ON);
    std::vector<Phrase> open_phrases[DIFF_COUNT];
    uint64_t phrase_on[DIFF_COUNT];
    std::fill(phrase_on, phrase_on + DIFF_COUNT, NOT_ON);
    int open_pitch_notes[DIFF_COUNT] = {};
    bool enhanced_opens = false, ok = true;

    auto note_ends = [&](int pitch, uint64_t tick) {
        uint64_t start = on_since[pitch];
        on_since[pitch] = NOT_ON;
        for (int d = 0; d < DIFF_COUNT && ok; ++d) {
            int lane = pitch - (60 + 12 * d) + 1;
            if (lane == 0) ++open_pitch_notes[d];
            if (lane < 1 || lane > 5) continue;
            uint64_t length = tick - start;
            bool plain = cutoff < 0 ? length * 3 < chart.tempo.resolution
                                    : length < static_cast<uint64_t>(cutoff);
            ok = add_tick_note(chart, d, start, plain ? 0 : length, lane, reason);
        }
    };
    auto phrase = [&](const MidiEvent &e) {
        // 'P' 'S' 0 0 difficulty type on/off: type 1 is an open-note phrase; difficulty
        // 0xFF means all four.
        const uint8_t *s = e.data;
        if (e.length < 7 || s[0] != 'P' || s[1] != 'S' || s[2] || s[3] || s[5] != 1) return;
        for (int d = 0; d < DIFF_COUNT; ++d) {
            if (s[4] != d && s[4] != 0xFF) continue;
            if (s[6] && phrase_on[d] == NOT_ON) {
                phrase_on[d] = e.tick;
            } else if (!s[6] && phrase_on[d] != NOT_ON) {
                if (open_phrases[d].size() < NOTES_MAX)
                    open_phrases[d].push_back({phrase_on[d], e.tick});
                phrase_on[d] = NOT_ON;
            }
        }
    };
    bool walked = walk_track(
        track,
        [&](const MidiEvent &e) {
            uint8_t kind = e.status & 0xF0;
            if (!ok) return;
            if (e.status == 0xFF && e.meta_type == 0x01) {
                std::string text = event_text(e);
                enhanced_opens =
                    enhanced_opens || text == "[ENHANCED_OPENS]" || text == "ENHANCED_OPENS";
            } else if (e.status == 0xF0 || e.status == 0xF7) {
                phrase(e);
            } else if (kind == 0x90 || kind == 0x80) {
                int pitch = e.data[0] & 0x7F;
                bool on = kind == 0x90 && (e.data[1] & 0x7F) > 0;
                // A second note-on of a sounding pitch ends the first; a note-off of a silent
                // pitch is nothing.
                if (on_since[pitch] != NOT_ON) note_ends(pitch, e.tick);
                if (on) on_since[pitch] = e.tick;
            }
        },
        reason);
    if (!walked) return false;
    // A note never ended is a plain note.
    for (int pitch = 0; pitch < 128 && ok; ++pitch)
        if (on_since[pitch] != NOT_ON) note_ends(pitch, on_since[pitch]);
    if (!ok) return false;
    for (int d = 0; d < DIFF_COUNT; ++d) {
        if (enhanced_opens) chart.open_notes[d] += open_pitch_notes[d];
        std::vector<Phrase> &phrases = open_phrases[d];
        if (phrase_on[d] != NOT_ON) phrases.push_back({phrase_on[d], UINT64_MAX});
        if (phrases.empty()) continue;
        // Overlapping phrases joined, so a note's phrase is the last one starting at or
        // before it.
        std::sort(phrases.begin(), phrases.end(),
                  [](const Phrase &a, const Phrase &b) { return a.start < b.start; });
        std::vector<Phrase> joined;
        for (const Phrase &p : phrases) {
            if (!joined.empty() && p.start <= joined.back().end)
                joined.back().end = std::max(joined.back().end, p.end);
            else
                joined.push_back(p);
        }
        std::vector<TickNote> kept;
        for (const TickNote &n : chart.notes[d]) {
            auto after = std::upper_bound(joined.begin(), joined.end(), n.tick,
                                          [](uint64_t t, const Phrase &p) { return t < p.start; });
            if (n.lane == 1 && after != joined.begin() && n.tick < (after - 1)->end)
                ++chart.open_notes[d];
            else
                kept.push_back(n);
        }
        chart.notes[d] = std::move(kept);
    }
    return true;
}

bool is_other_part(const std::string &name) {
    return name.compare(0, 5, "PART ") == 0 || name == "EVENTS" || name == "BEAT" ||
           name == "VENUE";
}

} // namespace

bool read_midi(const uint8_t *data, size_t size, long long cutoff_ticks, TickChart &chart,
               std::string &reason) {
    if (size > CHART_FILE_MAX) {
        reason = "chart over 16 MB";
        return false;
    }
    if (size < 4 || big_endian(data, 4) != 0x4D546864) { // "MThd"
        reason = "not a MIDI file";
        return false;
    }
    if (size < 14) {
        reason = "chart cut short";
        return false;
    }
    uint32_t header = big_endian(data + 4, 4);
    int format = static_cast<int>(big_endian(data + 8, 2));
    uint32_t division = big_endian(data + 12, 2);
    if (header < 6 || header > size - 8) {
        reason = header < 6 ? "not a MIDI file" : "chart cut short";
        return false;
    }
    if (format > 1) {
        reason = "MIDI format " + std::to_string(format) + " not supported";
        return false;
    }
    if (division & 0x8000) {
        reason = "MIDI frame timing not supported";
        return false;
    }
    if (division == 0) {
        reason = "bad resolution";
        return false;
    }
    chart.tempo.resolution = division;

    std::vector<Track> tracks;
    for (size_t pos = 8 + header; pos < size;) {
        if (size - pos < 8) {
            reason = "chart cut short";
            return false;
        }
        uint32_t length = big_endian(data + pos + 4, 4);
        if (length > size - pos - 8) {
            reason = "chart cut short";
            return false;
        }
        if (big_endian(data + pos, 4) == 0x4D54726B) { // "MTrk"; other chunks are skipped
            if (tracks.size() >= MIDI_TRACKS_MAX) {
                reason = "too many MIDI tracks";
                return false;
            }
            tracks.push_back({data + pos + 8, length});
        }
        pos += 8 + static_cast<size_t>(length);
    }
    if (tracks.empty()) {
        reason = "chart cut short";
        return false;
    }
    if (!read_tempo_track(tracks[0], chart, reason)) return false;

    std::vector<std::string> names(tracks.size());
    for (size_t i = 1; i < tracks.size(); ++i)
        names[i] = track_name(tracks[i]);
    auto named = [&](const char *name) {
        auto found = std::find(names.begin() + 1, names.end(), name);
        return found == names.end() ? -1 : static_cast<int>(found - names.begin());
    };
    // Sections and the end: a broken event track keeps those read before the break.
    int events = named("EVENTS");
    std::string ignored;
    if (events > 0)
        walk_track(
            tracks[events],
            [&](const MidiEvent &e) {
                if (e.status == 0xFF && e.meta_type == 0x01)
                    add_chart_event(chart, e.tick, event_text(e));
            },
            ignored);
    // The lead guitar: "PART GUITAR", else "T1 GEMS", else an old file's second track when
    // it names no other part; the one track of a format 0 file.
    int guitar = format == 0 ? 0 : named("PART GUITAR");
    if (guitar < 0) guitar = named("T1 GEMS");
    if (guitar < 0 && tracks.size() > 1 && !is_other_part(names[1])) guitar = 1;
    if (guitar >= 0) {
        chart.has_guitar = true;
        if (!read_guitar_track(tracks[guitar], cutoff_ticks, chart, reason)) return false;
    }
    finish_tick_chart(chart);
    return true;
}
