// The six song plans: each built-in song's riffs by section kind (intro, verse, chorus,
// bridge, solo, outro), how later sections vary them, and notes placed by beat.
// Riff text: one character a grid step of the song's style, see riff() in phrase.h.
#include "plans.h"

namespace {

const LaneSet L1 = lane_bit(1), L2 = lane_bit(2), L3 = lane_bit(3), L4 = lane_bit(4),
              L5 = lane_bit(5);

// clang-format off
const SongPlan plans[] = {
    // Paranoid (164 BPM, straight eighths): a two-bar minor riff of dotted-quarter pushes
    // opens and closes the song; verses chug on lane 2 with a climbing turn every four
    // bars, choruses strike a two-lane chord every second bar, the solo runs up and down
    // the lanes and the bridge thins out to half notes. The second verse answers on
    // lane 1, the third is thinned out; the third chorus gains lane 3 on its accent.
    {0, 0x9a7a01du,
     {{"1..1..1. | 2.3.2..."},
      {"2..2..22 | 2.1.2.1.", "1.2.3.4.", 4},
      {"b...2.2. | 1.2.3.2.", "a.2.3.4.", 4},
      {"2...2... | 3...2..."},
      {"1.2.3.2. | 1.2.3.4.", "3.2.1.2.", 4},
      {"1..1..1. | 2.3.2..."}},
     {on(SECTION_VERSE, 1, 1).with_loop("2..2..2. | 2.1.2.3."),
      on(SECTION_VERSE, 2, 2).thinned(40),
      on(SECTION_CHORUS, 2, 2).accented(8, L3)},
     {}},
    // Highway to Hell (118 BPM shuffle, composed in triplets: each beat is "x.x" with the
    // off-beat on the third triplet): two-lane power-chord stabs on beats and swung
    // off-beats, a pickup chord into every phrase, a triplet-picking solo whose second
    // half turns the lanes over, and an outro that rings out on lanes 3 and 4. The second
    // verse answers a lane higher in its second bar.
    {1, 0x4177a1u,
     {{"c.. ..c ..c ... | a.. ..a ..b ..c"},
      {"a.. ..2 ... d.. | a.. ..1 .2. b..", "b.. ..1 ..c .4.", 4},
      {"a.. a.. c.. ..c | b.. ..2 a.. 1..", "c.. c.. b.. a..", 4},
      {"c.. ... e.. ... | b.. ... ... ..."},
      {"1.2 ..a ..1 ..2 | a.. ..d ..c ...", "2.3 ..4 3.. c..", 4},
      {"c.. ..4 ... 3.. | c.. ... ..c ..."}},
     {on(SECTION_VERSE, 1, 1).with_loop("a.. ..2 ... d.. | b.. ..2 .3. c.."),
      on(SECTION_SOLO, 0).from(8).mirrored().thinned(30)},
     {}},
    // Ace of Spades (142 BPM, composed in sixteenths): lane 3 alone opens, the other lanes
    // join one by one; verses pump quarter notes between lanes 1 and 3 with a sixteenth
    // double at the end of every fourth bar, choruses hit a chord on each bar, the solo
    // runs in eighths, the outro hammers chords. Later verses answer on lane 4 and drop a
    // few off-beats.
    {2, 0xace05u,
     {{"3...3.3.....3... | 1...1.1.4.....2."},
      {"1...3...1.2..... | 2.......2.1.....", "c...2...1...4.44", 4},
      {"d...2...3...1... | d...2...1.3.....", "c...b...a...1.11", 4},
      {"1.......3....... | 2.......4......."},
      {"1.2.3...1...3... | 3...1.2...1.....", "4.3.2.1.2.3.4.44", 4},
      {"d...d...3...1... | c...c...2...3...", nullptr, 4}},
     {on(SECTION_VERSE, 1).shifted(1).thinned(25)},
     {}},
    // Run to the Hills (176 BPM, composed in sixteenths): the gallop (an eighth and two
    // sixteenths, "x.xx") spread over three lanes, tom-like half notes in the intro,
    // choruses on two-lane chords, solos that gallop up from lane 1; the sparse texture
    // leaves at least a dotted eighth between notes of one lane. The second verse is
    // mirrored, the second solo moves up a lane and thins out.
    {3, 0x6a110bu,
     {{"4.......3......."},
      {"3.24............ | ................ | ........3....... | ................",
       "3.24....2.......", 4},
      {"c............... | b.......2.......", "b.......c.......", 4},
      {"c............... | ........1......."},
      {"1.23............ | ........1.......", "1.21....3.......", 4},
      {"2.......3....... | ................"}},
     {on(SECTION_VERSE, 1, 1).mirrored(),
      on(SECTION_SOLO, 1, 1).shifted(1).thinned(20)},
     {}},
    // For Whom the Bells Toll (120 BPM, composed in sixteenths on the 62.5 ms grid): the
    // intro tolls two-lane chords struck twice a sixteenth apart; verses march in quarter
    // notes around lane 1, choruses stack chords on every beat, the bridge slows to half
    // notes and the solos run in eighths, the second thinner; the intro's tolling closes
    // the song.
    {4, 0xbe11u,
     {{"aa..bb..4...1.2. | 2...3...c...2.3."},
      {"a...3...2...1... | d...2.......4...", "a...2...1...3.1.", 4},
      {"a...f.......1... | c...b...a...2.1.", "a...d...c...e.a.", 4},
      {"1.......2....... | 3.......c......."},
      {"1.2.1...3.2.1.3. | 1.2.1..3.3.2.4..", "1.2.3.4.3.2.a...", 4},
      {"aa..bb..4...1.2. | 2...3...c...2.3."}},
     {on(SECTION_VERSE, 1, 1).with_loop("a...1...4...1... | c...3...1...3..."),
      on(SECTION_SOLO, 1, 1).thinned(40),
      on(SECTION_SOLO, 0).thinned(20)},
     {}},
    // Tutorial (120 BPM, composed in 32nds), placed note by note: a note spawned at t ms is
    // heard on beat (t + 1000) / 500. Single teaching notes one lane at a time, the first
    // two chords, lane 5 on its own, one fast run down and up all five lanes, then a calm
    // close on lanes 1 and 3 that ends on two chords.
    {TUTORIAL_SONG, 0u,
     {},
     {},
     {// Lane 1 alone, far apart, then the first two chords.
      {129, L1}, {146, L1}, {154, L1}, {166, L2 | L4}, {172, L1 | L3},
      // Call and answer between lanes 2 and 4, lanes 1 and 3 answering now and then.
      {176, L2}, {178, L4}, {180, L2}, {182, L4}, {184, L1}, {186, L3}, {188, L2}, {190, L4},
      {194, L2},
      // Lane 5 is shown alone after a rest.
      {200, L5},
      // The pace doubles; lane 3 gets a double tap a sixteenth apart.
      {202, L2}, {204, L4}, {206, L3}, {206.25, L3}, {208, L2}, {210, L4}, {212, L1},
      {214, L2}, {216, L4}, {218, L3}, {220, L2},
      // The run: 32nds sweeping down from lane 5 and climbing back.
      {224, 0, "5.4.3.2. 5.15.4.3 .2.5.4.5 .2.15.3. .5.2.543"},
      // Cool-down on lanes 3 and 1, then the closing chords on the last sixteenths.
      {238, L3}, {250, L3}, {262, L3}, {274, L3}, {284, L3},
      {244, L1}, {256, L1}, {268, L1}, {280, L1},
      {288.75, L1 | L3}, {290.25, L3 | L5}}},
};
// clang-format on

} // namespace

const SongPlan *song_plan(int song) {
    for (const SongPlan &p : plans)
        if (p.song == song) return &p;
    return nullptr;
}
