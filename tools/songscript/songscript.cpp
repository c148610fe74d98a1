// Scripts that place key events on song frames, from the charts.
#include "songscript.h"

#include <algorithm>
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

int tap_every_note(const std::vector<ChartNote> &notes, std::vector<FrameKey> &keys, int &chords) {
    struct Need {
        int first, last; // frames the key-down may take
        int lane;
    };
    std::vector<Need> needs;
    int last_spawn[6] = {-1000, -1000, -1000, -1000, -1000, -1000}; // by lane
    for (const ChartNote &n : notes) {
        int s = spawn_frame(n.spawn);
        int lane = n.lane >= 1 && n.lane <= 5 ? n.lane : 0;
        // Two notes of a lane that fall together are one picture: a second press in the same
        // window hits them a second time.
        int after = last_spawn[lane] == s ? s : last_spawn[lane] + FALL_OFF;
        needs.push_back({std::max(s + WINDOW_FIRST, after), s + WINDOW_LAST, n.lane});
        last_spawn[lane] = s;
    }
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
