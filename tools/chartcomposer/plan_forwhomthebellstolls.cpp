// For Whom the Bells Toll plan (120 BPM, composed in sixteenths on the 62.5 ms grid):
// the intro tolls two-lane chords struck twice a sixteenth apart; verses march in
// quarter notes around lane 1, choruses stack chords on every beat, the bridge slows
// to half notes and the solos run in eighths; the intro's tolling closes the song.
#include "plans.h"

Composition compose_forwhomthebellstolls(const SongStyle &st) {
    Composition c(st);
    Rng rng(0xbe11u);
    const Riff intro = riff("aa..bb..4...1.2. | 2...3...c...2.3.");
    const Riff verse = riff("a...3...2...1... | d...2.......4...");
    const Riff verse_turn = riff("a...2...1...3.1.");
    const Riff chorus = riff("a...f.......1... | c...b...a...2.1.");
    const Riff chorus_turn = riff("a...d...c...e.a.");
    const Riff solo = riff("1.2.1...3.2.1.3. | 1.2.1..3.3.2.4..");
    const Riff solo_turn = riff("1.2.3.4.3.2.a...");
    const Riff bridge = riff("1.......2....... | 3.......c.......");
    int verses = 0, solos = 0;
    for (int i = 0; i < st.section_count; i++) {
        const SongSection &s = st.sections[i];
        int from = s.start_bar, to = section_end_bar(st, i);
        switch (s.kind) {
        case SECTION_INTRO:
            if (s.energy > 1) c.play_bars(intro, from, to, nullptr, 8);
            break;
        case SECTION_VERSE: {
            Riff v =
                verses++ == 1 ? joined(riff("a...1...4...1..."), riff("c...3...1...3...")) : verse;
            c.play_bars(v, from, to, &verse_turn, 4);
            break;
        }
        case SECTION_CHORUS:
            c.play_bars(chorus, from, to, &chorus_turn, 4);
            break;
        case SECTION_SOLO: {
            Riff so = thinned(solo, rng, solos++ == 1 ? 40 : 20, 4);
            c.play_bars(so, from, to, &solo_turn, 4);
            break;
        }
        case SECTION_BRIDGE:
            c.play_bars(bridge, from, to, nullptr, 8);
            break;
        case SECTION_OUTRO:
            c.play_bars(intro, from, to, nullptr, 8);
            break;
        }
    }
    return c;
}
