// Song counters and the rules that move them.
#include "game/score.h"

#include "engine/sound.h"
#include "engine/stems.h"
#include "game/librarychart.h"
#include "game/notes.h"
#include "songs/catalogue.h"
#include "songs/librarysong.h"

int nSCORE, nHITS, tHITS, nHit, nSTREAK, Balanca;
int xNULL, xGOOD, xMISS;
int percent_score;

namespace {

// Streak values at which the multiplier steps up; the bonus step skips past each.
const int STEP_TWO = 5, STEP_THREE = 10;
// The hit since the main menu entry that does not lengthen the streak.
const int STREAK_SKIPPING_HIT = 6;

} // namespace

int multiplier(int streak) {
    if (streak >= STEP_THREE) return 3;
    if (streak >= STEP_TWO) return 2;
    return 1;
}

void score_hit() {
    xGOOD = 1;
    nSCORE += 10 * multiplier(nHITS);
    Balanca += 1;
    tHITS += 1;
    nHit += 1;
    if (nHit != STREAK_SKIPPING_HIT) nHITS += 1;
    stems_hit();
}

void score_sustain_frame(int points) { nSCORE += points * multiplier(nHITS); }

void score_miss() {
    xMISS = 1;
    Balanca -= 1;
    nHITS = 0;
    stems_miss();
}

void feedback_reset() {
    xNULL = 1;
    xMISS = 0;
    xGOOD = 0;
}

void score_two_lane() {
    Balanca += 2;
    if (nHITS != 0) {
        nHITS -= 2;
        tHITS -= 2;
    }
}

void streak_bonus() {
    if (nHITS == STEP_TWO) {
        play_effect(ESTRELA_MAIS);
        nHITS = STEP_TWO + 1;
    }
    if (nHITS == STEP_THREE) {
        play_effect(ESTRELA_MAIS);
        nHITS = STEP_THREE + 1;
    }
}

void longest_streak_update() {
    if (nSTREAK < nHITS) nSTREAK += 1;
}

void clamp_meter() {
    if (Balanca >= METER_MAX) Balanca = METER_MAX;
    if (Balanca < METER_MIN + 1) Balanca = METER_MIN;
}

bool meter_empty() { return Balanca < METER_MIN + 1; }

int accuracy_percent(int song) {
    // The share of the chart's notes hit, from the hit marks: tHITS cannot serve, since the
    // two-lane adjustment takes from it and a note hit twice adds to it.
    if (is_library_song(song)) {
        int total = library_notes_total();
        return total > 0 ? static_cast<int>(100LL * library_notes_hit() / total) : 0;
    }
    const Chart *chart = chart_for_song(song);
    if (!chart || chart->count <= 0) return 0;
    return notes_hit(*chart) * 100 / chart->count;
}
