// Hits, misses and streaks as a player meets them, on the tutorial's first notes.
#include "songrun.h"

#include <gtest/gtest.h>

namespace {

class TutorialPresses : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        dir = new GameDir();
        frame0 = song_frame0(*dir, TUTORIAL_INDEX);
        notes = notes_in_time(TUTORIAL_INDEX);
    }
    static void TearDownTestSuite() {
        delete dir;
        dir = nullptr;
    }
    void SetUp() override {
        ASSERT_GT(frame0, 0);
        ASSERT_GE(notes.size(), 5u);
    }

    // Plays the tutorial with `keys` until frame `last`; returns the song frames.
    static ReplayRun play(const std::vector<FrameKey> &keys, int last) {
        return run_script(*dir, song_script(TUTORIAL_INDEX, frame0, keys, last));
    }
    // The first note of the tutorial and its spawn frame: a lone lane-1 note seconds
    // before the next one.
    static int first_spawn() { return spawn_frame(notes[0].spawn); }
    static int time_of(int frame) { return frame0 + 50 * frame; }

    static GameDir *dir;
    static int frame0;
    static std::vector<ChartNote> notes;
};
GameDir *TutorialPresses::dir;
int TutorialPresses::frame0;
std::vector<ChartNote> TutorialPresses::notes;

TEST_F(TutorialPresses, FramesAreFiftyMillisecondsOnTheSongClock) {
    ReplayRun run = play({}, 40);
    auto frames = song_frames(run);
    ASSERT_GE(frames.size(), 41u);
    for (int k = 0; k <= 40; ++k) {
        EXPECT_EQ(frames[k].num("msec"), 50 * k);
        EXPECT_EQ(frames[k].num("t"), time_of(k));
    }
    // Loading screen (2.2 s) and countdown (3 s) before the music and the clock start.
    auto boom = run.sound_times("EXPLOSAO");
    ASSERT_EQ(boom.size(), 1u);
    EXPECT_EQ(frame0 - boom[0], 3000);
    ASSERT_FALSE(run.music().empty());
    EXPECT_EQ(run.music().back(), "song/tutorial/Tutorial.ogg");
}

TEST_F(TutorialPresses, ANoteIsHitInFourFramesAndMissedJustOutside) {
    ASSERT_EQ(notes[0].lane, 1);
    int s = first_spawn();
    for (int offset = WINDOW_FIRST - 1; offset <= FALL_OFF; ++offset) {
        SCOPED_TRACE("press at spawn frame + " + std::to_string(offset));
        int press = s + offset;
        ReplayRun run = play({{press, "tap", "a"}}, s + FALL_OFF + 2);
        auto frames = song_frames(run);
        ASSERT_GE(static_cast<int>(frames.size()), s + FALL_OFF + 3);
        const TraceLine &after = frames[press + 1];
        bool in_window = offset >= WINDOW_FIRST && offset <= WINDOW_LAST;
        if (in_window) {
            EXPECT_EQ(after.num("hits"), 1);
            EXPECT_EQ(after.num("score"), 10);
            EXPECT_EQ(after.num("streak"), 1);
            EXPECT_EQ(after.num("meter"), 1);
            EXPECT_EQ(after.text("word"), "GOOD");
            // The word shows for one frame, then the fall-off checks blank it.
            EXPECT_EQ(frames[press + 2].text("word"), "");
            EXPECT_TRUE(run.sound_times("ERRO4").empty());
        } else {
            EXPECT_EQ(after.num("hits"), 0);
            EXPECT_EQ(after.num("score"), 0);
            EXPECT_EQ(after.text("word"), "MISS");
            EXPECT_EQ(run.sound_times("ERRO4").front(), time_of(press + 1));
        }
        // Unhit, the note also counts as a miss when it falls off: two misses in all.
        EXPECT_EQ(frames[s + FALL_OFF + 2].num("meter"), in_window ? 1 : -2);
    }
}

TEST_F(TutorialPresses, FallOffMissesShowTheWordOnlyFromLaneFive) {
    // Nothing pressed: the lone lane-1 note leaves the screen and counts, but the checks
    // of lanes 2 to 5 in the same frame blank the word again.
    int s = first_spawn();
    ReplayRun quiet = play({}, s + FALL_OFF + 2);
    auto frames = song_frames(quiet);
    ASSERT_GE(static_cast<int>(frames.size()), s + FALL_OFF + 3);
    // A frame's poll comes after its fall-off checks.
    EXPECT_EQ(frames[s + FALL_OFF - 1].num("meter"), 0);
    EXPECT_EQ(frames[s + FALL_OFF].num("meter"), -1);
    EXPECT_EQ(frames[s + FALL_OFF].num("streak"), 0);
    EXPECT_EQ(frames[s + FALL_OFF + 1].text("word"), "");
    EXPECT_TRUE(quiet.sound_times("ERRO4").empty());

    // Every note before the first lane-5 note hit cleanly; the lane-5 note let fall.
    std::vector<ChartNote> before;
    const ChartNote *lane5 = nullptr;
    for (const ChartNote &n : notes) {
        if (n.lane == 5) {
            lane5 = &n;
            break;
        }
        before.push_back(n);
    }
    ASSERT_NE(lane5, nullptr);
    int f = spawn_frame(lane5->spawn) + FALL_OFF;
    for (const ChartNote &n : notes)
        if (&n != lane5 && n.spawn <= lane5->spawn + 200 && n.spawn >= lane5->spawn - 200)
            GTEST_SKIP() << "the first lane-5 note is not alone";
    std::vector<FrameKey> keys;
    ASSERT_EQ(tap_each_note(before, keys), 0);
    ReplayRun run = play(keys, f + 2);
    frames = song_frames(run);
    ASSERT_GE(static_cast<int>(frames.size()), f + 3);
    EXPECT_EQ(frames[f].num("hits"), static_cast<int>(before.size()));
    EXPECT_GT(frames[f - 1].num("streak"), 0);
    EXPECT_EQ(frames[f].num("meter"), frames[f - 1].num("meter") - 1);
    EXPECT_EQ(frames[f].num("streak"), 0);
    EXPECT_EQ(frames[f + 1].text("word"), "MISS");
    auto erro = run.sound_times("ERRO4");
    ASSERT_EQ(erro.size(), 1u);
    EXPECT_EQ(erro[0], time_of(f + 1));
}

