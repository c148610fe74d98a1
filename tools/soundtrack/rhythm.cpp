// Drums and bass: the song's groove on its beat grid, with fills and crashes where parts change.
#include "parts.h"

#include "timing.h"

#include <algorithm>
#include <cmath>

namespace soundtrack {

namespace {

long positive_mod(long a, long b) { return ((a % b) + b) % b; }

double midi_hz(double midi) { return 440.0 * std::pow(2.0, (midi - 69.0) / 12.0); }

struct Grid {
    double beat_ms;
    double bar_ms;
    double origin_ms;
    int beats;
    double swing;

    // Heard time of sixteenth `step` (0..3, fractions allowed) of `beat` in `bar`; with a
    // shuffle the off-beat eighth moves to `swing` of the beat.
    double time(long bar, int beat, double step) const {
        double frac = step / 4.0;
        if (swing != 0.5)
            frac = frac < 0.5 ? frac * 2.0 * swing : swing + (frac - 0.5) * 2.0 * (1.0 - swing);
        return origin_ms + bar * bar_ms + (beat + frac) * beat_ms;
    }
    long bar_of(double ms) const {
        return static_cast<long>(std::floor((ms - origin_ms) / bar_ms));
    }
};

// Drum and bass events of one beat of the groove (sixteenth steps 0..3 within the beat).
struct BeatWriter {
    const Grid &grid;
    std::vector<DrumHit> &hits;
    std::vector<BassNote> &bass;
    long bar;
    int beat;
    int root;       // midi note of the bar's bass root
    float loudness; // of the drums, by the energy of the part

