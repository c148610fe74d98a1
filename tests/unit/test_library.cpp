// The song library: a tree of song folders walked, cached, changed and walked again.
#include "harness.h"
#include "store/librarycache.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

const char *CHART = "[Song]\n{\n  Resolution = 192\n}\n[SyncTrack]\n{\n  0 = B 120000\n}\n"
                    "[ExpertSingle]\n{\n  192 = N 0 0\n  384 = N 7 0\n  768 = N 4 192\n}\n"
                    "[EasySingle]\n{\n  192 = N 1 0\n}\n";

void song(const GameDir &dir, const std::string &folder, const std::string &ini,
          const char *chart = CHART) {
    ASSERT_EQ(std::system(("mkdir -p '" + dir.file(folder) + "'").c_str()), 0);
    dir.write(folder + "/song.ini", "[song]\n" + ini);
    if (chart) dir.write(folder + "/notes.chart", chart);
}

// Loads the library, counting the song folders read.
struct Load {
    std::vector<LibraryEntry> entries;
    int read = 0;
    Load(const GameDir &dir) {
        entries = load_library({dir.file("songs"), dir.file("more/")},
                               dir.file("data/library.cache").c_str(),
                               [this](int done, int total, const std::string &) {
                                   if (total > 0 && done == total) read = total;
                               });
    }
    std::vector<std::string> titles() const {
        std::vector<std::string> out;
        for (const LibraryEntry &e : entries)
            out.push_back(e.artist + "/" + e.title);
        return out;
    }
};

} // namespace

TEST(Library, WalkedCachedChangedAndWalkedAgain) {
    GameDir dir;
    song(dir, "songs/Zed/Last",
         "artist = Zed\nname = Last\nalbum = Z\nyear = 1999\nsong_length = 90000\n"
         "preview_start_time = 5000\n");
    dir.write("songs/Zed/Last/song.ogg", "x");
    dir.write("songs/Zed/Last/guitar.ogg", "x");
    dir.write("songs/Zed/Last/album.png", "x");
    dir.write("songs/Zed/Last/preview.ogg", "x");
    song(dir, "songs/a/b/c/Deep", "artist = abba\nname = Deep\n");
    song(dir, "songs/Mot\xC3\xB6rhead/Ace", "artist = Mot\xC3\xB6rhead\nname = Ace\n",
         "[ExpertSingle]\n{\n  0 = N 1 0\n}\n");
    song(dir, "songs/Broken", "artist = Broken\nname = Gone\n", nullptr);
    song(dir,
         "more/\xC3\x89"
         "dith",
         "artist = \xC3\x89"
         "dith\n");
    // Links back up the tree: each directory is walked once.
    ASSERT_EQ(symlink(".", dir.file("songs/loop").c_str()), 0);
    ASSERT_EQ(symlink("../..", dir.file("songs/a/b/up").c_str()), 0);

    Load first(dir);
    EXPECT_EQ(first.read, 5);
    EXPECT_EQ(first.titles(), (std::vector<std::string>{"abba/Deep", "Broken/Gone",
                                                        "\xC3\x89"
                                                        "dith/\xC3\x89"
                                                        "dith",
                                                        "Mot\xC3\xB6rhead/Ace", "Zed/Last"}));
    const LibraryEntry &zed = first.entries[4];
    EXPECT_EQ(zed.dir, dir.file("songs/Zed/Last"));
    EXPECT_EQ(zed.album + zed.year, "Z1999");
    EXPECT_EQ(zed.length_ms, 90000);
    EXPECT_EQ(zed.preview_start_ms, 5000);
    EXPECT_EQ(zed.difficulties, 1u << DIFF_EASY | 1u << DIFF_EXPERT);
    EXPECT_EQ(zed.open_notes[DIFF_EXPERT], 1);
    EXPECT_EQ(zed.stems, 2);
    EXPECT_EQ(zed.cover_path, dir.file("songs/Zed/Last/album.png"));
    EXPECT_EQ(zed.reason, "");
    // Without song_length, the end of the last note's sustain.
    EXPECT_EQ(first.entries[0].length_ms, 2500);
    EXPECT_EQ(first.entries[1].reason, "no chart");
    // The same chart bytes give the same key wherever the folder lies.
    EXPECT_EQ(zed.chart_hash, first.entries[0].chart_hash);
    EXPECT_NE(zed.chart_hash, first.entries[3].chart_hash);
    EXPECT_NE(zed.chart_hash, 0u);
    EXPECT_EQ(library_first_with_letter(first.entries, 'e'), 2);
    EXPECT_EQ(library_first_with_letter(first.entries, 'M'), 3);
    EXPECT_EQ(library_first_with_letter(first.entries, 'q'), -1);

    // Unchanged: nothing is read again, the cache gives the very same entries and is left
    // as it is.
    struct stat before, after;
    ASSERT_EQ(stat(dir.file("data/library.cache").c_str(), &before), 0);
    Load second(dir);
    EXPECT_EQ(second.read, 0);
    EXPECT_EQ(second.titles(), first.titles());
    EXPECT_EQ(second.entries[4].chart_hash, zed.chart_hash);
    EXPECT_EQ(second.entries[4].cover_path, zed.cover_path);
    EXPECT_EQ(second.entries[4].preview_path, dir.file("songs/Zed/Last/preview.ogg"));
    ASSERT_EQ(stat(dir.file("data/library.cache").c_str(), &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino);

    // One folder changed, one removed, one added: those two are read.
    dir.write("songs/Zed/Last/song.ini", "[song]\nartist = Zed\nname = Final\n");
    ASSERT_EQ(std::system(("rm -r '" + dir.file("songs/a/b/c/Deep") + "'").c_str()), 0);
    song(dir, "songs/New", "artist = New\nname = Song\n");
    Load third(dir);
    EXPECT_EQ(third.read, 2);
    EXPECT_EQ(third.titles(),
              (std::vector<std::string>{"Broken/Gone",
                                        "\xC3\x89"
                                        "dith/\xC3\x89"
                                        "dith",
                                        "Mot\xC3\xB6rhead/Ace", "New/Song", "Zed/Final"}));

    // A damaged cache is walked anew to the same library.
    std::string cache = dir.read("data/library.cache");
    dir.write("data/library.cache", cache.substr(0, cache.size() / 2));
    Load fourth(dir);
    EXPECT_EQ(fourth.read, 5);
    EXPECT_EQ(fourth.titles(), third.titles());
    EXPECT_EQ(dir.read("data/library.cache"), cache);
}
