// Presses computed from the charts: one inside each note's window, every one a hit.
#include "songrun.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <map>

namespace {

struct Window {
    int first, last; // frames in which the note's key-down hits it
    std::string key;
};

// The frames in which each note can be hit alone: its hit window, after the note of its
// lane before it has left the target (unless the two spawn together).
std::vector<Window> windows(int song) {
    std::vector<Window> out;
    std::map<int, int> last_spawn; // by lane
    for (const ChartNote &n : notes_in_time(song)) {
        int s = spawn_frame(n.spawn);
        int first = s + WINDOW_FIRST;
        auto before = last_spawn.find(n.lane);
        if (before != last_spawn.end() && before->second != s)
            first = std::max(first, before->second + FALL_OFF);
        out.push_back({first, s + WINDOW_LAST, lane_key(n.lane)});
        last_spawn[n.lane] = s;
    }
    return out;
}

TEST(SongScript, EveryNoteOfEveryChartGetsAKeyDownInItsWindow) {
    for (int song : {0, 1, 2, 3, 4, TUTORIAL_INDEX}) {
        std::vector<FrameKey> keys;
        int chords = -1;
        EXPECT_EQ(tap_every_note(notes_in_time(song), keys, chords), 0) << "song " << song;
        EXPECT_GE(chords, 0);

        // One event per frame, so that each is taken by the poll of its own frame.
        std::map<int, int> per_frame;
        for (const FrameKey &k : keys)
            EXPECT_EQ(++per_frame[k.frame], 1) << "song " << song << ", frame " << k.frame;

        // Match the key-downs to the notes, earliest window end first, each key-down to the
        // earliest free one of the note's lane in its window: this finds a match for every
        // note whenever one exists.
        std::vector<Window> need = windows(song);
        std::stable_sort(need.begin(), need.end(),
                         [](const Window &a, const Window &b) { return a.last < b.last; });
        std::multimap<std::string, int> downs; // lane key -> frame
        for (const FrameKey &k : keys)
            if (k.cmd == "down") downs.insert({k.key, k.frame});
        EXPECT_EQ(downs.size(), need.size()) << "song " << song;
        int unmatched = 0;
        for (const Window &w : need) {
            auto best = downs.end();
            auto range = downs.equal_range(w.key);
            for (auto it = range.first; it != range.second; ++it)
                if (it->second >= w.first && it->second <= w.last &&
                    (best == downs.end() || it->second < best->second))
                    best = it;
            if (best == downs.end())
                ++unmatched;
            else
                downs.erase(best);
        }
        EXPECT_EQ(unmatched, 0) << "song " << song;
    }
}

TEST(SongScript, EveryKeyDownOfAWholeSongIsAHit) {
    // Paranoid's one chord is a second press of lane 2 while it is held, for two lane 2
    // notes that fall together: no two-lane adjustment, so each key-down adds one hit.
    GameDir dir;
    int frame0 = song_frame0(dir, 0);
    ASSERT_GT(frame0, 0);
    std::vector<FrameKey> keys;
    int chords = 0;
    ASSERT_EQ(tap_every_note(notes_in_time(0), keys, chords), 0);
    long downs =
        std::count_if(keys.begin(), keys.end(), [](const FrameKey &k) { return k.cmd == "down"; });
    // Past the song's end at 170 s, through the 6 s of win picture and results.
    ReplayRun run = run_script(dir, song_script(0, frame0, keys, 170000 / 50 + 2, 7000));
    std::vector<TraceLine> frames = song_frames(run);
    ASSERT_FALSE(frames.empty());
    EXPECT_EQ(frames.back().num("hits"), downs);
    EXPECT_EQ(downs, 416);
    EXPECT_FALSE(run.polls("name_entry").empty()) << "the song was not won";
}

} // namespace
