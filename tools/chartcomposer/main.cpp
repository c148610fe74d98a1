// fretfall-chartcomposer: composes the six note charts and writes them as C++ sources.
//
// Usage: fretfall-chartcomposer <output directory>   (normally src/songs)
// The output is the same on every run. A chart that fails its self-check is not written
// and the program exits with status 1.
#include <cstdio>
#include <string>

#include "check.h"
#include "emit.h"
#include "fit.h"
#include "plans.h"

int main(int argc, char **argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output directory>\n",
                     argc > 0 ? argv[0] : "fretfall-chartcomposer");
        return 2;
    }
    std::string dir = argv[1];
    int status = 0;
    for (const ChartTarget &target : chart_targets()) {
        const SongStyle *style = song_style_for(target.song);
        if (!style) {
            std::fprintf(stderr, "%s: no song style\n", target.name);
            status = 1;
            continue;
        }
        Composition music = compose(*style);
        std::vector<ChartNote> rows;
        FitReport rep;
        if (!fit_chart(music, target, rows, rep)) {
            std::fprintf(stderr, "%s: cannot fit: %s\n", target.name, rep.error.c_str());
            status = 1;
            continue;
        }
        std::printf("%-21s composed", target.name);
        for (int l = 0; l < 5; l++)
            std::printf(" %d(+%d-%d)", rep.composed[l], rep.added[l], rep.removed[l]);
        std::printf(" chords %d(+%d-%d) gap-drops %d grid-err %.1f\n", rep.composed_chords,
                    rep.chords_made, rep.chords_split, rep.dropped_for_gap,
                    worst_grid_error(rows, *style));
        std::vector<std::string> faults = check_chart(rows, target, *style);
        if (!faults.empty()) {
            for (const std::string &f : faults)
                std::fprintf(stderr, "%s: %s\n", target.name, f.c_str());
            std::fprintf(stderr, "%s: not written\n", target.name);
            status = 1;
            continue;
        }
        if (!write_chart_source(dir, target.name, target.song, rows)) {
            std::fprintf(stderr, "%s: cannot write into %s\n", target.name, dir.c_str());
            status = 1;
        }
    }
    return status;
}
