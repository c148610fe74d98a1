// The song library screen through the headless driver: reached from song selection only when
// song folders exist, sorted, jumping by letter, a broken song greyed and refused, B back.
#include "app/startup.h"
#include "harness.h"
#include "menus/library.h"
#include "pixels.h"
#include "songs/library.h"
#include "songs/librarysong.h"
#include "stemgen/stemgen.h"

#include <SDL_image.h>
#include <cstdlib>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const char *const chart = "[Song]\n{\n  Resolution = 192\n}\n[SyncTrack]\n{\n  0 = B 120000\n}\n"
                          "[ExpertSingle]\n{\n  768 = N 0 0\n  960 = N 1 0\n  1152 = N 2 96\n}\n"
                          "[EasySingle]\n{\n  768 = N 0 0\n}\n";

void write_song(const GameDir &dir, const std::string &folder, const std::string &artist,
                const std::string &title, const std::string &notes) {
    mkdir(dir.file("songs/" + folder).c_str(), 0755);
    dir.write("songs/" + folder + "/song.ini",
              "[song]\nname = " + title + "\nartist = " + artist + "\n");
    dir.write("songs/" + folder + "/notes.chart", notes);
}

// Library cursors of the run's library polls, each change once.
std::vector<int> library_cursors(const ReplayRun &run) {
    std::vector<int> seen;
    for (const TraceLine &l : run.polls("library"))
        if (seen.empty() || seen.back() != l.num("cursor")) seen.push_back(l.num("cursor"));
    return seen;
}

// Pixels of a screenshot's list row `row` (artist column) near `colour`.
int row_pixels(SDL_Surface *shot, int row, Rgb colour) {
    int n = 0;
    for (int y = 16 + row * 12; y < 28 + row * 12; ++y)
        for (int x = 8; x < 120; ++x)
            n += same_colour(pixel_at(shot, x, y), colour, 8);
    return n;
}

const std::string to_song_select = skip_intro() + "tap LCTRL\ntap DOWN\ntap LCTRL\nwait 100\n";

} // namespace

