// Where a song starts in a run of the headless driver, and its frames.
#include "songrun.h"

int song_frame0(const GameDir &dir, int song) {
    ReplayRun run = run_script(dir, keys_to_song(song) + "wait 12000\n");
    auto frames = run.polls("song");
    return frames.empty() ? -1 : frames.front().num("t");
}

std::vector<TraceLine> song_frames(const ReplayRun &run) { return run.polls("song"); }
