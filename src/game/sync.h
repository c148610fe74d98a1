// The sync calibration's click track, shared with the soundtrack generator that writes it,
// and the rule that turns the player's presses into the sound's delay.
#pragma once
#include <vector>

// The clicks, on the calibration's clock, which starts with the click track as a song's
// clock starts with its music: click i (0 .. SYNC_CLICKS - 1) is heard at
// sync_click_ms(i), a multiple of the 50 ms frame, where a chart note spawned one second
// earlier crosses the middle of its hit window.
const int SYNC_CLICKS = 16;
const int SYNC_CLICK_PERIOD_MS = 800;
const int SYNC_FIRST_CLICK_MS = 2000;
constexpr int sync_click_ms(int click) {
    return SYNC_FIRST_CLICK_MS + click * SYNC_CLICK_PERIOD_MS;
}
// Path of the click track under the game directory.
const char *const SYNC_CLICKS_PATH = "song/sync/Clicks.ogg";

// A press belongs to the click it follows by less than this, or precedes by at most
// SYNC_EARLY_MS: every delay the setting can take lies well inside.
const int SYNC_EARLY_MS = 200;
const int SYNC_LATE_MS = SYNC_CLICK_PERIOD_MS - SYNC_EARLY_MS;
// The calibration's clock at which the last click's presses are all in.
const int SYNC_END_MS = sync_click_ms(SYNC_CLICKS - 1) + SYNC_LATE_MS;

// The fewest presses a measurement takes, and how far a press may lie from the median of
// the others to count.
const int SYNC_MIN_PRESSES = 8;
const int SYNC_OUTLIER_MS = 50;

// How late (negative: early) a press at calibration clock `press_ms` came after its click.
// False for a press before the first click's reach or after the last one's.
bool sync_press_offset(int press_ms, int &offset);

// The delay the presses' offsets show: every offset more than SYNC_OUTLIER_MS from the
// median of the others is left out, and the median of the rest, rounded to the
// millisecond, is the delay. False (delay untouched) when fewer than SYNC_MIN_PRESSES are
// left.
bool measure_sync_delay(const std::vector<int> &offsets, int &delay);