TEST_F(TutorialPresses, PressingASecondLaneJudgesBothAndAdjustsThePair) {
    // The tutorial opens with three lone lane-1 notes, then a two-lane chord; the three
    // are let fall (meter -3, streak 0).
    ASSERT_EQ(notes[3].spawn, notes[4].spawn);
    ASSERT_LT(notes[2].spawn, notes[3].spawn);
    const ChartNote &low = notes[3], &high = notes[4];
    int s = spawn_frame(low.spawn);
    // Hold the lower lane, then press the higher one while it is still held.
    std::vector<FrameKey> keys = {{s + 20, "down", lane_key(low.lane)},
                                  {s + 21, "down", lane_key(high.lane)},
                                  {s + 22, "up", lane_key(high.lane)}};
    ReplayRun run = play(keys, s + 23);
    auto frames = song_frames(run);
    ASSERT_GE(static_cast<int>(frames.size()), s + 24);
    const TraceLine &held = frames[s + 21], &both = frames[s + 22];
    EXPECT_EQ(held.num("score"), 10);
    EXPECT_EQ(held.num("hits"), 1);
    EXPECT_EQ(held.num("streak"), 1);
    EXPECT_EQ(held.num("meter"), -2);
    // The second key-down judges the held lane again (its note still overlaps) and the
    // new lane: two more hits of 10; then the pair adds 2 to the meter and takes 2 from
    // the streak and the hit count.
    EXPECT_EQ(both.num("score"), 30);
    EXPECT_EQ(both.num("hits"), 1);
    EXPECT_EQ(both.num("streak"), 1);
    EXPECT_EQ(both.num("meter"), 2);
    EXPECT_EQ(both.text("word"), "GOOD");
}

TEST_F(TutorialPresses, TheSixthHitAndTheStreakBonusSteps) {
    // Holding lane 1 and pressing a key of no lane judges lane 1 again: four hits on each
    // of the first three notes, one press a frame through the whole window.
    std::vector<FrameKey> keys;
    std::vector<int> hit_frames;
    for (int n = 0; n < 3; ++n) {
        ASSERT_EQ(notes[n].lane, 1);
        int s = spawn_frame(notes[n].spawn);
        keys.push_back({s + 19, "down", "a"});
        for (int k = 20; k <= 22; ++k)
            keys.push_back({s + k, "down", "z"});
        keys.push_back({s + 23, "up", "a"});
        for (int k = 19; k <= 22; ++k)
            hit_frames.push_back(s + k);
    }
    ReplayRun run = play(keys, hit_frames.back() + 4);
    auto frames = song_frames(run);
    ASSERT_GE(static_cast<int>(frames.size()), hit_frames.back() + 5);
    auto after = [&](int hit) { return frames[hit_frames[hit - 1] + 1]; };
    // Hits 1 to 5 score 10 each; the next frame shows the streak 5 and steps it to 6
    // with the bonus sound (the poll sees the streak after the step).
    EXPECT_EQ(frames[hit_frames[4]].num("streak"), 4);
    EXPECT_EQ(after(5).num("score"), 50);
    EXPECT_EQ(after(5).num("streak"), 6);
    auto bonus = run.sound_times("ESTRELA_MAIS");
    ASSERT_EQ(bonus.size(), 2u);
    EXPECT_EQ(bonus[0], time_of(hit_frames[4] + 1));
    // The sixth hit scores 20 but leaves the streak at 6; the seventh makes it 7.
    EXPECT_EQ(after(6).num("score"), 70);
    EXPECT_EQ(after(6).num("streak"), 6);
    EXPECT_EQ(after(6).num("hits"), 6);
    EXPECT_EQ(after(7).num("streak"), 7);
    // The hit that makes 10 scores 20; the bonus lifts the streak to 11 and the next hit
    // scores 30.
    EXPECT_EQ(after(10).num("score"), 150);
    EXPECT_EQ(after(10).num("streak"), 11);
    EXPECT_EQ(bonus[1], time_of(hit_frames[9] + 1));
    EXPECT_EQ(after(11).num("score"), 180);
    EXPECT_EQ(after(11).num("streak"), 12);
    EXPECT_EQ(after(12).num("score"), 210);
    EXPECT_EQ(after(12).num("meter"), 6); // the meter is full and stays full
    // The longest streak follows one step a frame.
    EXPECT_EQ(frames[hit_frames[11] + 3].num("longest"), 13);
}

} // namespace
