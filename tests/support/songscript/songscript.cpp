// Scripts that place key events on song frames, from the charts.
#include "songscript.h"

#include "songs/catalogue.h"

#include <algorithm>
#include <cstdlib>
#include <map>
#include <utility>

std::string skip_intro() { return "tap LCTRL\ntap LCTRL\ntap LCTRL\ntap LCTRL\ntap LCTRL\n"; }

std::string keys_to_song(int song) {
    std::string keys = skip_intro() + "tap LCTRL\n"; // main menu: play
    if (song == TUTORIAL_INDEX) return keys + "tap DOWN\ntap DOWN\ntap LCTRL\n";
    keys += "tap DOWN\ntap LCTRL\n"; // play submenu: song selection
    for (int i = 0; i < song; ++i)
        keys += "tap RIGHT\n";
    return keys + "tap LCTRL\n";
}

std::string song_script(int song, int frame0, std::vector<FrameKey> keys, int last_frame,
                        int extra_ms) {
    std::string script = keys_to_song(song);
    long clock = 0;
    append_song_keys(script, clock, frame0, std::move(keys), last_frame, extra_ms);
    return script;
}

void append_song_keys(std::string &script, long &clock, int frame0, std::vector<FrameKey> keys,
                      int last_frame, int extra_ms) {
    std::stable_sort(keys.begin(), keys.end(), [](const FrameKey &a, const FrameKey &b) {
        return 50L * a.frame + a.shift_ms < 50L * b.frame + b.shift_ms;
    });
    for (const FrameKey &k : keys) {
        long at = frame0 + 50L * k.frame + k.shift_ms;
        if (at > clock) script += "wait " + std::to_string(at - clock) + "\n";
        clock = std::max(clock, at);
        script += k.cmd + " " + k.key + "\n";
    }
    long end = frame0 + 50L * last_frame + extra_ms + 1;
    if (end > clock) script += "wait " + std::to_string(end - clock) + "\n";
    clock = std::max(clock, end);
}

bool script_number(const char *text, int &out) {
    char *end = nullptr;
    long v = std::strtol(text, &end, 10);
    if (!*text || *end || v < 0 || v > 100000000) return false;
    out = static_cast<int>(v);
    return true;
}

int spawn_frame(int spawn_ms) { return (spawn_ms + 49) / 50; }

std::vector<ChartNote> notes_in_time(int song) {
    std::vector<ChartNote> out;
    const Chart *chart = chart_for_song(song);
    if (!chart) return out;
    out.assign(chart->notes, chart->notes + chart->count);
    std::stable_sort(out.begin(), out.end(), [](const ChartNote &a, const ChartNote &b) {
        return a.spawn != b.spawn ? a.spawn < b.spawn : a.lane < b.lane;
    });
    return out;
}

std::string lane_key(int lane) {
    static const char *const keys[5] = {"a", "s", "d", "f", "g"};
    return lane >= 1 && lane <= 5 ? keys[lane - 1] : "z";
}

int tap_each_note(const std::vector<ChartNote> &notes, std::vector<FrameKey> &keys) {
    int next_free = 0, missed = 0;
    int last_spawn[6] = {-1000, -1000, -1000, -1000, -1000, -1000}; // by lane
    for (const ChartNote &n : notes) {
        int s = spawn_frame(n.spawn);
        // While an earlier note of the lane still overlaps the target, a press finds that
        // one first: wait until it has gone.
        int lane = n.lane >= 1 && n.lane <= 5 ? n.lane : 0;
        int down = std::max({next_free, s + WINDOW_FIRST, last_spawn[lane] + FALL_OFF});
        last_spawn[lane] = s;
        if (down > s + WINDOW_LAST) {
            ++missed;
            continue;
        }
        keys.push_back({down, "down", lane_key(n.lane)});
        keys.push_back({down + 1, "up", lane_key(n.lane)});
        next_free = down + 2;
    }
    return missed;
}

std::vector<NoteWindow> note_windows(const std::vector<ChartNote> &notes) {
    std::vector<NoteWindow> out;
    int last_spawn[6] = {-1000, -1000, -1000, -1000, -1000, -1000}; // by lane
    for (const ChartNote &n : notes) {
        int s = spawn_frame(n.spawn);
        int lane = n.lane >= 1 && n.lane <= 5 ? n.lane : 0;
        // Two notes of a lane that fall together are one picture, which one press hits.
        int after = last_spawn[lane] == s ? s : last_spawn[lane] + FALL_OFF;
        out.push_back({std::max(s + WINDOW_FIRST, after), s + WINDOW_LAST, n.lane, s});
        last_spawn[lane] = s;
    }
    return out;
}

int tap_every_note(const std::vector<ChartNote> &notes, std::vector<FrameKey> &keys, int &chords) {
    using Need = NoteWindow;
    std::vector<Need> needs = note_windows(notes);
    std::stable_sort(needs.begin(), needs.end(), [](const Need &a, const Need &b) {
        return a.last != b.last ? a.last < b.last : a.first < b.first;
    });

    struct Press {
        std::vector<int> lanes; // the first key-down's lane, then one per following frame
        int up;                 // frame of the release
    };
    std::map<int, Press> presses; // by frame of the first key-down
    std::map<int, bool> busy;     // frames that take an event
    int missed = 0;
    chords = 0;
    for (const Need &n : needs) {
        bool placed = false;
        for (int f = n.first; f <= n.last && !placed; ++f) {
            if (busy[f] || busy[f + 1]) continue;
            busy[f] = busy[f + 1] = true;
            presses[f] = {{n.lane}, f + 1};
            placed = true;
        }
        for (auto &[down, p] : presses) {
            if (placed) break;
            if (p.up < n.first || p.up > n.last || busy[p.up + 1]) continue;
            p.lanes.push_back(n.lane);
            busy[++p.up] = true;
            placed = true;
            ++chords;
        }
        missed += !placed;
    }
    for (const auto &[down, p] : presses) {
        for (size_t i = 0; i < p.lanes.size(); ++i)
            keys.push_back({down + static_cast<int>(i), "down", lane_key(p.lanes[i])});
        keys.push_back({p.up, "up", lane_key(p.lanes.front())});
    }
    return missed;
}

