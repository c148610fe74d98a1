// Scoring: points, bonus steps, misses, the meter, the judgement word, accuracy and stars.
#include "song_fixture.h"

#include "engine/draw.h"
#include "game/hud.h"
#include "game/results.h"
#include "songs/catalogue.h"

#include <cstring>

using namespace song_test;

namespace {

class ScoreTest : public SongFixture {};

int bonus_sounds() { return effect_starts[ESTRELA_MAIS]; }

} // namespace

TEST_F(ScoreTest, FirstHitsAndTheFirstBonusStep) {
    int sounds = bonus_sounds();
    for (int i = 0; i < 5; ++i)
        score_hit();
    EXPECT_EQ(nSCORE, 50);
    EXPECT_EQ(nHITS, 5);
    EXPECT_EQ(Balanca, 5);
    streak_bonus();
    EXPECT_EQ(nHITS, 6);
    EXPECT_EQ(bonus_sounds(), sounds + 1);
    streak_bonus(); // 6 is no step
    EXPECT_EQ(bonus_sounds(), sounds + 1);
    // The sixth hit scores 20 but leaves the streak at 6; the seventh makes it 7.
    score_hit();
    EXPECT_EQ(nSCORE, 70);
    EXPECT_EQ(nHITS, 6);
    EXPECT_EQ(tHITS, 6);
    EXPECT_EQ(nHit, 6);
    score_hit();
    EXPECT_EQ(nHITS, 7);
    EXPECT_EQ(nSCORE, 90);
    EXPECT_EQ(xGOOD, 1);
}

TEST_F(ScoreTest, TheSecondBonusStepAndThePointsAroundIt) {
    nHit = 20;
    nHITS = 9;
    int sounds = bonus_sounds();
    score_hit(); // from a streak of 9: 20 points
    EXPECT_EQ(nSCORE, 20);
    EXPECT_EQ(nHITS, 10);
    streak_bonus();
    EXPECT_EQ(nHITS, 11);
    EXPECT_EQ(bonus_sounds(), sounds + 1);
    score_hit();
    EXPECT_EQ(nSCORE, 50);
    // Steps by the streak before the hit.
    struct Case {
        int streak, points;
    } cases[] = {{-3, 10}, {0, 10}, {4, 10}, {5, 20}, {9, 20}, {10, 30}, {400, 30}};
    for (const Case &c : cases) {
        nSCORE = 0;
        nHITS = c.streak;
        score_hit();
        EXPECT_EQ(nSCORE, c.points) << "streak " << c.streak;
    }
}

TEST_F(ScoreTest, MissesBreakTheStreakAndEmptyTheMeter) {
    nHITS = 8;
    nSCORE = 100;
    for (int i = 0; i < 5; ++i)
        score_miss();
    EXPECT_EQ(nHITS, 0);
    EXPECT_EQ(nSCORE, 100);
    EXPECT_EQ(xMISS, 1);
    clamp_meter();
    EXPECT_EQ(Balanca, -5);
    EXPECT_FALSE(meter_empty());
    score_miss();
    clamp_meter();
    EXPECT_TRUE(meter_empty()); // six misses from the start fail the song
    // Between two clamps the meter can leave -6..6; the clamp brings it back.
    struct Case {
        int before, after;
    } cases[] = {{9, 6}, {6, 6}, {5, 5}, {-5, -5}, {-7, -6}, {-20, -6}};
    for (const Case &c : cases) {
        Balanca = c.before;
        clamp_meter();
        EXPECT_EQ(Balanca, c.after) << c.before;
    }
    // Hits on a full meter keep it full.
    Balanca = 6;
    score_hit();
    clamp_meter();
    EXPECT_EQ(Balanca, 6);
}

TEST_F(ScoreTest, LongestStreakFollowsOneStepAFrame) {
    nSTREAK = 4;
    nHITS = 4;
    streak_bonus();
    nHITS = 6; // a bonus step jumped 5 to 6
    longest_streak_update();
    EXPECT_EQ(nSTREAK, 5);
    score_miss(); // broken before it caught up
    longest_streak_update();
    EXPECT_EQ(nSTREAK, 5);
    nHITS = 2;
    longest_streak_update(); // never goes down
    EXPECT_EQ(nSTREAK, 5);
}

