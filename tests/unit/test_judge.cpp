// Hit detection: the hit window, hits and misses, hit marks, flames and chords.
#include "song_fixture.h"

#include "game/feedback.h"

#include <algorithm>

using namespace song_test;

namespace {

class JudgeTest : public SongFixture {};

// Runs frames of 50 ms from `from` to `to` (inclusive) with the fall-off checks after
// each, as the song loop does; returns the next clock reading.
int play_until(const Chart &chart, int from, int to) {
    int t = from;
    for (; t <= to; t += 50) {
        run_frame(chart, t);
        falloffs();
    }
    return t;
}

} // namespace

TEST_F(JudgeTest, CollisionNeedsASharedPixel) {
    struct Case {
        SDL_Rect a, b;
        bool overlap;
        const char *what;
    } cases[] = {
        {{0, 0, 10, 10}, {5, 5, 10, 10}, true, "corners overlap"},
        {{0, 0, 10, 10}, {0, 10, 10, 10}, false, "a's bottom touches b's top"},
        {{0, 10, 10, 10}, {0, 0, 10, 10}, false, "a's top touches b's bottom"},
        {{0, 0, 10, 10}, {10, 0, 10, 10}, false, "a's right touches b's left"},
        {{10, 0, 10, 10}, {0, 0, 10, 10}, false, "a's left touches b's right"},
        {{0, 0, 10, 10}, {9, 9, 1, 1}, true, "one pixel inside"},
        {{-10, -10, 20, 20}, {5, 5, 1, 1}, true, "negative corner"},
        // Sums beyond 16 bits: computed as int.
        {{32000, 0, 1000, 10}, {32767, 0, 1, 1}, true, "right edge past 32767"},
        // An undrawn target (0 x 0) meets no note in its column.
        {{80, 210, 31, 23}, {80, 222, 0, 0}, false, "undrawn target"},
        {{80, 0, 0, 0}, {80, 222, 31, 18}, false, "waiting slot"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(check_collision(c.a, c.b), c.overlap) << c.what;
}

TEST_F(JudgeTest, HitWindowIsFourFramesWide) {
    std::vector<ChartNote> rows = {{2, 0, 0}};
    Chart chart = chart_of(rows);
    std::vector<int> hit_at;
    for (int f = 0; f < 30; ++f) {
        run_frame(chart, 50 * f);
        if (press(2)) hit_at.push_back(dst_Nota2[0].y);
    }
    // The pressed frame gave the target its size, cut by the bottom of the screen.
    EXPECT_EQ(dst_fret2.h, 18);
    EXPECT_EQ(dst_fret2.w, 33);
    EXPECT_EQ(hit_at, (std::vector<int>{200, 210, 220, 230}));
}

TEST_F(JudgeTest, PressWithNothingInTheWindowIsAMiss) {
    std::vector<ChartNote> rows = {{1, 0, 0}};
    Chart chart = chart_of(rows);
    play_until(chart, 0, 900); // y 190: just above the window
    nSCORE = 40;
    nHITS = 4;
    EXPECT_FALSE(press(1));
    EXPECT_EQ(Balanca, -1);
    EXPECT_EQ(nHITS, 0);
    EXPECT_EQ(nSCORE, 40);
    EXPECT_EQ(xMISS, 1);
    EXPECT_EQ(A, 0);
    EXPECT_FALSE(hit_Nota1[0]);
}

TEST_F(JudgeTest, OnePressScoresOnceForOverlappingNotes) {
    // Two notes 100 ms apart: both overlap the target at 200 and 220.
    std::vector<ChartNote> rows = {{3, 0, 0}, {3, 100, 1}};
    Chart chart = chart_of(rows);
    int t = play_until(chart, 0, 1050);
    ASSERT_EQ(dst_Nota3[0].y, 220);
    ASSERT_EQ(dst_Nota3[1].y, 200);
    EXPECT_TRUE(press(3));
    EXPECT_EQ(tHITS, 1);
    EXPECT_EQ(nSCORE, 10);
    EXPECT_EQ(C, 1);
    // The first slot in index order took the hit; the other is a separate note.
    EXPECT_TRUE(hit_Nota3[0]);
    EXPECT_FALSE(hit_Nota3[1]);
    release();
    play_until(chart, t, t + 500);
    EXPECT_EQ(Balanca, 0); // +1 for the hit, -1 for the other note falling off
    EXPECT_EQ(nHITS, 0);
}

TEST_F(JudgeTest, EachPressIsJudgedOnItsOwn) {
    std::vector<ChartNote> rows = {{4, 0, 0}};
    Chart chart = chart_of(rows);
    int t = play_until(chart, 0, 950); // y 200
    EXPECT_TRUE(press(4));
    release();
    t = play_until(chart, t, t + 50); // y 220
    EXPECT_TRUE(press(4));            // the hit note is still there
    EXPECT_EQ(tHITS, 2);
    EXPECT_EQ(nSCORE, 20);
    EXPECT_EQ(Balanca, 2);
}

TEST_F(JudgeTest, HitNoteFallsOffWithoutAMissAfterTheRelease) {
    // Lane 1's note is tapped and released in the window; lane 2's note is left alone.
    std::vector<ChartNote> rows = {{1, 0, 0}, {2, 0, 0}};
    Chart chart = chart_of(rows);
    int t = play_until(chart, 0, 950);
    EXPECT_TRUE(press(1));
    release(); // the release clears A before the note falls off
    play_until(chart, t, t + 1000);
    EXPECT_EQ(tHITS, 1);
    EXPECT_EQ(Balanca, 0); // one hit, one miss: lane 2's
    EXPECT_EQ(nHITS, 0);
}

TEST_F(JudgeTest, HitFlagCoversItsLaneUntilTheNextEvent) {
    // Hit one note and keep the flag: an unhit note of the lane falls off unpunished.
    std::vector<ChartNote> rows = {{1, 0, 0}, {1, 300, 1}};
    Chart chart = chart_of(rows);
    int t = play_until(chart, 0, 1100); // first at 230, second at 170
    EXPECT_TRUE(press(1));
    play_until(chart, t, t + 1000);
    EXPECT_EQ(Balanca, 1);
    EXPECT_FALSE(hit_Nota1[1]);
}

TEST_F(JudgeTest, NotesDrawnOnTopOfEachOtherAreOneNote) {
    // Two rows of one time in lane 2: one press marks both, and left unhit they are one miss.
    std::vector<ChartNote> rows = {{2, 0, 0}, {2, 5000, 1}, {2, 0, 2}};
    Chart chart = chart_of(rows);
    int t = play_until(chart, 0, 1000);
    EXPECT_TRUE(press(2));
    EXPECT_TRUE(hit_Nota2[0]);
    EXPECT_TRUE(hit_Nota2[2]);
    EXPECT_FALSE(hit_Nota2[1]); // waiting at the top, not in the same place
    release();
    play_until(chart, t, t + 500);
    EXPECT_EQ(Balanca, 1);

    zerar_notas();
    Balanca = 0;
    play_until(chart, 0, 1500);
    EXPECT_EQ(Balanca, -1);
}

TEST_F(JudgeTest, OnlyTheLastLanesFallOffMissReachesTheWord) {
    struct Case {
        std::vector<ChartNote> rows;
        int meter;
        int miss_flag;
    } cases[] = {
        {{{1, 0, 0}}, -1, 0},
        {{{4, 0, 0}}, -1, 0},
        {{{5, 0, 0}}, -1, 1},
        {{{1, 0, 0}, {5, 0, 0}}, -2, 1},
    };
    for (const Case &c : cases) {
        zerar_notas();
        Balanca = 0;
        Chart chart = chart_of(c.rows);
        int misses_shown = 0;
        for (int t = 0; t <= 1500; t += 50) {
            run_frame(chart, t);
            falloffs();
            misses_shown += xMISS;
        }
        EXPECT_EQ(Balanca, c.meter) << "lanes " << c.rows.size();
        EXPECT_EQ(misses_shown, c.miss_flag);
    }
}

TEST_F(JudgeTest, HitShowsTheLanesFlameFromTheChosenSheet) {
    std::vector<ChartNote> rows = {{4, 0, 0}};
    Chart chart = chart_of(rows);
    play_until(chart, 0, 950);
    flame_menu = 2;
    clear_screen();
    EXPECT_TRUE(press(4));
    EXPECT_EQ(pixel(177, 155), tag_on_screen(12));
    EXPECT_EQ(pixel(177 + 31, 155 + 63), tag_on_screen(12));
    EXPECT_EQ(pixel(176, 155), 0);
    // Any other style still scores but shows nothing.
    flame_menu = 7;
    clear_screen();
    EXPECT_TRUE(press(4));
    EXPECT_EQ(pixel(177, 155), 0);
    EXPECT_EQ(tHITS, 2);
    // The flames of all lanes stand 67 rows above their targets.
    flame_menu = 0;
    void (*const doors[5])() = {keyhitflames1, keyhitflames2, keyhitflames3, keyhitflames4,
                                keyhitflames5};
    for (int lane = 1; lane <= 5; ++lane) {
        clear_screen();
        doors[lane - 1]();
        EXPECT_EQ(pixel(lane_at(lane)->x, 155), tag_on_screen(10)) << "lane " << lane;
    }
}

TEST_F(JudgeTest, LanesPressedTogetherAdjustPerPair) {
    // Every unordered pair once.
    bool seen[6][6] = {};
    for (const int *pair : lane_pairs) {
        int lo = std::min(pair[0], pair[1]), hi = std::max(pair[0], pair[1]);
        EXPECT_FALSE(seen[lo][hi]) << lo << "," << hi;
        seen[lo][hi] = true;
    }
    // k held lanes: k(k-1)/2 pairs, each +2 on the meter.
    for (int k = 1; k <= 5; ++k) {
        release();
        for (int lane = 1; lane <= k; ++lane)
            *lane_flag(lane) = 1;
        Balanca = 0;
        nHITS = 0;
        two_lane_adjust();
        EXPECT_EQ(Balanca, k * (k - 1)) << k << " lanes";
    }
    // The streak loses 2 per pair until it is 0; from 1 it goes negative.
    release();
    GP2X_Y = GP2X_B = GP2X_A = 1;
    nHITS = 4;
    tHITS = 10;
    two_lane_adjust();
    EXPECT_EQ(nHITS, 0);
    EXPECT_EQ(tHITS, 6);
    nHITS = 1;
    tHITS = 1;
    two_lane_adjust();
    EXPECT_EQ(nHITS, -5);
    EXPECT_EQ(tHITS, -5);
    // A negative streak scores the lowest step.
    nSCORE = 0;
    score_hit();
    EXPECT_EQ(nSCORE, 10);
    EXPECT_EQ(nHITS, -4);
}