namespace {

// Key events laid one per frame, each on the first frame after the one laid before.
struct Layer {
    std::vector<FrameKey> &keys;
    int next = 0; // the first frame left

    // A key-down inside its note's window; false, laying nothing, when the window is past.
    bool down(const NoteWindow &w) {
        int at = std::max(next, w.first);
        if (at > w.last) return false;
        keys.push_back({at, "down", lane_key(w.lane)});
        next = at + 1;
        return true;
    }
    void up(int lane) { keys.push_back({next++, "up", lane_key(lane)}); }
};

// The notes in time order grouped by spawn frame, one per lane: notes that fall together
// are a chord, and two of one lane that fall together are one picture, hit by one press.
std::vector<std::vector<NoteWindow>> chords_of(const std::vector<ChartNote> &notes) {
    std::vector<std::vector<NoteWindow>> out;
    for (const NoteWindow &w : note_windows(notes)) {
        if (out.empty() || out.back().front().spawn_frame != w.spawn_frame) out.emplace_back();
        std::vector<NoteWindow> &chord = out.back();
        if (std::none_of(chord.begin(), chord.end(),
                         [&](const NoteWindow &c) { return c.lane == w.lane; }))
            chord.push_back(w);
    }
    // A chord's keys go down in the order their windows open: a lane whose note before
    // still crosses the target comes last.
    for (std::vector<NoteWindow> &chord : out)
        std::stable_sort(chord.begin(), chord.end(), [](const NoteWindow &a, const NoteWindow &b) {
            return a.first < b.first;
        });
    return out;
}

// One chord of a rolled play, `held` being the key still down from the press before. Each
// key is let go a frame after the next one goes down; a key pressed again is let go first,
// and so, with `release_first`, is the held key before the chord's first key.
bool roll(Layer &layer, const std::vector<NoteWindow> &chord, int &held, bool release_first) {
    for (size_t i = 0; i < chord.size(); ++i) {
        if (held && (held == chord[i].lane || (i == 0 && release_first))) {
            layer.up(held);
            held = 0;
        }
        if (!layer.down(chord[i])) return false;
        if (held) layer.up(held);
        held = chord[i].lane;
    }
    return true;
}

} // namespace

int press_chords_held(const std::vector<ChartNote> &notes, std::vector<FrameKey> &keys) {
    Layer layer{keys};
    int missed = 0;
    for (const std::vector<NoteWindow> &chord : chords_of(notes)) {
        std::vector<int> down;
        for (const NoteWindow &w : chord) {
            if (layer.down(w))
                down.push_back(w.lane);
            else
                ++missed;
        }
        for (int lane : down)
            layer.up(lane);
    }
    return missed;
}

int press_rolled(const std::vector<ChartNote> &notes, std::vector<FrameKey> &keys) {
    Layer layer{keys};
    int missed = 0, held = 0; // the key down from the press before, 0 for none
    for (const std::vector<NoteWindow> &chord : chords_of(notes)) {
        const size_t laid = keys.size();
        const int next = layer.next, was_held = held;
        if (roll(layer, chord, held, false)) continue;
        // The chord does not fit behind the held key's release: let that key go first.
        keys.resize(laid);
        layer.next = next;
        held = was_held;
        if (!roll(layer, chord, held, true)) missed += static_cast<int>(chord.size());
    }
    if (held) layer.up(held);
    return missed;
}

std::vector<ChartNote> let_one_in_ten_fall(const std::vector<ChartNote> &notes, int &left) {
    // A chord's key goes down in its note's window (spawn frame + 19..22) and is let go
    // within 5 frames: a note with no other of its lane within 8 spawn frames is never
    // under a key of its lane while it crosses the target, so it falls unhit.
    const int reach = 8;
    auto alone = [&](size_t i) {
        int s = spawn_frame(notes[i].spawn);
        for (size_t j = 0; j < notes.size(); ++j)
            if (j != i && notes[j].lane == notes[i].lane &&
                std::abs(spawn_frame(notes[j].spawn) - s) <= reach)
                return false;
        return true;
    };
    std::vector<ChartNote> kept;
    left = 0;
    for (size_t block = 0; block < notes.size(); block += 10) {
        bool falls = block + 10 > notes.size(); // a last part of fewer than ten keeps all
        for (size_t i = block; i < std::min(block + 10, notes.size()); ++i) {
            if (!falls && alone(i)) {
                falls = true;
                ++left;
            } else {
                kept.push_back(notes[i]);
            }
        }
    }
    return kept;
}

std::string results_script(int song, int frame0, const std::vector<FrameKey> &keys,
                           const std::string &shot) {
    const SongEntry *entry = song_entry(song);
    const int end = entry ? entry->end_ms : 0;
    // The win banner shows for 2 s from the song's end, then the results for 4 s: a shot
    // due a second into the banner saves the results screen.
    return song_script(song, frame0, keys, end / 50, 1000) + "shot " + shot + "\nwait 1500\n";
}
