// Run to the Hills plan (176 BPM, composed in sixteenths): the gallop (an eighth and
// two sixteenths, "x.xx") spread over three lanes, tom-like half notes in the intro,
// choruses on two-lane chords, solos that gallop up from lane 1; the sparse texture
// leaves at least a dotted eighth between notes of one lane.
#include "plans.h"

Composition compose_runtothehills(const SongStyle &st) {
    Composition c(st);
    Rng rng(0x6a110bu);
    const Riff intro = riff("4.......3.......");
    const Riff verse =
        riff("3.24............ | ................ | ........3....... | ................");
    const Riff verse_turn = riff("3.24....2.......");
    const Riff chorus = riff("c............... | b.......2.......");
    const Riff chorus_turn = riff("b.......c.......");
    const Riff solo = riff("1.23............ | ........1.......");
    const Riff solo_turn = riff("1.21....3.......");
    const Riff bridge = riff("c............... | ........1.......");
    const Riff outro = riff("2.......3....... | ................");
    int verses = 0, solos = 0;
    for (int i = 0; i < st.section_count; i++) {
        const SongSection &s = st.sections[i];
        int from = s.start_bar, to = section_end_bar(st, i);
        switch (s.kind) {
        case SECTION_INTRO:
            if (s.energy > 1) c.play_bars(intro, from, to, nullptr, 8);
            break;
        case SECTION_VERSE: {
            Riff v = verses++ == 1 ? mirrored(verse, 4) : verse;
            c.play_bars(v, from, to, &verse_turn, 4);
            break;
        }
        case SECTION_CHORUS:
            c.play_bars(chorus, from, to, &chorus_turn, 4);
            break;
        case SECTION_SOLO: {
            Riff so = solos++ == 1 ? thinned(shifted(solo, 1, 4), rng, 20, 4) : solo;
            c.play_bars(so, from, to, &solo_turn, 4);
            break;
        }
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
