// Ace of Spades plan (142 BPM, composed in sixteenths): lane 3 alone opens, the other
// lanes join one by one; verses pump quarter notes between lanes 1 and 3 with a
// sixteenth double at the end of every fourth bar, choruses hit a chord on each bar,
// the solo runs in eighths, the outro hammers chords.
#include "plans.h"

Composition compose_aceofspades(const SongStyle &st) {
    Composition c(st);
    Rng rng(0xace05u);
    const Riff intro = riff("3...3.3.....3... | 1...1.1.4.....2.");
    const Riff verse = riff("1...3...1.2..... | 2.......2.1.....");
    const Riff verse_turn = riff("c...2...1...4.44");
    const Riff chorus = riff("d...2...3...1... | d...2...1.3.....");
    const Riff chorus_turn = riff("c...b...a...1.11");
    const Riff solo = riff("1.2.3...1...3... | 3...1.2...1.....");
    const Riff solo_turn = riff("4.3.2.1.2.3.4.44");
    const Riff bridge = riff("1.......3....... | 2.......4.......");
    const Riff outro = riff("d...d...3...1... | c...c...2...3...");
    int verses = 0;
    for (int i = 0; i < st.section_count; i++) {
        const SongSection &s = st.sections[i];
        int from = s.start_bar, to = section_end_bar(st, i);
        switch (s.kind) {
        case SECTION_INTRO:
            if (s.energy > 1) c.play_bars(intro, from, to, nullptr, 8);
            break;
        case SECTION_VERSE: {
            // Later verses answer on lane 4 and drop a few off-beats.
            Riff v = verses++ == 0 ? verse : thinned(shifted(verse, 1, 4), rng, 25, 4);
            c.play_bars(v, from, to, &verse_turn, 4);
            break;
        }
        case SECTION_CHORUS:
            c.play_bars(chorus, from, to, &chorus_turn, 4);
            break;
        case SECTION_SOLO:
            c.play_bars(solo, from, to, &solo_turn, 4);
            break;
        case SECTION_BRIDGE:
            c.play_bars(bridge, from, to, nullptr, 8);
            break;
        case SECTION_OUTRO:
            c.play_bars(outro, from, to, nullptr, 4);
            break;
        }
    }
    return c;
}
