// How songs end and pause: failing, the skip key, pausing, leaving, the whole tutorial.
#include "songrun.h"

#include <gtest/gtest.h>

namespace {

class SongFlow : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        dir = new GameDir();
        tutorial0 = song_frame0(*dir, TUTORIAL_INDEX);
        paranoid0 = song_frame0(*dir, 0);
    }
    static void TearDownTestSuite() {
        delete dir;
        dir = nullptr;
    }
    void SetUp() override {
        ASSERT_GT(tutorial0, 0);
        ASSERT_GT(paranoid0, 0);
    }
    static ReplayRun play(int song, const std::vector<FrameKey> &keys, int last, int extra = 0) {
        int frame0 = song == TUTORIAL_INDEX ? tutorial0 : paranoid0;
        return run_script(*dir, song_script(song, frame0, keys, last, extra));
    }
    // Polls of any screen after virtual time t.
    static std::vector<TraceLine> polls_after(const ReplayRun &run, int t) {
        std::vector<TraceLine> out;
        for (const TraceLine &l : run.all_polls())
            if (l.num("t") > t) out.push_back(l);
        return out;
    }

    static GameDir *dir;
    static int tutorial0, paranoid0;
};
GameDir *SongFlow::dir;
int SongFlow::tutorial0;
int SongFlow::paranoid0;

// Score and streak after n hits, each in a frame of its own and none missed: 10 points
// for hits 1 to 5, 20 for 6 to 10 and 30 from 11 on; the streak gains the two bonus steps
// (5 to 6, 10 to 11) and loses the sixth hit.
int score_after(int n) {
    return 10 * std::min(n, 5) + 20 * std::max(0, std::min(n, 10) - 5) + 30 * std::max(0, n - 10);
}
int streak_after(int n) { return n + (n >= 5) - (n >= 6) + (n >= 10); }

TEST_F(SongFlow, SixMissedPressesFailTheSong) {
    std::vector<FrameKey> keys;
    for (int i = 0; i < 6; ++i)
        keys.push_back({10 + 2 * i, "tap", "a"});
    ReplayRun run = play(TUTORIAL_INDEX, keys, 80, 4000);
    auto frames = song_frames(run);
    // The sixth miss (frame 20) empties the meter; the next frame fails before its poll.
    ASSERT_EQ(frames.size(), 21u);
    EXPECT_EQ(frames[20].num("meter"), -5);
    EXPECT_EQ(frames[20].num("loses"), 0);
    auto fail = run.sound_times("PTRUIM");
    ASSERT_EQ(fail.size(), 1u);
    EXPECT_EQ(fail[0], tutorial0 + 50 * 21);
    EXPECT_EQ(run.sound_times("ERRO4").size(), 6u);
    EXPECT_TRUE(run.sound_times("PTPOWER").empty());
    // The failure banner holds 3 s; then the menu music starts again and one loss counts.
    ASSERT_GE(run.music().size(), 3u);
    EXPECT_EQ(run.music().back(), "audio/menu1.mp3");
    auto after = polls_after(run, fail[0]);
    ASSERT_FALSE(after.empty());
    EXPECT_GE(after.front().num("t"), fail[0] + 3000);
    EXPECT_EQ(after.front().text("screen"), "main_menu");
    EXPECT_EQ(after.front().num("loses"), 1);
    EXPECT_EQ(after.front().num("wins"), 0);
}

TEST_F(SongFlow, PlayingNothingFailsWhenTheFallenNotesEmptyTheMeter) {
    // Every lane with a note leaving the screen in a frame loses one point of the meter in
    // that frame; the frame after the total reaches -6 fails.
    std::vector<std::pair<int, int>> falls; // (fall-off frame, lane)
    for (const ChartNote &n : notes_in_time(TUTORIAL_INDEX))
        falls.push_back({spawn_frame(n.spawn) + FALL_OFF, n.lane});
    std::sort(falls.begin(), falls.end());
    falls.erase(std::unique(falls.begin(), falls.end()), falls.end());
    int meter = 0, last_frame = -1;
    for (const auto &f : falls) {
        meter -= 1;
        if (meter <= -6) {
            last_frame = f.first;
            break;
        }
    }
    ASSERT_GT(last_frame, 0);
    ReplayRun run = play(TUTORIAL_INDEX, {}, last_frame + 10, 4000);
    auto frames = song_frames(run);
    ASSERT_EQ(static_cast<int>(frames.size()), last_frame + 1);
    EXPECT_LE(frames.back().num("meter"), -6);
    EXPECT_GT(frames[last_frame - 1].num("meter"), -6);
    auto fail = run.sound_times("PTRUIM");
    ASSERT_EQ(fail.size(), 1u);
    EXPECT_EQ(fail[0], tutorial0 + 50 * (last_frame + 1));
    auto after = polls_after(run, fail[0]);
    ASSERT_FALSE(after.empty());
    EXPECT_EQ(after.front().num("loses"), 1);
}

