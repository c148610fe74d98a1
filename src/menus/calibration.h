// The sync calibration: a click track to press along to, which measures how late the
// player hears the game's sound, and the delay setting with its hand nudge.
#pragma once

// Runs the calibration screen until B leaves it; a changed delay is saved on the way out.
// Reached from the volume screen, to which it returns.
void sync_calibration();
