// The song catalogue against the charts it points at: counts, pools, timing and wiring.
#include "game/lanes.h"
#include "game/notes.h"
#include "game/song.h"
#include "headless/recording.h"
#include "menus/hiscoretable.h"
#include "menus/songselect.h"
#include "songs/catalogue.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <set>
#include <string>

namespace {

const int SONGS[] = {0, 1, 2, 3, 4, TUTORIAL_SONG};

} // namespace

TEST(Catalogue, OnlyTheSixSongIndicesHaveEntries) {
    for (int song : SONGS)
        EXPECT_NE(song_entry(song), nullptr) << song;
    for (int song : {-1, 5, 6, 98, 100})
        EXPECT_EQ(song_entry(song), nullptr) << song;
    std::set<std::string> files;
    for (int song : SONGS)
        files.insert(song_entry(song)->highscore_file);
    EXPECT_EQ(files.size(), 6u);
    EXPECT_STREQ(song_entry(TUTORIAL_SONG)->highscore_file, "data/DATA6.dat");
}

TEST(Catalogue, EachSongHasItsChart) {
    const int counts[] = {416, 613, 478, 343, 859, 63};
    int i = 0;
    for (int song : SONGS) {
        const SongEntry *entry = song_entry(song);
        ASSERT_NE(entry->chart, nullptr);
        EXPECT_EQ(entry->chart, chart_for_song(song)) << song;
        EXPECT_EQ(entry->chart->count, counts[i]) << song;
        ++i;
    }
}

TEST(Catalogue, EveryNoteFitsItsPoolAndReachesTheHitLineBeforeTheEnd) {
    for (int song : SONGS) {
        const SongEntry *entry = song_entry(song);
        const Chart &chart = *entry->chart;
        ASSERT_NE(chart.notes, nullptr) << song;
        std::set<std::pair<int, int>> slots;
        int bad = 0;
        for (int n = 0; n < chart.count; ++n) {
            const ChartNote &note = chart.notes[n];
            const Lane *lane = lane_at(note.lane);
            // At 20 frames a second a note falls off 1.15 s after its spawn.
            bool ok = lane && note.slot >= 0 && note.slot < lane->count &&
                      slots.insert({note.lane, note.slot}).second &&
                      note.spawn + 1800 <= entry->end_ms;
            if (!ok && bad++ == 0)
                ADD_FAILURE() << "song " << song << " row " << n << ": lane " << note.lane
                              << " slot " << note.slot << " at " << note.spawn;
        }
        EXPECT_EQ(bad, 0) << "song " << song;
    }
}

TEST(Catalogue, EachPlaybackFunctionPlaysItsSongsChart) {
    const std::pair<void (*)(), int> doors[] = {
        {paranoid, 0},      {highwaytohell, 1},        {aceofspades, 2},
        {runtothehills, 3}, {forwhomthebellstolls, 4}, {tutorial, TUTORIAL_SONG}};
    for (const auto &door : doors) {
        const SongEntry *entry = song_entry(door.second);
        const Chart &chart = *entry->chart;
        ASSERT_GT(chart.count, 0);
        zerar_notas();
        BPS = 10;
        msec = entry->end_ms; // every row has spawned
        door.first();
        int moved = 0;
        for (int n = 0; n < chart.count; ++n) {
            const Lane *lane = lane_at(chart.notes[n].lane);
            if (lane && chart.notes[n].slot >= 0 && chart.notes[n].slot < lane->count)
                moved += lane->slots[chart.notes[n].slot].y == 10;
        }
        EXPECT_EQ(moved, chart.count) << door.second;
    }
    zerar_notas();
    msec = 0;
}

// In a child process, since the added entry stays in the catalogue for the process's life.
TEST(Catalogue, AnAddedSongIsFoundByItsIndexAndGetsAPageAndAStartFile) {
    EXPECT_EXIT(
        {
            SongEntry added = *song_entry(0);
            added.index = 7;
            added.highscore_file = "data/DATA7.dat";
            added.page_title = "<  ADDED  >";
            added.music = nullptr; // it brings no handle: it gets one of its own
            const SongEntry *first = song_entry(0);
            const int before = song_count();
            EXPECT_FALSE(add_song(*first)); // index 0 is taken
            EXPECT_TRUE(add_song(added));
            EXPECT_EQ(song_entry(0), first); // entries stay where they were
            EXPECT_EQ(song_entry(7), song_at(before));
            EXPECT_EQ(song_entry(7)->music, &song_entry(7)->recording);
            EXPECT_EQ(step_song(4, +1), 7);
            EXPECT_EQ(step_song(7, +1), 0);
            EXPECT_EQ(step_song(0, -1), 7);
            EXPECT_EQ(page_song(before), 7);
            EXPECT_STREQ(page_title(before), "<  ADDED  >");
            EXPECT_STREQ(start_file_name(before + 1), "data/DATA7.dat");
            EXPECT_EQ(tutorial_song(), TUTORIAL_SONG);
            std::exit(testing::Test::HasFailure() ? 1 : 0);
        },
        testing::ExitedWithCode(0), "");
}
