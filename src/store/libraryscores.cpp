// Best scores of library songs, read from their highscore files.
#include "store/libraryscores.h"

#include "songs/librarysong.h"
#include "store/hiscore_file.h"

int library_best_score(uint64_t chart_hash, int difficulty) {
    HiscoreRow rows[HISCORE_ROWS];
    int n = read_hiscore_rows(library_highscore_path(chart_hash, difficulty).c_str(), rows);
    return n > 0 && rows[0].has_score ? rows[0].score : 0;
}
