// Library songs played through the driver's --song: the built-in songs exported as song
// folders and played to full accuracy, and a chart written here with sustains and chords
// that ducks its guitar stem and keeps its highscores by the chart's hash.
#include "game/librarychart.h"
#include "shots.h"
#include "songrun.h"
#include "songs/catalogue.h"
#include "songs/librarysong.h"
#include "songs/songfolder.h"
#include "stemgen/stemgen.h"
#include "store/libraryscores.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <set>
#include <unistd.h>

namespace {

// The song's notes as chart rows spawning where the game spawns them.
std::vector<ChartNote> library_rows(const std::vector<SongNote> &notes) {
    std::vector<ChartNote> rows;
    for (const SongNote &n : notes)
        rows.push_back({n.lane, library_spawn_ms(library_heard_ms(n.time_ms)), 0});
    return rows;
}

// Virtual time of the first song frame of a run started with --song `options`.
int library_frame0(const GameDir &dir, const std::string &options) {
    auto frames = run_script(dir, "wait 12000\n", options).polls("song");
    return frames.empty() ? -1 : frames.front().num("t");
}

// The accuracy the results screen shows, over a black backdrop; -1 for none.
int shown_accuracy(const std::string &shot_path) {
    Shot shot(shot_path);
    for (int p = 0; p <= 200; ++p) {
        std::string line = "ACCURACY: " + std::to_string(p) + " percents";
        if (shows_text(shot, (320 - text_width(10, line)) / 2, 180, 10, line, 10)) return p;
    }
    return -1;
}

TEST(LibraryPlay, ExportedSongsReadBackAtTheirTimesAndPlayToFullAccuracy) {
    GameDir dir;
    put_solid_image(dir, "img/menus/you_win.png", 320, 240, BLACK);
    std::string songs = dir.file("songs");
    // Through the emulator in a cross build, as every run of the driver.
    ASSERT_EQ(
        std::system(
            (FRETFALL_EMULATOR " '" FRETFALL_REPLAY "' --export-songs '" + songs + "'").c_str()),
        0);

    // Every built-in note is read back at the time its sound lies in the recording.
    SongFolder exported;
    for (int i = 0; i < song_count(); ++i) {
        const SongEntry *song = song_at(i);
        const BuiltinSong *facts = builtin_song(song->index);
        ASSERT_TRUE(read_song_folder(songs + "/" + facts->name, exported)) << exported.reason;
        std::set<std::pair<int, int>> read, built;
        for (const SongNote &n : exported.notes[DIFF_EXPERT])
            read.insert({n.time_ms, n.lane});
        for (const ChartNote &n : notes_in_time(song->index))
            built.insert({chart_heard_ms(n.spawn) - library_heard_ms(0), n.lane});
        EXPECT_EQ(read, built) << facts->name;
        EXPECT_FALSE(exported.stems.empty());
        EXPECT_EQ(!exported.cover_path.empty(), !song->tutorial);
    }

    // For Whom the Bell Tolls through --song, every note pressed in the middle of its window.
    const std::string folder = songs + "/forwhomthebellstolls";
    ASSERT_TRUE(read_song_folder(folder, exported));
    std::vector<FrameKey> keys;
    ASSERT_EQ(press_chords_held(library_rows(exported.notes[DIFF_EXPERT]), keys), 0);
    int frame0 = library_frame0(dir, "--song '" + folder + "'");
    ASSERT_GT(frame0, 0);
    std::string script;
    long clock = 0;
    append_song_keys(script, clock, frame0, keys, song_entry(4)->end_ms / 50, 1000);
    script += "shot " + dir.file("results.png") + "\nwait 1500\n";
    ReplayRun run = run_script(dir, script, "--song '" + folder + ":expert'");
    EXPECT_EQ(run.status, 0) << run.errors;
    ASSERT_FALSE(run.polls("song").empty());
    EXPECT_EQ(run.polls("song").front().text("title"), "FOR WHOM THE BELLS TOOLS");
    EXPECT_EQ(shown_accuracy(dir.file("results.png")), 100);

    // Heard 40 ms late, with the sync delay at 40: every press 40 ms later hits every note.
    for (FrameKey &k : keys)
        k.shift_ms += 40;
    script = "sync 40\n";
    clock = 0;
    append_song_keys(script, clock, frame0, keys, song_entry(4)->end_ms / 50, 1000);
    script += "shot " + dir.file("late.png") + "\nwait 1500\n";
    EXPECT_EQ(run_script(dir, script, "--song '" + folder + "'").status, 0);
    EXPECT_EQ(shown_accuracy(dir.file("late.png")), 100);
}

// 1 tick = 1 ms. A second-long sustain on lane 1, a sustain on lane 4 let go early, and a
// chord of lanes 2 and 3.
const char *const kTestChart =
    "[Song]\n{\n  Resolution = 480\n}\n[SyncTrack]\n{\n  0 = B 125000\n}\n[ExpertSingle]\n{\n"
    "  2000 = N 0 1000\n  5000 = N 3 1000\n  8000 = N 1 0\n  8000 = N 2 0\n}\n";

TEST(LibraryPlay, SustainsScoreWhileHeldChordsCountAndTheGuitarDucksOnAMiss) {
    GameDir dir;
    put_solid_image(dir, "img/menus/you_win.png", 320, 240, BLACK);
    mkdir(dir.file("songs").c_str(), 0755);
    mkdir(dir.file("songs/held").c_str(), 0755);
    dir.write("songs/held/song.ini", "[song]\nname = Held Notes\nartist = Testers\n");
    dir.write("songs/held/notes.chart", kTestChart);
    std::string error;
    ASSERT_TRUE(stemgen::write_stem(dir.file("songs/held/guitar.wav"),
                                    stemgen::tone(22050, 12, 440, 0.3f), 22050, 1, error))
        << error;
    const std::string folder = dir.file("songs/held");
    SongFolder song;
    ASSERT_TRUE(read_song_folder(folder, song));
    std::vector<ChartNote> rows = library_rows(song.notes[DIFF_EXPERT]);
    auto centre = [&](int i) { return spawn_frame(rows[size_t(i)].spawn) + 20; };

    // Lane 1 held to the sustain's end; lane 4 let go five frames after its hit; a press of
    // lane 5 with no note; the chord held a frame apart.
    std::vector<FrameKey> keys = {
        {centre(0), "down", "a"},     {centre(0) + 30, "up", "a"},
        {centre(1), "down", "f"},     {centre(1) + 5, "up", "f"},
        {centre(1) + 20, "tap", "g"}, {centre(2), "down", "s"},
        {centre(2) + 1, "down", "d"}, {centre(2) + 3, "up", "s"},
        {centre(2) + 4, "up", "d"},   {centre(0) - 3, "shot", dir.file("tail.png")},
    };
    int frame0 = library_frame0(dir, "--song '" + folder + "'");
    ASSERT_GT(frame0, 0);
    std::string script;
    long clock = 0;
    const int end = library_heard_ms(8000) + LIBRARY_END_TAIL_MS;
    append_song_keys(script, clock, frame0, keys, end / 50, 1000);
    script += "shot " + dir.file("results.png") + "\nwait 6000\n";
    script += "tap LCTRL\ntap LCTRL\ntap LCTRL\nwait 1000\n";
    ReplayRun run = run_script(dir, script, "--song '" + folder + "'");
    EXPECT_EQ(run.status, 0) << run.errors;
    std::vector<TraceLine> frames = run.polls("song");
    ASSERT_FALSE(frames.empty());
    auto score_at = [&](int frame) {
        return frames[size_t(std::min<int>(frame, frames.size() - 1))].num("score");
    };

    // A hit is 10; then 2 points a frame while held: about 20 frames for a second held,
    // about 5 for the sustain let go after five frames.
    int held = score_at(centre(1) - 1) - score_at(centre(0));
    EXPECT_GE(held, 10 + 2 * 20);
    EXPECT_LE(held, 10 + 2 * 21);
    int early = score_at(centre(1) + 10) - score_at(centre(1));
    EXPECT_GE(early, 10 + 2 * 4);
    EXPECT_LE(early, 10 + 2 * 5);
    // The guitar stem is turned down from the miss to the chord's hit.
    EXPECT_EQ(frames[size_t(centre(1) + 21)].num("ducked"), 1);
    EXPECT_EQ(frames[size_t(centre(2) + 1)].num("ducked"), 0);
    EXPECT_EQ(shown_accuracy(dir.file("results.png")), 100);
    // Lane 1's green tail runs up from its note, a second's fall (200 pixels) long.
    Shot tail(dir.file("tail.png"));
    int green = 0;
    for (int y = 0; y < 240; ++y) {
        Rgb c = tail.at(80 + 15, y);
        green += c.g > 150 && c.r < 80 && c.b < 100;
    }
    EXPECT_GE(green, 150);

    // The won song's line is in the file named by the chart's hash, which a renamed folder
    // keeps.
    ASSERT_FALSE(run.polls("name_entry").empty());
    ASSERT_EQ(std::rename(folder.c_str(), dir.file("songs/moved").c_str()), 0);
    char home[4096];
    ASSERT_NE(getcwd(home, sizeof home), nullptr);
    ASSERT_EQ(chdir(dir.path().c_str()), 0);
    std::string reason;
    EXPECT_TRUE(choose_library_song("songs/moved", DIFF_EXPERT, reason)) << reason;
    EXPECT_EQ(library_best_score(library_song.chart_hash, DIFF_EXPERT), frames.back().num("score"));
    ASSERT_EQ(chdir(home), 0);
}

} // namespace