    double at(double step) const { return grid.time(bar, beat, step); }
    void drum(Drum d, double step, float gain) { hits.push_back({d, at(step), gain * loudness}); }
    void note(double step, int midi, double length_steps, double legato = 0.85) {
        bass.push_back({at(step), midi, grid.beat_ms * length_steps / 4.0 * legato});
    }
};

void full_beat(Groove groove, BeatWriter &w, bool drums) {
    const int k = w.beat, n = w.grid.beats;
    const bool backbeat = k % 2 == 1;
    switch (groove) {
    case Groove::Drive:
        if (drums) {
            w.drum(Drum::Hat, 0, 0.2f);
            w.drum(Drum::Hat, 2, 0.13f);
            if (backbeat)
                w.drum(Drum::Snare, 0, 0.55f);
            else
                w.drum(Drum::Kick, 0, 0.75f);
            if (k == 2) w.drum(Drum::Kick, 2, 0.6f);
        }
        w.note(0, w.root, 2);
        w.note(2, k == n - 1 ? w.root + 12 : w.root, 2);
        break;
    case Groove::Rock:
        if (drums) {
            w.drum(Drum::Hat, 0, 0.2f);
            w.drum(Drum::OpenHat, 2, 0.12f);
            if (backbeat)
                w.drum(Drum::Snare, 0, 0.6f);
            else
                w.drum(Drum::Kick, 0, 0.75f);
            if (k == n - 2 && !backbeat) w.drum(Drum::Kick, 2, 0.55f);
        }
        w.note(0, k == 2 ? w.root + 7 : w.root, 4, 0.9);
        break;
    case Groove::Thrash:
        if (drums) {
            w.drum(Drum::Ride, 0, 0.16f);
            w.drum(Drum::Ride, 2, 0.1f);
            w.drum(Drum::Kick, 0, 0.6f);
            w.drum(Drum::Kick, 2, 0.5f);
            if (backbeat) w.drum(Drum::Snare, 0, 0.6f);
        }
        w.note(0, w.root, 2, 0.7);
        w.note(2, k % 2 == 0 ? w.root + 12 : w.root, 2, 0.7);
        break;
    case Groove::Gallop:
        if (drums) {
            w.drum(Drum::Hat, 0, 0.18f);
            w.drum(Drum::Kick, 0, 0.65f);
            w.drum(Drum::Kick, 2, 0.45f);
            w.drum(Drum::Kick, 3, 0.45f);
            if (backbeat) w.drum(Drum::Snare, 0, 0.6f);
        }
        w.note(0, w.root, 2, 0.8);
        w.note(2, w.root, 1, 0.8);
        w.note(3, w.root, 1, 0.8);
        break;
    case Groove::Heavy:
        if (drums) {
            w.drum(Drum::Ride, 0, 0.18f);
            if (k == 0) w.drum(Drum::Kick, 0, 0.8f);
            if (k == 1) w.drum(Drum::Kick, 2, 0.65f);
            if (k == n / 2) w.drum(Drum::Snare, 0, 0.7f);
            if (k == n - 1) w.drum(Drum::Kick, 2, 0.5f);
        }
        if (k == 0) w.note(0, w.root, 4.0 * (n / 2), 0.95);
        if (k == n / 2) w.note(0, k % 2 == 0 ? w.root : w.root + 7, 4.0 * (n - n / 2), 0.95);
        break;
    case Groove::Simple:
        if (drums) {
            w.drum(Drum::Hat, 0, 0.12f);
            w.drum(Drum::Hat, 2, 0.08f);
            if (backbeat)
                w.drum(Drum::Snare, 0, 0.4f);
            else
                w.drum(Drum::Kick, 0, 0.6f);
        }
        if (k % 2 == 0) w.note(0, k == 2 ? w.root + 7 : w.root, 8, 0.9);
        break;
    }
}

// A sparse part: time kept on the cymbal, the bass holding the root.
void quiet_beat(Groove groove, BeatWriter &w, bool drums) {
    const bool ride = groove == Groove::Thrash || groove == Groove::Heavy;
    if (drums) {
        w.drum(ride ? Drum::Ride : Drum::Hat, 0, 0.14f);
        if (w.beat == 0) w.drum(Drum::Kick, 0, 0.6f);
    }
    if (w.beat == 0) w.note(0, w.root, 4.0 * w.grid.beats, 0.95);
}

const Drum kToms[4] = {Drum::TomHigh, Drum::TomMid, Drum::TomLow, Drum::TomFloor};

// The last beats before a new part (or every eighth bar): toms down the kit (snare for the gentle
// groove).
void fill(Groove groove, BeatWriter &w, int fill_beats) {
    if (groove == Groove::Simple) {
        w.drum(Drum::Snare, 0, 0.35f);
        w.drum(Drum::Snare, 2, 0.4f);
        return;
    }
    const int first = w.grid.beats - fill_beats;
    for (int step = 0; step < 4; ++step) {
        if (groove == Groove::Heavy && step % 2 == 1) continue; // eighths in half time
        const int q = (w.beat - first) * 4 + step;
        const int tom = std::clamp(q * 4 / (fill_beats * 4), 0, 3);
        w.drum(kToms[tom], step, step == 0 ? 0.6f : 0.5f);
    }
}

std::vector<Partial> bass_partials(Groove groove) {
    std::vector<Partial> p;
    // Saw-like, the bright songs with more of the upper partials.
    const bool bright = groove == Groove::Thrash || groove == Groove::Drive;
    for (int h = 1; h <= 12; ++h)
        p.push_back({static_cast<double>(h),
                     (bright ? 1.0f : 0.8f) / static_cast<float>(h) * (h == 1 ? 1.25f : 1.0f),
                     static_cast<float>(h) * (bright ? 1.5f : 3.0f)});
    return p;
}

// Index in `parts` of the part that holds `bar`; -1 before the first part.
int part_at(const std::vector<SongPart> &parts, long bar) {
    int found = -1;
    for (size_t i = 0; i < parts.size(); ++i)
        if (parts[i].start_bar <= bar) found = static_cast<int>(i);
    return found;
}

const std::array<int, 4> &chords_of(const SongSound &song, PartKind kind) {
    if (kind == PartKind::Chorus) return song.chorus_chords;
    if (kind == PartKind::Bridge) return song.bridge_chords;
    return song.verse_chords;
}

} // namespace

RhythmEvents rhythm_events(const SongSound &song) {
    RhythmEvents ev;
    if (song.bpm <= 0.0 || song.beats_per_bar <= 0) return ev;
    Grid grid;
    grid.beat_ms = 60000.0 / song.bpm;
    grid.bar_ms = grid.beat_ms * song.beats_per_bar;
    grid.origin_ms = song.origin_ms;
    grid.beats = song.beats_per_bar;
    grid.swing = song.swing > 0.0 && song.swing < 1.0 ? song.swing : 0.5;
    std::vector<DrumHit> &hits = ev.drums;
    std::vector<BassNote> &bass = ev.bass;

    // The last hit falls on the first beat at or after the end time.
    const long end_bar = grid.bar_of(song.end_ms);
    double final_ms = grid.time(end_bar, 0, 0);
    for (int b = 0; b <= grid.beats; ++b) {
        final_ms = grid.time(end_bar, b, 0);
        if (final_ms >= song.end_ms - 1e-6) break;
    }
    ev.final_ms = final_ms;

    // Count-in on the closed hi-hat over whatever of the bar before bar 0 fits in the file.
    for (int beat = 0; beat < grid.beats; ++beat) {
        const double t = grid.time(-1, beat, 0);
        if (t >= kOutputLatencyMs + 20.0) hits.push_back({Drum::Hat, t, 0.25f});
    }

    const int fill_beats = song.groove == Groove::Heavy ? 2 : 1;
    for (long bar = 0; bar <= end_bar; ++bar) {
        const int p = part_at(song.parts, bar);
        if (p < 0) continue;
        const SongPart &part = song.parts[static_cast<size_t>(p)];
        if (part.energy <= 0) continue;
        const bool last_part = static_cast<size_t>(p) + 1 == song.parts.size();
        const bool part_ends =
            !last_part && song.parts[static_cast<size_t>(p) + 1].start_bar == bar + 1;
        const long in_part = bar - part.start_bar; // bars since the part began
        const bool fill_bar =
            bar < end_bar && (part_ends || (part.energy >= 2 && (in_part + 1) % 8 == 0));
        const int root = song.bass_tonic +
                         chords_of(song, part.kind)[static_cast<size_t>(positive_mod(in_part, 4))];
        const float loudness = part.energy >= 3 ? 1.15f : 1.0f;

        for (int beat = 0; beat < grid.beats; ++beat) {
            if (grid.time(bar, beat, 0) >= final_ms - 1e-6) break;
            BeatWriter w{grid, hits, bass, bar, beat, root, loudness};
            const bool in_fill = fill_bar && beat >= grid.beats - fill_beats;
            if (part.energy >= 2)
                full_beat(song.groove, w, !in_fill);
            else
                quiet_beat(song.groove, w, !in_fill);
            if (in_fill) fill(song.groove, w, fill_beats);
            if (beat == 0 && part.energy >= 2 &&
                (in_part == 0 || (part.energy >= 3 && in_part % 4 == 0)))
                w.drum(Drum::Crash, 0, 0.26f);
        }
    }

    // Nothing of the groove sounds past the final hit, and nothing starts before the file
    // does (a cut-off first hit would click).
    auto outside = [&](double t) { return t >= final_ms - 1e-6 || file_sample(t) < 0; };
    hits.erase(std::remove_if(hits.begin(), hits.end(),
                              [&](const DrumHit &h) { return outside(h.heard_ms); }),
               hits.end());
    bass.erase(std::remove_if(bass.begin(), bass.end(),
                              [&](const BassNote &b) { return outside(b.heard_ms); }),
               bass.end());
    for (BassNote &b : bass)
        b.gate_ms = std::min(b.gate_ms, final_ms - b.heard_ms);

    // The final hit: crash, kick and the tonic left to ring into the tail.
    hits.push_back({Drum::Crash, final_ms, 0.4f});
    hits.push_back({Drum::Kick, final_ms, 0.8f});
    bass.push_back({final_ms, song.bass_tonic, 1500.0});
    return ev;
}

void add_rhythm(Mix &mix, const SongSound &song) {
    const RhythmEvents ev = rhythm_events(song);
    const DrumKit kit = make_drum_kit(song.seed, song.bpm >= 150.0);
    for (const DrumHit &h : ev.drums)
        mix.add(file_sample(h.heard_ms), kit.sound(h.drum), h.gain);

    const std::vector<Partial> partials = bass_partials(song.groove);
    // The bass stays well below the lowest lead note, whose band the onsets are heard in.
    const double max_hz = 0.72 * lane_frequency(song, 1);
    const Envelope env{4, 300, 0.6f, 25};
    for (const BassNote &b : ev.bass)
        add_tone(mix, file_sample(b.heard_ms), midi_hz(b.midi), partials, env, b.gate_ms, 0.3f,
                 max_hz);
}

} // namespace soundtrack
