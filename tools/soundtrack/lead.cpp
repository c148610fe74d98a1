// The lead voice: the chart's notes, pitched by lane, in the song's own timbre.
#include "parts.h"

#include "timing.h"

#include <algorithm>

namespace soundtrack {

namespace {

struct LeadSound {
    std::vector<Partial> partials;
    Envelope envelope;
    double max_gate_ms;
    double vibrato_cents;
};

LeadSound lead_sound(Timbre timbre) {
    switch (timbre) {
    case Timbre::Fuzz:
        return {{{1, 1.0f, 0},
                 {2, 0.55f, 0},
                 {3, 0.4f, 0},
                 {4, 0.28f, 0},
                 {5, 0.2f, 0},
                 {6, 0.14f, 0},
                 {7, 0.1f, 0}},
                {3, 250, 0.75f, 15},
                420,
                8};
    case Timbre::Crunch:
        return {
            {{1, 1.0f, 0}, {2, 0.6f, 2}, {3, 0.45f, 4}, {4, 0.2f, 6}, {5, 0.25f, 8}, {6, 0.1f, 10}},
            {3, 180, 0.5f, 15},
            380,
            0};
    case Timbre::Square:
        return {{{1, 1.0f, 0}, {3, 0.33f, 0}, {5, 0.2f, 0}, {7, 0.14f, 0}, {9, 0.11f, 0}},
                {2, 120, 0.6f, 12},
                260,
                0};
    case Timbre::Twin:
        // two guitars an octave apart: the upper one's partials fall on the even ones
        return {
            {{1, 1.0f, 0}, {2, 0.8f, 0}, {3, 0.3f, 0}, {4, 0.35f, 0}, {6, 0.15f, 0}, {8, 0.08f, 0}},
            {3, 300, 0.8f, 15},
            450,
            6};
    case Timbre::Bell:
        return {{{1, 1.0f, 2}, {2.76, 0.45f, 6}, {5.40, 0.25f, 12}, {8.93, 0.12f, 20}},
                {2, 600, 0.6f, 15},
                700,
                0};
    case Timbre::Pluck:
        break;
    }
    return {{{1, 1.0f, 0}, {2, 0.25f, 3}, {3, 0.08f, 6}}, {3, 220, 0.35f, 15}, 500, 0};
}

// Silence kept between the end of a note's release and the next note of its lane.
constexpr double kLaneGapMs = 20.0;
// The shortest note the lead plays.
constexpr double kMinGateMs = 40.0;
constexpr float kLeadGain = 0.32f;

// Gate (ms) of every note of `notes` (sorted by time): up to the next onset in any lane,
// and short enough to leave kLaneGapMs of silence before the next note of its own lane.
std::vector<double> lead_gates(const SongSound &song, const std::vector<LeadNote> &notes) {
    const LeadSound sound = lead_sound(song.timbre);
    std::vector<double> gates(notes.size(), sound.max_gate_ms);
    for (size_t i = 0; i < notes.size(); ++i) {
        double gate = sound.max_gate_ms;
        bool next_onset_seen = false;
        for (size_t j = i + 1; j < notes.size(); ++j) {
            const double gap = notes[j].heard_ms - notes[i].heard_ms;
            if (gap >= gate + kLaneGapMs + sound.envelope.release_ms) break;
            if (gap <= 0.0) continue; // same time: a chord
            // The line moves on at the next onset: let this note end there.
            if (!next_onset_seen) {
                gate = std::min(gate, gap);
                next_onset_seen = true;
            }
            if (notes[j].lane == notes[i].lane)
                gate = std::min(gate, gap - kLaneGapMs - sound.envelope.release_ms);
        }
        gates[i] = std::max(gate, kMinGateMs);
    }
    return gates;
}

} // namespace

void add_lead(Mix &mix, const SongSound &song, const std::vector<LeadNote> &input) {
    std::vector<LeadNote> notes = input;
    std::stable_sort(notes.begin(), notes.end(), [](const LeadNote &a, const LeadNote &b) {
        return a.heard_ms < b.heard_ms || (a.heard_ms == b.heard_ms && a.lane < b.lane);
    });
    // Two chart notes of one lane that reach the hit line in the same frame are one onset.
    notes.erase(std::unique(notes.begin(), notes.end(),
                            [](const LeadNote &a, const LeadNote &b) {
                                return a.lane == b.lane && a.heard_ms == b.heard_ms;
                            }),
                notes.end());

    const LeadSound sound = lead_sound(song.timbre);
    const std::vector<double> gates = lead_gates(song, notes);
    const double max_hz = 0.45 * kSampleRate;
    for (size_t i = 0; i < notes.size(); ++i) {
        const LeadNote &n = notes[i];
        if (n.lane < 1 || n.lane > 5) continue;
        const long at = file_sample(n.heard_ms);
        const double freq = lane_frequency(song, n.lane);
        add_tone(mix, at, freq, sound.partials, sound.envelope, gates[i], kLeadGain, max_hz,
                 sound.vibrato_cents);
    }
}

} // namespace soundtrack
