// Choosing a library song: its folder read into the catalogue's library entry, refusals
// with their reason, and the best score read from its highscore file.
#include "harness.h"
#include "songs/catalogue.h"
#include "songs/library.h"
#include "songs/librarysong.h"
#include "store/libraryscores.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// 1 tick = 1 ms: resolution 480 at 125 BPM.
const char *const kChart = "[Song]\n{\n  Resolution = 480\n}\n[SyncTrack]\n{\n  0 = B 125000\n}\n"
                           "[ExpertSingle]\n{\n  1000 = N 0 0\n  1500 = N 2 300\n}\n";

class LibrarySongChoice : public ::testing::Test {
  protected:
    GameDir dir;
    std::string home;
    void SetUp() override {
        char cwd[4096];
        ASSERT_NE(getcwd(cwd, sizeof cwd), nullptr);
        home = cwd;
        ASSERT_EQ(chdir(dir.path().c_str()), 0);
        mkdir("songs", 0755);
        mkdir("songs/one", 0755);
        dir.write("songs/one/song.ini", "[song]\nname = First Light\nartist = Testers\n");
        dir.write("songs/one/notes.chart", kChart);
    }
    void TearDown() override { ASSERT_EQ(chdir(home.c_str()), 0); }
};

TEST_F(LibrarySongChoice, FolderBecomesTheChosenEntry) {
    std::string reason;
    ASSERT_TRUE(choose_library_song("songs/one", DIFF_EXPERT, reason)) << reason;
    EXPECT_EQ(count_song, LIBRARY_SONG);
    const SongEntry *entry = song_entry(LIBRARY_SONG);
    ASSERT_NE(entry, nullptr);
    EXPECT_STREQ(entry->title, "First Light");
    EXPECT_STREQ(entry->band, "Testers");
    EXPECT_EQ(entry->highscore_file,
              library_highscore_path(chart_file_hash("songs/one/notes.chart"), DIFF_EXPERT));
    EXPECT_EQ(std::string(entry->highscore_file).substr(0, 10), "data/song-");
    // The last note ends at 1800 ms of the audio, heard one output buffer later.
    EXPECT_EQ(entry->end_ms, 1800 + library_heard_ms(0) + LIBRARY_END_TAIL_MS);
    EXPECT_EQ(library_song.notes.size(), 2u);

    // A second choice reuses the one library entry, which the selection pages and the
    // highscore table, going by the listed entries, do not show.
    int listed = song_count();
    ASSERT_TRUE(choose_library_song("songs/one", DIFF_EXPERT, reason));
    EXPECT_EQ(song_entry(LIBRARY_SONG), entry);
    EXPECT_EQ(song_count(), listed);
    for (int i = 0; i < song_count(); ++i)
        EXPECT_NE(song_at(i)->index, LIBRARY_SONG);

    // A difficulty the chart lacks, and a folder gone since the scan, are refused.
    count_song = 0;
    EXPECT_FALSE(choose_library_song("songs/one", DIFF_EASY, reason));
    EXPECT_EQ(reason, "no easy notes");
    ASSERT_EQ(std::system("rm -r songs/one"), 0);
    EXPECT_FALSE(choose_library_song("songs/one", DIFF_EXPERT, reason));
    EXPECT_FALSE(reason.empty());
    EXPECT_EQ(count_song, 0);
}

TEST_F(LibrarySongChoice, BestScoreComesFromTheHashNamedFile) {
    EXPECT_EQ(library_best_score(0x1234, DIFF_HARD), 0);
    dir.write("data/song-0000000000001234-hard.txt", "  AB                                 150\n"
                                                     "  CD                                 920\n");
    EXPECT_EQ(library_best_score(0x1234, DIFF_HARD), 920);
    EXPECT_EQ(library_best_score(0x1234, DIFF_EXPERT), 0);
}

} // namespace
