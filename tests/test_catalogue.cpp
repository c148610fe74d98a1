// The song catalogue against the charts it points at: counts, pools, timing and wiring.
#include "game/lanes.h"
#include "game/notes.h"
#include "game/song.h"
#include "songs/catalogue.h"

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

TEST(Catalogue, EachPlaybackFunctionPlaysItsOwnChart) {
    for (int song : SONGS) {
        const SongEntry *entry = song_entry(song);
        const Chart &chart = *entry->chart;
        ASSERT_GT(chart.count, 0);
        zerar_notas();
        BPS = 10;
        msec = entry->end_ms; // every row has spawned
        entry->playback();
        int moved = 0;
        for (int n = 0; n < chart.count; ++n) {
            const Lane *lane = lane_at(chart.notes[n].lane);
            if (lane && chart.notes[n].slot >= 0 && chart.notes[n].slot < lane->count)
                moved += lane->slots[chart.notes[n].slot].y == 10;
        }
        EXPECT_EQ(moved, chart.count) << song;
    }
    zerar_notas();
    msec = 0;
}
