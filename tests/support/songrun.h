// Where a song starts in a run of the headless driver, and its frames.
#pragma once
#include "harness.h"
#include "songscript.h"

#include <string>
#include <vector>

// Virtual time of frame 0 of song `song`: the first "song" poll of a run of its prefix.
// The clock is virtual, so it is the same in every run with that prefix.
int song_frame0(const GameDir &dir, int song);

// Song frames of a run in order (the song's poll lines).
std::vector<TraceLine> song_frames(const ReplayRun &run);