TEST(LibraryScreen, ListsSortedSongsJumpsByLetterGreysBrokenOnesAndGoesBack) {
    GameDir dir;
    // No library below the home directory's data either.
    setenv("XDG_DATA_HOME", dir.path().c_str(), 1);
    mkdir(dir.file("songs").c_str(), 0755);
    write_song(dir, "c", "Cobalt", "One", chart);
    write_song(dir, "b1", "Broken Toys", "Nothing", "[Song]\n{\n}\n");
    write_song(dir, "b2", "Beta Band", "Two", chart);
    write_song(dir, "a1", "alpha", "Zed", chart);
    write_song(dir, "a2", "\xC3\x81lpha", "Able", chart); // an accented A sorts as an A
    std::string error;
    ASSERT_TRUE(stemgen::write_stem(dir.file("songs/a2/song.ogg"),
                                    stemgen::tone(22050, 1.0, 440, 0.5f), 22050, 1, error))
        << error;
    const std::string shot = dir.file("list.png");
    ReplayRun run = run_script(dir,
                               to_song_select +
                                   "tap LEFT\nwait 100\n"  // the library's page
                                   "tap LCTRL\nwait 700\n" // the list: Able's preview plays
                                   "tap RIGHT\nwait 100\n" // B: Beta Band
                                   "tap DOWN\nwait 100\n"  // Broken Toys
                                   "tap LCTRL\nwait 100\n" // refused
                                   "wait 100\nshot " +
                                   shot +
                                   "\nwait 100\n"
                                   "tap RIGHT\nwait 100\n" // C: Cobalt
                                   "tap RIGHT\nwait 100\n" // wraps to A
                                   "tap LEFT\nwait 100\n"  // back to C
                                   "tap LEFT\nwait 100\n"  // B
                                   "tap LALT\nwait 100\n"  // back to the page
                                   "tap LALT\nwait 100\n", // the play submenu
                               "--hashes '" + dir.file("cold.hashes") + "'");
    ASSERT_EQ(run.status, 0) << run.errors;
    EXPECT_EQ(library_cursors(run), (std::vector<int>{0, 2, 3, 4, 0, 4, 2}));
    std::vector<std::string> sounds = run.sounds();
    EXPECT_NE(std::find(sounds.begin(), sounds.end(), "ERRO4"), sounds.end());
    EXPECT_EQ(run.polls("song").size(), 0u);
    EXPECT_EQ(run.polls("song_select").back().num("cursor"), -1);
    EXPECT_EQ(run.last_poll().text("screen"), "play_menu");
    // The preview took the menu music's place while the cursor rested; leaving brought it back.
    EXPECT_EQ(run.music(),
              (std::vector<std::string>{"audio/menu1.mp3", "songs/a2", "audio/menu1.mp3"}));

    // The broken song's row is grey, the one above it white.
    SDL_Surface *list = IMG_Load(shot.c_str());
    ASSERT_NE(list, nullptr);
    EXPECT_GT(row_pixels(list, 2, {255, 255, 255}), 40);
    EXPECT_GT(row_pixels(list, 3, {140, 140, 150}), 40);
    EXPECT_LT(row_pixels(list, 3, {255, 255, 255}), 5);
    SDL_FreeSurface(list);

    // The start-up load wrote the cache, and reads back the same sorted list from it.
    ASSERT_TRUE(dir.exists("data/library.cache"));
    char here[4096];
    ASSERT_NE(getcwd(here, sizeof here), nullptr);
    ASSERT_EQ(chdir(dir.path().c_str()), 0);
    load_song_library();
    ASSERT_EQ(chdir(here), 0);
    std::vector<std::string> titles;
    for (const LibraryEntry &e : library_entries)
        titles.push_back(e.title);
    EXPECT_EQ(titles, (std::vector<std::string>{"Able", "Zed", "Two", "Nothing", "One"}));
    EXPECT_FALSE(library_entries[3].reason.empty());
    EXPECT_EQ(library_letter_label(0), "A");
    EXPECT_EQ(library_letter_step(1, -1), 0);
    library_entries.clear();

    // A playable song asks for one of its difficulties (Easy and Expert, Expert first), then
    // starts as the library song.
    run = run_script(dir,
                     to_song_select + "tap LEFT\ntap LCTRL\ntap LCTRL\ntap UP\ntap LCTRL\n"
                                      "wait 8000\n",
                     "--hashes '" + dir.file("warm.hashes") + "'");
    unsetenv("XDG_DATA_HOME");
    ASSERT_EQ(run.status, 0) << run.errors;
    ASSERT_FALSE(run.polls("song").empty());
    // The first start showed one progress line before the intro; this one, from the cache, none.
    const std::string cold = dir.read("cold.hashes"), warm = dir.read("warm.hashes");
    const size_t line = cold.find('\n') + 1;
    EXPECT_NE(cold.substr(0, line), warm.substr(0, line));
    EXPECT_EQ(cold.substr(line, 200), warm.substr(0, 200));
    EXPECT_EQ(run.polls("song").back().num("song"), LIBRARY_SONG);
}

TEST(LibraryScreen, WithoutSongFoldersSongSelectionHasNoLibraryPage) {
    GameDir dir;
    setenv("XDG_DATA_HOME", dir.path().c_str(), 1);
    ReplayRun run = run_script(
        dir, to_song_select + "tap LEFT\nwait 100\ntap RIGHT\nwait 100\ntap LALT\nwait 100\n");
    unsetenv("XDG_DATA_HOME");
    ASSERT_EQ(run.status, 0) << run.errors;
    std::vector<int> pages;
    for (const TraceLine &l : run.polls("song_select"))
        if (pages.empty() || pages.back() != l.num("cursor")) pages.push_back(l.num("cursor"));
    EXPECT_EQ(pages, (std::vector<int>{0, 4, 0}));
    EXPECT_FALSE(dir.exists("data/library.cache"));
}
