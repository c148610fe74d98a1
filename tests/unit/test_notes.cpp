// Note slots: how a charted note falls, parks and is reset, frame by frame.
#include "song_fixture.h"

using namespace song_test;

namespace {

class NotesTest : public SongFixture {};

struct Seen {
    int y;    // after the frame's move
    int w, h; // as drawn
};

// `frames` frames of 50 ms from the clock reading `from`, noting one slot after each.
std::vector<Seen> follow(const Chart &chart, const SDL_Rect &slot, int from, int frames) {
    std::vector<Seen> seen;
    for (int f = 0; f < frames; ++f) {
        run_frame(chart, from + 50 * f);
        seen.push_back({slot.y, slot.w, slot.h});
    }
    return seen;
}

} // namespace

TEST_F(NotesTest, OneNoteFromSpawnToParking) {
    std::vector<ChartNote> rows = {{1, 1000, 0}};
    Chart chart = chart_of(rows);
    // The frame before the spawn time leaves the slot waiting; the spawn frame draws at 0.
    std::vector<Seen> seen = follow(chart, dst_Nota1[0], 950, 30);
    EXPECT_EQ(seen[0].y, 0);
    EXPECT_EQ(seen[0].h, 0);
    for (int k = 0; k <= 22; ++k) {
        const Seen &s = seen[1 + k];
        EXPECT_EQ(s.y, 10 * (k + 1)) << "frame s+" << k;
        EXPECT_EQ(s.w, 31);
        // Drawn at 10k: clipped by the bottom edge from 220 on.
        EXPECT_EQ(s.h, k <= 21 ? 23 : 20) << "frame s+" << k;
    }
    EXPECT_EQ(seen[24].y, 240); // the fall-off frame, drawn at 230
    EXPECT_EQ(seen[24].h, 10);
    int at_falloff = 0;
    for (size_t f = 25; f < seen.size(); ++f) {
        EXPECT_EQ(seen[f].y, 250); // parked: back to 240 at the park step, moved again
        EXPECT_EQ(seen[f].w, 0);
        EXPECT_EQ(seen[f].h, 0);
    }
    for (const Seen &s : seen)
        at_falloff += s.y == NOTE_FALLOFF_Y;
    EXPECT_EQ(at_falloff, 1);
}

TEST_F(NotesTest, DrawingComesBeforeTheMove) {
    std::vector<ChartNote> rows = {{3, 0, 0}};
    Chart chart = chart_of(rows);
    for (int f = 0; f < 10; ++f)
        run_frame(chart, 50 * f);
    clear_screen();
    run_frame(chart, 500); // drawn at 100, moved to 110
    EXPECT_EQ(dst_Nota3[0].y, 110);
    EXPECT_EQ(pixel(145 + 15, 100), tag_on_screen(3));
    EXPECT_EQ(pixel(145 + 15, 122), tag_on_screen(3));
    EXPECT_EQ(pixel(145 + 15, 123), 0);
    EXPECT_EQ(pixel(145 + 15, 99), 0);
}

TEST_F(NotesTest, FutureAndUnchartedSlotsAreLeftAlone) {
    std::vector<ChartNote> rows = {{2, 500, 0}, {2, 9000, 1}, {4, 100, 5}};
    Chart chart = chart_of(rows);
    follow(chart, dst_Nota2[0], 0, 59);
    clear_screen();
    run_frame(chart, 2950);
    EXPECT_EQ(dst_Nota2[0].y, 250);
    EXPECT_EQ(dst_Nota4[5].y, 250);
    // The later note: not drawn, not moved, no size.
    EXPECT_EQ(dst_Nota2[1].y, 0);
    EXPECT_EQ(dst_Nota2[1].h, 0);
    EXPECT_EQ(pixel(110 + 15, 5), 0);
    // Slots no row names.
    EXPECT_EQ(dst_Nota2[2].y, 0);
    EXPECT_EQ(dst_Nota4[0].y, 0);
    EXPECT_EQ(dst_Nota1[0].y, 0);
}

