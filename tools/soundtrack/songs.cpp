// Each song's own sound, on top of the tempo, key and parts that its style gives.
#include "songs.h"

#include "common/song_styles.h"
#include "songs/charts.h"

namespace soundtrack {

namespace {

struct Character {
    int song;
    Groove groove;
    Timbre timbre;
    std::array<int, 4> verse, chorus, bridge; // bass roots, semitones from the tonic
};

// clang-format off
const Character kCharacters[] = {
    // fuzz lead over pushed straight eighths; i - i - bVII - i, the chorus dropping to bVI
    {0, Groove::Drive, Timbre::Fuzz, {0, 0, -2, 0}, {0, -4, -2, 0}, {5, 5, 3, 7}},
    // crunchy lead over a shuffled backbeat; I - I - IV - I, the chorus with the V
    {1, Groove::Rock, Timbre::Crunch, {0, 0, 5, 0}, {0, 7, 5, 0}, {5, 5, 7, 7}},
    // hollow square lead over double kick and ride; I - I - bVII - bVII
    {2, Groove::Thrash, Timbre::Square, {0, 0, -2, -2}, {0, 5, -2, 0}, {5, 3, 0, -2}},
    // octave-doubled lead over the gallop; i - bVI - bVII - i
    {3, Groove::Gallop, Timbre::Twin, {0, -4, -2, 0}, {0, 3, -2, 0}, {-4, -2, 0, 0}},
    // bells over a half-time march; the chromatic step of i - i - bII - i
    {4, Groove::Heavy, Timbre::Bell, {0, 0, 1, 0}, {0, -4, -2, 0}, {3, 3, 5, 7}},
    // soft pluck over a gentle backbeat; I - IV - V - I
    {TUTORIAL_SONG, Groove::Simple, Timbre::Pluck, {0, 5, 7, 0}, {0, 5, 7, 0}, {-3, 5, 7, 0}},
};
// clang-format on

PartKind part_kind(SectionKind kind) {
    switch (kind) {
    case SECTION_INTRO:
        return PartKind::Intro;
    case SECTION_VERSE:
        return PartKind::Verse;
    case SECTION_CHORUS:
        return PartKind::Chorus;
    case SECTION_BRIDGE:
        return PartKind::Bridge;
    case SECTION_SOLO:
        return PartKind::Solo;
    case SECTION_OUTRO:
        return PartKind::Outro;
    }
    return PartKind::Verse;
}

} // namespace

SongSound sound_for_style(const SongStyle &style) {
    SongSound s{};
    s.title = style.name();
    s.bpm = style.bpm;
    s.origin_ms = style.grid_origin_ms;
    s.beats_per_bar = style.beats_per_bar;
    s.swing = style.swing;
    s.bass_tonic = style.key_midi;
    s.minor = style.minor;
    s.end_ms = style.end_ms();
    s.groove = Groove::Simple;
    s.timbre = Timbre::Pluck;
    s.verse_chords = s.chorus_chords = s.bridge_chords = {0, 0, 0, 0};
    for (const Character &c : kCharacters) {
        if (c.song != style.song) continue;
        s.groove = c.groove;
        s.timbre = c.timbre;
        s.verse_chords = c.verse;
        s.chorus_chords = c.chorus;
        s.bridge_chords = c.bridge;
    }
    for (int i = 0; i < style.section_count && style.sections; ++i)
        s.parts.push_back({style.sections[i].start_bar, part_kind(style.sections[i].kind),
                           style.sections[i].energy});
    s.seed = 0x5eed0000u + static_cast<unsigned>(style.song);
    return s;
}

std::vector<LeadNote> lead_notes(const Chart &chart) {
    std::vector<LeadNote> notes;
    for (int i = 0; i < chart.count && chart.notes; ++i)
        notes.push_back(
            {chart.notes[i].lane, static_cast<double>(heard_time_ms(chart.notes[i].spawn))});
    return notes;
}

} // namespace soundtrack
