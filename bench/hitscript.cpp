// fretfall-hitscript: scripts for the headless driver that hit every note of a song, from
// its chart, and the densest stretch of a chart.
//
//   fretfall-hitscript prefix SONG                 keys from start-up to the song's start
//   fretfall-hitscript densest SONG SECONDS        FIRST LAST NOTES: the song frames
//                                                  FIRST..LAST-1 whose SECONDS hold the
//                                                  most spawns, and how many
//   fretfall-hitscript play SONG FRAME0 LAST [MS]  a script that hits each note whose
//                                                  press falls before frame LAST and ends
//                                                  after frame LAST (+ MS); FRAME0 is the
//                                                  virtual time of the song's frame 0
//   fretfall-hitscript results SONG FRAME0 WAY SHOT
//                                                  a script that plays the whole song and
//                                                  saves its results screen in SHOT; WAY
//                                                  is held (chords pressed a frame apart
//                                                  and held), rolled (each key let go a
//                                                  frame after the next goes down) or
//                                                  tenth (held, one note in ten let fall)
#include "songs/catalogue.h"
#include "songscript.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

int usage() {
    std::fprintf(stderr, "usage: fretfall-hitscript prefix SONG\n"
                         "       fretfall-hitscript densest SONG SECONDS\n"
                         "       fretfall-hitscript play SONG FRAME0 LAST [MS]\n"
                         "       fretfall-hitscript results SONG FRAME0 held|rolled|tenth SHOT\n");
    return 2;
}

// The window of `frames` song frames in which the most notes spawn; the earliest of equals.
int densest(int song, int seconds) {
    std::vector<ChartNote> notes = notes_in_time(song);
    if (notes.empty() || seconds <= 0) return usage();
    const int frames = 20 * seconds;
    int best = 0, best_first = 0;
    size_t lo = 0;
    for (size_t hi = 0; hi < notes.size(); ++hi) {
        // Windows that start at the spawn frame of note lo and hold notes lo..hi.
        int first = spawn_frame(notes[lo].spawn);
        while (spawn_frame(notes[hi].spawn) >= first + frames)
            first = spawn_frame(notes[++lo].spawn);
        int count = static_cast<int>(hi - lo + 1);
        if (count > best) best = count, best_first = first;
    }
    std::printf("%d %d %d\n", best_first, best_first + frames, best);
    return 0;
}

int play(int song, int frame0, int last, int extra_ms) {
    std::vector<FrameKey> all, keys;
    int chords = 0;
    int missed = tap_every_note(notes_in_time(song), all, chords);
    if (missed) {
        std::fprintf(stderr, "fretfall-hitscript: %d notes find no press\n", missed);
        return 1;
    }
    std::fprintf(stderr, "fretfall-hitscript: %zu notes, %d of them in chords\n",
                 notes_in_time(song).size(), chords);
    for (const FrameKey &k : all)
        if (k.frame < last) keys.push_back(k);
    std::fputs(song_script(song, frame0, keys, last, extra_ms).c_str(), stdout);
    return 0;
}

int results(int song, int frame0, const std::string &way, const char *shot) {
    std::vector<ChartNote> notes = notes_in_time(song);
    std::vector<FrameKey> keys;
    int missed = 0, left = 0;
    if (way == "held")
        missed = press_chords_held(notes, keys);
    else if (way == "rolled")
        missed = press_rolled(notes, keys);
    else if (way == "tenth")
        missed = press_chords_held(let_one_in_ten_fall(notes, left), keys);
    else
        return usage();
    std::fprintf(stderr, "fretfall-hitscript: %zu notes, %d let fall, %d find no press\n",
                 notes.size(), left, missed);
    std::fputs(results_script(song, frame0, keys, shot).c_str(), stdout);
    return 0;
}

} // namespace

int main(int argc, char **argv) {
    if (argc < 3) return usage();
    std::string mode = argv[1];
    int song = 0, a = 0, b = 0, c = 0;
    if (!script_number(argv[2], song) || !chart_for_song(song)) return usage();
    if (mode == "prefix" && argc == 3) {
        std::fputs(keys_to_song(song).c_str(), stdout);
        return 0;
    }
    if (mode == "densest" && argc == 4 && script_number(argv[3], a)) return densest(song, a);
    if (mode == "play" && (argc == 5 || argc == 6) && script_number(argv[3], a) &&
        script_number(argv[4], b) && (argc == 5 || script_number(argv[5], c)))
        return play(song, a, b, c);
    if (mode == "results" && argc == 6 && script_number(argv[3], a))
        return results(song, a, argv[4], argv[5]);
    return usage();
}
