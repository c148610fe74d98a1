// Riff notation, variations and the grid-event buffer that the song plans write into.
#include "phrase.h"

#include <cstdio>
#include <cstdlib>

int lane_count(LaneSet lanes) {
    int n = 0;
    for (; lanes; lanes &= lanes - 1)
        n++;
    return n;
}

int lowest_lane(LaneSet lanes) {
    for (int l = 1; l <= 5; l++)
        if (lanes & lane_bit(l)) return l;
    return 0;
}

int highest_lane(LaneSet lanes) {
    for (int l = 5; l >= 1; l--)
        if (lanes & lane_bit(l)) return l;
    return 0;
}

static LaneSet lanes_of(char c) {
    switch (c) {
    case '1':
        return lane_bit(1);
    case '2':
        return lane_bit(2);
    case '3':
        return lane_bit(3);
    case '4':
        return lane_bit(4);
    case '5':
        return lane_bit(5);
    case 'a':
        return lane_bit(1) | lane_bit(2);
    case 'b':
        return lane_bit(2) | lane_bit(3);
    case 'c':
        return lane_bit(3) | lane_bit(4);
    case 'd':
        return lane_bit(1) | lane_bit(3);
    case 'e':
        return lane_bit(2) | lane_bit(4);
    case 'f':
        return lane_bit(1) | lane_bit(4);
    case 'g':
        return lane_bit(4) | lane_bit(5);
    case 'h':
        return lane_bit(3) | lane_bit(5);
    default:
        return 0;
    }
}

Riff riff(const char *text) {
    Riff r;
    for (const char *p = text; *p; p++) {
        if (*p == ' ' || *p == '|') continue;
        LaneSet lanes = lanes_of(*p);
        if (!lanes && *p != '.') {
            // A typo in a plan must not silently change a chart.
            std::fprintf(stderr, "chartcomposer: bad riff character '%c' in \"%s\"\n", *p, text);
            std::exit(2);
        }
        if (lanes) r.hits.push_back({r.length, lanes});
        r.length++;
    }
    return r;
}

static LaneSet shift_set(LaneSet lanes, int delta, int max_lane) {
    LaneSet out = 0;
    for (int l = 1; l <= 5; l++) {
        if (!(lanes & lane_bit(l))) continue;
        int m = l + delta;
        if (m < 1 || m > max_lane) return lanes; // does not fit: keep the hit where it was
        out |= lane_bit(m);
    }
    return out;
}

Riff shifted(const Riff &r, int delta, int max_lane) {
    Riff out = r;
    for (Hit &h : out.hits)
        h.lanes = shift_set(h.lanes, delta, max_lane);
    return out;
}

Riff mirrored(const Riff &r, int max_lane) {
    Riff out = r;
    for (Hit &h : out.hits) {
        LaneSet m = 0;
        for (int l = 1; l <= max_lane; l++)
            if (h.lanes & lane_bit(l)) m |= lane_bit(max_lane + 1 - l);
        h.lanes = m;
    }
    return out;
}

Riff joined(const Riff &a, const Riff &b) {
    Riff out = a;
    for (const Hit &h : b.hits)
        out.hits.push_back({h.step + a.length, h.lanes});
    out.length = a.length + b.length;
    return out;
}

Riff with_ending(const Riff &r, const Riff &ending) {
    if (ending.length >= r.length) return ending;
    int cut = r.length - ending.length;
    Riff out;
    out.length = r.length;
    for (const Hit &h : r.hits)
        if (h.step < cut) out.hits.push_back(h);
    for (const Hit &h : ending.hits)
        out.hits.push_back({h.step + cut, h.lanes});
    return out;
}

Riff accented(const Riff &r, int step, LaneSet extra) {
    Riff out = r;
    for (Hit &h : out.hits) {
        if (h.step == step) {
            h.lanes |= extra;
            return out;
        }
    }
    out.hits.push_back({step, extra});
    return out;
}

Riff without_lane(const Riff &r, int lane) {
    Riff out;
    out.length = r.length;
    for (const Hit &h : r.hits) {
        LaneSet rest = h.lanes & ~lane_bit(lane);
        if (rest) out.hits.push_back({h.step, rest});
    }
    return out;
}

uint32_t Rng::next() {
    // xorshift32
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return state_;
}

int Rng::below(int n) { return n > 0 ? int(next() % uint32_t(n)) : 0; }

bool Rng::chance(int percent) { return below(100) < percent; }

Riff thinned(const Riff &r, Rng &rng, int drop_percent, int steps_per_beat) {
    Riff out;
    out.length = r.length;
    for (size_t i = 0; i < r.hits.size(); i++) {
        const Hit &h = r.hits[i];
        bool keep = i == 0 || h.step % steps_per_beat == 0 || lane_count(h.lanes) > 1 ||
                    !rng.chance(drop_percent);
        if (keep) out.hits.push_back(h);
    }
    return out;
}

void Composition::add(int step, LaneSet lanes) {
    if (lanes) events_[step] |= lanes;
}

void Composition::remove(int step, LaneSet lanes) {
    auto it = events_.find(step);
    if (it == events_.end()) return;
    it->second &= ~lanes;
    if (!it->second) events_.erase(it);
}

void Composition::play(const Riff &r, int step) {
    for (const Hit &h : r.hits)
        add(step + h.step, h.lanes);
}

void Composition::play_bars(const Riff &loop, int first_bar, int end_bar, const Riff *turn,
                            int phrase_bars) {
    if (loop.length <= 0 || end_bar <= first_bar) return;
    int spb = steps_per_bar();
    for (int bar = first_bar; bar < end_bar; bar += phrase_bars) {
        int bars = end_bar - bar < phrase_bars ? end_bar - bar : phrase_bars;
        // The phrase: the loop repeated over its bars, cut to length, then the turn.
        Riff phrase;
        phrase.length = bars * spb;
        for (int at = 0; at < phrase.length; at += loop.length)
            for (const Hit &h : loop.hits)
                if (at + h.step < phrase.length) phrase.hits.push_back({at + h.step, h.lanes});
        if (turn) phrase = with_ending(phrase, *turn);
        play(phrase, bar_step(bar));
    }
}

int section_end_bar(const SongStyle &style, int i) {
    if (i + 1 < style.section_count) return style.sections[i + 1].start_bar;
    double bar_ms = style.beats_per_bar * beat_ms(style);
    return int((style.end_ms() - style.grid_origin_ms) / bar_ms) + 1;
}