TEST_F(SongFlow, TheSkipKeyWinsTheSongOneFrameLater) {
    ReplayRun run = play(0, {{30, "tap", "q"}}, 40, 8000);
    auto frames = song_frames(run);
    ASSERT_EQ(frames.size(), 31u);
    auto win = run.sound_times("PTPOWER");
    ASSERT_EQ(win.size(), 1u);
    EXPECT_EQ(win[0], paranoid0 + 50 * 31);
    EXPECT_TRUE(run.sound_times("PTRUIM").empty());
    // Banner 2 s and results 4 s; then the name entry, with the win counted.
    auto after = polls_after(run, win[0]);
    ASSERT_FALSE(after.empty());
    EXPECT_EQ(after.front().num("t"), win[0] + 6000);
    EXPECT_EQ(after.front().num("wins"), 1);
    EXPECT_EQ(after.front().num("loses"), 0);
    // The song's music was the last one started: it plays on under the results.
    EXPECT_EQ(run.music().back(), "song/Paranoid.ogg");
}

TEST_F(SongFlow, APauseStopsTheClockAndTheNotes) {
    const std::vector<ChartNote> notes = notes_in_time(TUTORIAL_INDEX);
    ASSERT_FALSE(notes.empty());
    int s = spawn_frame(notes[0].spawn);
    int k = s + 5; // the note is falling
    // START at frame k, a lane key and a song-ending key on the pause screen (ignored),
    // START again 10 s later. A key queued 10017 + 50 m ms after frame k is taken m + 2
    // frames after the pause, whatever the pause's last pass took (less than 17 ms).
    int m = (s + WINDOW_FIRST) - (k + 2);
    std::vector<FrameKey> keys = {{k, "tap", "RETURN"},       {k, "tap", "a", 3000},
                                  {k, "tap", "q", 4000},      {k, "down", "RETURN", 10000},
                                  {k, "up", "RETURN", 10000}, {k + m, "tap", "a", 10017}};
    ReplayRun run = play(TUTORIAL_INDEX, keys, s + 30, 10100);
    auto frames = song_frames(run);
    ASSERT_GE(static_cast<int>(frames.size()), s + 24);
    auto pause = run.polls("pause");
    ASSERT_GE(pause.size(), 10000u / 17);
    EXPECT_LE(pause.size(), 10000u / 17 + 2);
    for (const TraceLine &p : pause)
        EXPECT_EQ(p.num("msec"), 50 * k);
    // The clock goes on from where it stopped, plus the last pass of the pause screen.
    int resumed = frames[k + 1].num("msec");
    EXPECT_GT(resumed, 50 * k);
    EXPECT_LE(resumed, 50 * k + 17);
    EXPECT_GE(frames[k + 1].num("t"), frames[k].num("t") + 10000);
    // The note has not moved while paused: it is in its window 19 frames after its spawn,
    // frames counted without the pause.
    EXPECT_EQ(frames[s + WINDOW_FIRST].num("hits"), 0);
    EXPECT_EQ(frames[s + WINDOW_FIRST + 1].num("hits"), 1);
    EXPECT_EQ(frames[s + WINDOW_FIRST + 1].num("meter"), 1);
    EXPECT_TRUE(run.sound_times("PTPOWER").empty());
}

TEST_F(SongFlow, LeavingFromThePauseCountsNothing) {
    std::vector<FrameKey> keys = {{20, "tap", "RETURN"}, {20, "tap", "ESCAPE", 1000}};
    ReplayRun run = play(TUTORIAL_INDEX, keys, 30, 3000);
    auto frames = song_frames(run);
    ASSERT_EQ(frames.size(), 21u);
    EXPECT_TRUE(run.sound_times("PTRUIM").empty());
    EXPECT_TRUE(run.sound_times("PTPOWER").empty());
    EXPECT_EQ(run.music().back(), "audio/menu1.mp3");
    auto menu = run.polls("main_menu");
    ASSERT_FALSE(menu.empty());
    EXPECT_GT(menu.back().num("t"), frames.back().num("t") + 1000);
    EXPECT_EQ(menu.back().num("wins"), 0);
    EXPECT_EQ(menu.back().num("loses"), 0);
}

TEST_F(SongFlow, TheWholeTutorialHitNoteByNote) {
    const std::vector<ChartNote> notes = notes_in_time(TUTORIAL_INDEX);
    std::vector<FrameKey> keys;
    ASSERT_EQ(tap_each_note(notes, keys), 0);
    const int end_ms = 146000;
    // The win test sees the previous frame's clock: the first frame after the one that
    // reached the end time wins.
    int win_frame = end_ms / 50 + 1;
    ReplayRun run = play(TUTORIAL_INDEX, keys, win_frame + 2, 7000);
    auto frames = song_frames(run);
    ASSERT_EQ(static_cast<int>(frames.size()), win_frame);
    const int n = static_cast<int>(notes.size());
    const TraceLine &last = frames.back();
    EXPECT_EQ(last.num("hits"), n);
    EXPECT_EQ(last.num("score"), score_after(n));
    EXPECT_EQ(last.num("streak"), streak_after(n));
    EXPECT_EQ(last.num("longest"), streak_after(n));
    EXPECT_EQ(last.num("meter"), 6);
    EXPECT_TRUE(run.sound_times("ERRO4").empty());
    auto win = run.sound_times("PTPOWER");
    ASSERT_EQ(win.size(), 1u);
    EXPECT_EQ(win[0], tutorial0 + 50 * win_frame);
    // The tutorial counts no win, but its name entry still follows.
    auto after = polls_after(run, win[0]);
    ASSERT_FALSE(after.empty());
    EXPECT_EQ(after.front().num("wins"), 0);
    EXPECT_EQ(after.front().num("score"), score_after(n));
}

} // namespace
