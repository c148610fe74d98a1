// Best scores of library songs, read from their highscore files.
#pragma once
#include <cstdint>

// The best score in the highscore file of the library song whose chart hashes to
// `chart_hash`, at `difficulty` (0 easy .. 3 expert); 0 when it has none.
int library_best_score(uint64_t chart_hash, int difficulty);