TEST_F(NotesTest, ZerarNotasPutsEverySlotBackAndForgetsHits) {
    std::vector<ChartNote> rows = {{1, 0, 310}, {5, 0, 99}, {2, 0, 3}};
    Chart chart = chart_of(rows);
    follow(chart, dst_Nota1[310], 0, 12);
    hit_Nota1[310] = hit_Nota5[99] = hit_Nota3[0] = true;
    zerar_notas();
    for (int lane = 1; lane <= 5; ++lane) {
        const Lane *pool = lane_at(lane);
        for (int i = 0; i < pool->count; ++i) {
            EXPECT_EQ(pool->slots[i].y, 0);
            EXPECT_FALSE(pool->marks[i]);
        }
    }
    // Columns and the last drawn sizes stay.
    EXPECT_EQ(dst_Nota1[310].x, 80);
    EXPECT_EQ(dst_Nota5[99].x, 210);
    EXPECT_EQ(dst_Nota1[310].h, 23);
}

TEST_F(NotesTest, TwoRowsOfOneTimeFallAsOneNote) {
    // As in the first chart's lane 2: a second row at the same time, placed at the end.
    std::vector<ChartNote> rows = {{2, 1000, 0}, {2, 1400, 1}, {2, 1000, 2}};
    Chart chart = chart_of(rows);
    for (int f = 0; f < 40; ++f) {
        run_frame(chart, 900 + 50 * f);
        EXPECT_EQ(dst_Nota2[0].y, dst_Nota2[2].y) << "frame " << f;
        EXPECT_EQ(dst_Nota2[0].h, dst_Nota2[2].h) << "frame " << f;
    }
    // A row spawning earlier than the one before it still spawns at its own time.
    std::vector<ChartNote> late = {{3, 2000, 0}, {3, 500, 1}};
    Chart out_of_order = chart_of(late);
    run_frame(out_of_order, 600);
    EXPECT_EQ(dst_Nota3[0].y, 0);
    EXPECT_EQ(dst_Nota3[1].y, 10);
}

TEST_F(NotesTest, MoveIsSixteenBitAndStopsWhilePaused) {
    std::vector<ChartNote> rows = {{1, 0, 0}};
    Chart chart = chart_of(rows);
    dst_Nota1[0].y = 32760;
    run_frame(chart, 0);
    EXPECT_EQ(dst_Nota1[0].y, -32766);
    dst_Nota1[0].y = 100;
    BPS = 0;
    run_frame(chart, 50);
    EXPECT_EQ(dst_Nota1[0].y, 100);
}

TEST_F(NotesTest, RowsOutsideThePoolsAreSkipped) {
    std::vector<ChartNote> rows = {{0, 0, 0},   {6, 0, 0},   {1, 0, -1}, {1, 0, 311},
                                   {5, 0, 100}, {4, 0, 126}, {5, 0, 99}};
    Chart chart = chart_of(rows);
    run_frame(chart, 0);
    EXPECT_EQ(dst_Nota5[99].y, 10); // the one good row
    for (int lane = 1; lane <= 5; ++lane) {
        const Lane *pool = lane_at(lane);
        for (int i = 0; i < pool->count; ++i) {
            if (lane == 5 && i == 99) continue;
            EXPECT_EQ(pool->slots[i].y, 0);
        }
    }
    play_chart(Chart{nullptr, 3}); // no rows at all
}

TEST_F(NotesTest, EachLaneOfTheTableStandsInItsOwnColumn) {
    for (int n = 1; n <= LANE_COUNT; ++n) {
        const Lane &lane = *lane_at(n);
        EXPECT_EQ(lane.x, LANE_X[n - 1]);
        EXPECT_EQ(lane.count, LANE_SLOTS[n - 1]);
        EXPECT_EQ(lane.target->x, lane.x) << "lane " << n;
        EXPECT_EQ(lane.flame->x, lane.x) << "lane " << n;
        for (int i = 0; i < lane.count; ++i)
            ASSERT_EQ(lane.slots[i].x, lane.x) << "lane " << n << " slot " << i;
        EXPECT_EQ(lane.note_frame->x, NOTE_FRAME_X[n - 1]);
        EXPECT_EQ(lane.pressed_frame->x, PRESSED_FRAME_X[n - 1]);
    }
    EXPECT_EQ(lane_at(0), nullptr);
    EXPECT_EQ(lane_at(LANE_COUNT + 1), nullptr);
}
