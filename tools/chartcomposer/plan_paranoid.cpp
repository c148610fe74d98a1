// Paranoid plan (164 BPM, straight eighths): a two-bar minor riff of dotted-quarter
// pushes opens and closes the song; verses chug on lane 2 with a climbing turn every
// four bars, choruses strike a two-lane chord every second bar, the solo runs up and
// down the lanes and the bridge thins out to half notes.
#include "plans.h"

Composition compose_paranoid(const SongStyle &st) {
    Composition c(st);
    Rng rng(0x9a7a01du);
    const Riff intro = riff("1..1..1. | 2.3.2...");
    const Riff verse = riff("2..2..22 | 2.1.2.1.");
    const Riff verse_turn = riff("1.2.3.4.");
    const Riff chorus = riff("b...2.2. | 1.2.3.2.");
    const Riff chorus_turn = riff("a.2.3.4.");
    const Riff solo = riff("1.2.3.2. | 1.2.3.4.");
    const Riff solo_turn = riff("3.2.1.2.");
    const Riff bridge = riff("2...2... | 3...2...");
    int verses = 0, choruses = 0;
    for (int i = 0; i < st.section_count; i++) {
        const SongSection &s = st.sections[i];
        int from = s.start_bar, to = section_end_bar(st, i);
        switch (s.kind) {
        case SECTION_INTRO:
            if (s.energy > 1) c.play_bars(intro, from, to, nullptr, 8);
            break;
        case SECTION_VERSE: {
            // The second verse answers on lane 1, the third is thinned out.
            Riff v = verses == 1 ? riff("2..2..2. | 2.1.2.3.") : verse;
            if (verses == 2) v = thinned(v, rng, 40, 2);
            c.play_bars(v, from, to, &verse_turn, 4);
            verses++;
            break;
        }
        case SECTION_CHORUS: {
            Riff ch = choruses == 2 ? accented(chorus, 8, lane_bit(3)) : chorus;
            c.play_bars(ch, from, to, &chorus_turn, 4);
            choruses++;
            break;
        }
        case SECTION_SOLO:
            c.play_bars(solo, from, to - 8, &solo_turn, 4);
            c.play_bars(shifted(solo, 0, 4), to - 8, to, &solo_turn, 4);
            break;
        case SECTION_BRIDGE:
            c.play_bars(bridge, from, to, nullptr, 8);
            break;
        case SECTION_OUTRO:
            // The opening riff returns and ends on the last chord.
            c.play_bars(intro, from, to, nullptr, 8);
            break;
        }
    }
    return c;
}