TEST_F(ScoreTest, JudgementWordTakesTheLastFlagSet) {
    struct Case {
        int null_flag, good, miss;
        const char *before, *word;
        int miss_sounds;
    } cases[] = {
        {1, 0, 0, "MISS", "", 0},     {0, 1, 0, "", "GOOD", 0}, {0, 0, 1, "", "MISS", 1},
        {1, 1, 0, "", "GOOD", 0},     {1, 1, 1, "", "MISS", 1}, {0, 1, 1, "", "MISS", 1},
        {0, 0, 0, "MISS", "MISS", 0}, // no flag: the last word stays, without a sound
    };
    for (const Case &c : cases) {
        snprintf(textoE, sizeof textoE, "%s", c.before);
        xNULL = c.null_flag;
        xGOOD = c.good;
        xMISS = c.miss;
        int sounds = effect_starts[ERRO4];
        judgement_word();
        EXPECT_STREQ(textoE, c.word) << c.null_flag << c.good << c.miss;
        EXPECT_EQ(effect_starts[ERRO4] - sounds, c.miss_sounds) << c.null_flag << c.good << c.miss;
    }
    // A fall-off check's reset leaves the blank word for the next frame.
    xGOOD = xMISS = 1;
    feedback_reset();
    judgement_word();
    EXPECT_STREQ(textoE, "");
}

TEST_F(ScoreTest, MeterCoverHidesMoreTheEmptierTheMeter) {
    const int heights[13] = {0, 10, 20, 40, 50, 70, 80, 90, 100, 120, 140, 150, 160};
    for (int b = 6; b >= -6; --b) {
        const SDL_Rect *cover = rock_meter_cover(b);
        ASSERT_NE(cover, nullptr);
        EXPECT_EQ(cover->h, heights[6 - b]) << "Balanca " << b;
        EXPECT_EQ(cover->w, 11);
        EXPECT_EQ(cover->y, 0);
    }
    EXPECT_EQ(rock_meter_cover(9)->h, 0);
    EXPECT_EQ(rock_meter_cover(-9)->h, 160);
    Uint16 cover_colour = static_cast<Uint16>(SDL_MapRGB(screen->format, 30, 30, 30));
    // Full: nothing drawn. Empty meter at 0: the top 80 rows covered.
    Balanca = 6;
    clear_screen();
    draw_rock_meter_cover();
    EXPECT_EQ(pixel(298, 10), 0);
    Balanca = 0;
    draw_rock_meter_cover();
    EXPECT_EQ(pixel(298, 10), cover_colour);
    EXPECT_EQ(pixel(308, 89), cover_colour);
    EXPECT_EQ(pixel(298, 90), 0);
    EXPECT_EQ(pixel(297, 10), 0);
}

TEST_F(ScoreTest, AccuracyCountsEveryChartNoteHitOnce) {
    // What perfect play leaves, whatever the chords did to tHITS: every chart note marked.
    // Then one note in ten unmarked; 7 is no song.
    for (int song : {0, 1, 2, 3, 4, TUTORIAL_SONG}) {
        const Chart *chart = chart_for_song(song);
        ASSERT_NE(chart, nullptr);
        zerar_notas();
        tHITS = -4;
        for (int n = 0; n < chart->count; ++n)
            lane_at(chart->notes[n].lane)->marks[chart->notes[n].slot] = true;
        EXPECT_EQ(accuracy_percent(song), 100) << "song " << song;
        int left = 0;
        for (int n = 0; n < chart->count; n += 10, ++left)
            lane_at(chart->notes[n].lane)->marks[chart->notes[n].slot] = false;
        EXPECT_EQ(accuracy_percent(song), (chart->count - left) * 100 / chart->count)
            << "song " << song;
    }
    EXPECT_EQ(accuracy_percent(7), 0);
    zerar_notas();
}

TEST_F(ScoreTest, StarBandsAndTheirDrawing) {
    struct Case {
        int percent, width; // 0: no overlay
    } cases[] = {{0, 21},    {19, 21},  {20, 41},  {29, 41},  {30, 63},  {45, 83},
                 {50, 105},  {69, 125}, {70, 147}, {89, 167}, {90, 189}, {99, 189},
                 {100, 209}, {101, 0},  {-1, 0},   {126, 0}};
    for (const Case &c : cases) {
        SDL_Rect *overlay = star_overlay(c.percent);
        if (c.width == 0) {
            EXPECT_EQ(overlay, nullptr) << c.percent;
            continue;
        }
        ASSERT_NE(overlay, nullptr) << c.percent;
        EXPECT_EQ(overlay->w, c.width) << c.percent;
        EXPECT_EQ(overlay->h, 39);
        EXPECT_EQ(overlay->x, 0);
    }
    Uint16 empty = static_cast<Uint16>(SDL_MapRGB(screen->format, 60, 60, 60));
    Uint16 full = static_cast<Uint16>(SDL_MapRGB(screen->format, 250, 200, 0));
    clear_screen();
    draw_star_rating(100);
    EXPECT_EQ(pixel(55, 100), full);
    EXPECT_EQ(pixel(55 + 208, 138), full);
    clear_screen();
    draw_star_rating(0);
    EXPECT_EQ(pixel(55 + 20, 100), full);
    EXPECT_EQ(pixel(55 + 21, 100), empty);
    clear_screen();
    draw_star_rating(-1); // only the empty row
    EXPECT_EQ(pixel(55, 100), empty);
    EXPECT_EQ(dst_starNull.x, 55);
    EXPECT_EQ(dst_starNull.y, 100);
}
