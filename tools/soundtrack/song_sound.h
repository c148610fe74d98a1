// What the synthesizer knows about one song: its beat grid, key and character.
#pragma once

#include <array>
#include <vector>

namespace soundtrack {

// Drum pattern and bass rhythm of a song.
enum class Groove {
    Drive,  // straight eighths on the hi-hat, pushed kick, chugging eighth-note bass
    Rock,   // mid-tempo backbeat, open hi-hat on the off-beats, quarter-note bass
    Thrash, // kick on every eighth under a ride cymbal, bass jumping octaves
    Gallop, // eighth and two sixteenths on kick and bass
    Heavy,  // half-time: snare on beat 3, long low bass notes under a ride
    Simple  // soft backbeat with half-note bass, for learning
};

// Sound of the lead voice, the one that plays the chart notes.
enum class Timbre {
    Fuzz,   // saw-like with vibrato
    Crunch, // bright, decaying
    Square, // hollow, odd partials only, short
    Twin,   // two voices an octave apart, with vibrato
    Bell,   // inharmonic partials with a long ring
    Pluck   // soft, nearly a sine
};

// Role of a part of the song; it picks the chord progression under it.
enum class PartKind { Intro, Verse, Chorus, Bridge, Solo, Outro };

// A part of the song from bar `start_bar` up to the next part (the last one up to the end).
struct SongPart {
    int start_bar;
    PartKind kind;
    int energy; // 0 silence, 1 sparse, 2 band, 3 full and loud
};

struct SongSound {
    const char *title;
    double bpm;       // quarter-note beats per minute
    double origin_ms; // song-clock time, as heard, of the first beat of bar 0
    int beats_per_bar;
    double swing;   // off-beat eighth as a fraction of the beat: 0.5 straight
    int bass_tonic; // tonic as a MIDI note in the bass register
    bool minor;
    int end_ms; // the song is won when the song clock reaches this
    Groove groove;
    Timbre timbre;
    std::vector<SongPart> parts;
    // Bass root of each bar in a 4-bar cycle, semitones above the tonic: in the verses
    // (and intro, solo, outro), in the choruses and in the bridges.
    std::array<int, 4> verse_chords;
    std::array<int, 4> chorus_chords;
    std::array<int, 4> bridge_chords;
    unsigned seed; // noise of the drums; fixed so the output is reproducible
};

// One chart note as the lead plays it: lane 1..5 and the song-clock time it should be heard.
struct LeadNote {
    int lane;
    double heard_ms;
};

// Pitch of a lane's lead note in Hz. The five lanes are the five notes of the key's
// pentatonic scale upwards from the tonic, placed between A4 and G#5, so lane 1 is the
// lowest and no lane is a harmonic of another (all five lie within one octave).
double lane_frequency(const SongSound &song, int lane);

// Length of the recording in samples: the end time plus the tail.
long song_samples(const SongSound &song);

} // namespace soundtrack
