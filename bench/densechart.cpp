// The densest library song the bench plays: a song folder written here, and scripts that
// press its notes through the driver's --song.
//
//   fretfall-densechart make DIR MINUTES     a song folder of MINUTES minutes at 20 notes a
//                                            second: every 250 ms a chord of lanes 1 and 2
//                                            and 100 ms later one of lanes 3, 4 and 5, the
//                                            outer lanes with 150 ms sustains
//   fretfall-densechart play DIR FRAME0 LAST a script for `fretfall-replay --song DIR` that
//                                            presses the notes whose press falls before song
//                                            frame LAST and ends after it; FRAME0 is the
//                                            virtual time of the song's frame 0
#include "game/librarychart.h"
#include "songs/librarysong.h"
#include "songs/songfolder.h"
#include "songscript.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace {

int usage() {
    std::fprintf(stderr, "usage: fretfall-densechart make DIR MINUTES\n"
                         "       fretfall-densechart play DIR FRAME0 LAST\n");
    return 2;
}

int make(const std::string &dir, int minutes) {
    mkdir(dir.c_str(), 0755);
    std::ofstream ini(dir + "/song.ini");
    ini << "[song]\nname = Densest\nartist = Fretfall Bench\n";
    // Resolution 480 at 125 BPM: a tick is a millisecond.
    std::ofstream chart(dir + "/notes.chart");
    chart << "[Song]\n{\n  Resolution = 480\n}\n[SyncTrack]\n{\n  0 = B 125000\n}\n"
             "[ExpertSingle]\n{\n";
    const int start = 2000, end = start + minutes * 60000;
    for (int t = start; t < end; t += 250) {
        chart << "  " << t << " = N 0 150\n  " << t << " = N 1 0\n";
        chart << "  " << t + 100 << " = N 2 0\n  " << t + 100 << " = N 3 0\n  " << t + 100
              << " = N 4 150\n";
    }
    chart << "}\n";
    chart.close();
    return chart && ini ? 0 : 1;
}

int play(const std::string &dir, int frame0, int last) {
    SongFolder song;
    if (!read_song_folder(dir, song)) {
        std::fprintf(stderr, "fretfall-densechart: %s\n", song.reason.c_str());
        return 1;
    }
    std::vector<ChartNote> rows;
    for (const SongNote &n : song.notes[DIFF_EXPERT]) {
        int spawn = library_spawn_ms(library_heard_ms(n.time_ms));
        if (spawn_frame(spawn) + WINDOW_LAST < last) rows.push_back({n.lane, spawn, 0});
    }
    std::vector<FrameKey> keys;
    int missed = press_chords_held(rows, keys);
    std::fprintf(stderr, "fretfall-densechart: %zu notes, %d find no press\n", rows.size(), missed);
    std::string script;
    long clock = 0;
    append_song_keys(script, clock, frame0, keys, last);
    std::fputs(script.c_str(), stdout);
    return 0;
}

} // namespace

int main(int argc, char **argv) {
    int a = 0, b = 0;
    if (argc == 4 && std::string(argv[1]) == "make" && script_number(argv[3], a))
        return make(argv[2], a);
    if (argc == 5 && std::string(argv[1]) == "play" && script_number(argv[3], a) &&
        script_number(argv[4], b))
        return play(argv[2], a, b);
    return usage();
}
