// Highway to Hell plan (118 BPM shuffle, composed in triplets: each beat is "x.x" with
// the off-beat on the third triplet): two-lane power-chord stabs on beats and swung
// off-beats, a pickup chord into every phrase, a triplet-picking solo, and an outro
// that rings out on lanes 3 and 4 after the high lanes have stopped.
#include "plans.h"

Composition compose_highwaytohell(const SongStyle &st) {
    Composition c(st);
    Rng rng(0x4177a1u);
    const Riff intro = riff("c.. ..c ..c ... | a.. ..a ..b ..c");
    const Riff verse = riff("a.. ..2 ... d.. | a.. ..1 .2. b..");
    const Riff verse_turn = riff("b.. ..1 ..c .4.");
    const Riff chorus = riff("a.. a.. c.. ..c | b.. ..2 a.. 1..");
    const Riff chorus_turn = riff("c.. c.. b.. a..");
    const Riff solo = riff("1.2 ..a ..1 ..2 | a.. ..d ..c ...");
    const Riff solo_turn = riff("2.3 ..4 3.. c..");
    const Riff bridge = riff("c.. ... e.. ... | b.. ... ... ...");
    const Riff outro = riff("c.. ..4 ... 3.. | c.. ... ..c ...");
    int verses = 0, choruses = 0;
    for (int i = 0; i < st.section_count; i++) {
        const SongSection &s = st.sections[i];
        int from = s.start_bar, to = section_end_bar(st, i);
        switch (s.kind) {
        case SECTION_INTRO:
            if (s.energy > 1) c.play_bars(intro, from, to, nullptr, 8);
            break;
        case SECTION_VERSE: {
            // The second verse answers a lane higher in its second bar.
            Riff v =
                verses++ == 1 ? joined(riff("a.. ..2 ... d.."), riff("b.. ..2 .3. c..")) : verse;
            c.play_bars(v, from, to, &verse_turn, 4);
            break;
        }
        case SECTION_CHORUS: {
            // The last chorus is half as long again and loses its single notes.
            Riff ch = choruses++ == 2 ? without_lane(chorus, 5) : chorus;
            c.play_bars(ch, from, to, &chorus_turn, 4);
            break;
        }
        case SECTION_SOLO:
            c.play_bars(solo, from, from + 8, &solo_turn, 4);
            c.play_bars(thinned(mirrored(solo, 4), rng, 30, 3), from + 8, to, &solo_turn, 4);
            break;
        case SECTION_BRIDGE:
            c.play_bars(bridge, from, to, nullptr, 8);
            break;
        case SECTION_OUTRO:
            c.play_bars(outro, from, to, nullptr, 8);
            break;
        }
    }
    return c;
}
