// Whole songs played from their charts, read off the results screen: accuracy and stars,
// also with every press 40 ms late and the sync delay at 40 ms.
#include "shots.h"
#include "songrun.h"
#include "songs/catalogue.h"

#include <gtest/gtest.h>

namespace {

const int STAR_X = 55, STAR_ROW = 119, STAR_ROW_WIDTH = 209;

struct Results {
    int accuracy = -1; // the percent the accuracy line shows, -1 for none
    int full = 0;      // pixels of the star row's middle line drawn from the full row
    int empty = 0;     // and from the empty row
    int hits = 0;      // tHITS in the song's last frame
};

// Plays `keys` on song `song` to its results screen, over a black background with a
// yellow full star row and a blue empty one, so that texts and stars read plainly.
// `options` are script lines put first.
Results play_to_results(int song, const std::vector<FrameKey> &keys,
                        const std::string &options = "") {
    GameDir dir;
    put_solid_image(dir, "img/menus/you_win.png", 320, 240, BLACK);
    put_solid_image(dir, "img/sprite/star_line.png", STAR_ROW_WIDTH, 39, YELLOW);
    put_solid_image(dir, "img/sprite/star_line_null.png", STAR_ROW_WIDTH, 39, BLUE);
    Results out;
    int frame0 = song_frame0(dir, song);
    if (frame0 <= 0) return out;
    ReplayRun run =
        run_script(dir, options + results_script(song, frame0, keys, dir.file("results.png")));
    std::vector<TraceLine> frames = song_frames(run);
    if (!frames.empty()) out.hits = frames.back().num("hits");
    Shot shot(dir.file("results.png"));
    // The streak line is drawn 10 rows under the accuracy line, over its lower part.
    for (int p = 0; p <= 200 && out.accuracy < 0; ++p) {
        std::string line = "ACCURACY: " + std::to_string(p) + " percents";
        if (shows_text(shot, (320 - text_width(10, line)) / 2, 180, 10, line, 10)) out.accuracy = p;
    }
    out.full = shot.count_in_row(STAR_ROW, STAR_X, STAR_X + STAR_ROW_WIDTH, YELLOW);
    out.empty = shot.count_in_row(STAR_ROW, STAR_X, STAR_X + STAR_ROW_WIDTH, BLUE);
    return out;
}

Results expect_full_marks(int song, const std::vector<FrameKey> &keys,
                          const std::string &options = "") {
    Results r = play_to_results(song, keys, options);
    EXPECT_EQ(r.accuracy, 100);
    EXPECT_EQ(r.full, STAR_ROW_WIDTH);
    EXPECT_EQ(r.empty, 0);
    return r;
}

class WholeSong : public testing::TestWithParam<int> {};

TEST_P(WholeSong, EveryNoteHitWithChordsPressedAFrameApartAndHeld) {
    std::vector<FrameKey> keys;
    ASSERT_EQ(press_chords_held(notes_in_time(GetParam()), keys), 0);
    // The held chords lowered tHITS through the two-lane adjustment; the accuracy is 100.
    EXPECT_LT(expect_full_marks(GetParam(), keys).hits, chart_for_song(GetParam())->count);
}

TEST_P(WholeSong, EveryNoteHitWithEachKeyLetGoAfterTheNextGoesDown) {
    std::vector<FrameKey> keys;
    ASSERT_EQ(press_rolled(notes_in_time(GetParam()), keys), 0);
    expect_full_marks(GetParam(), keys);
}

// A player who hears the music 40 ms late presses every note 40 ms late: with the sync
// delay at 40 ms the notes come that much later, and every one is hit again. Without the
// delay most of those presses still fall in their four-frame window, but where Ace of
// Spades' chords are pressed a frame apart some land a frame past it.
TEST_P(WholeSong, WithTheSyncDelayAtFortyEveryPressFortyMsLaterHitsEveryNote) {
    const int song = GetParam();
    std::vector<FrameKey> keys;
    ASSERT_EQ(press_chords_held(notes_in_time(song), keys), 0);
    for (FrameKey &k : keys)
        k.shift_ms += 40;
    expect_full_marks(song, keys, "sync 40\n");
    if (song == 2) {
        EXPECT_LT(play_to_results(song, keys).accuracy, 100);
    }
}

TEST_P(WholeSong, OneNoteInTenLetFallGivesNinety) {
    const int song = GetParam();
    const std::vector<ChartNote> notes = notes_in_time(song);
    const int count = static_cast<int>(notes.size());
    int left = 0;
    std::vector<ChartNote> played = let_one_in_ten_fall(notes, left);
    ASSERT_EQ(left, count / 10);
    std::vector<FrameKey> keys;
    ASSERT_EQ(press_chords_held(played, keys), 0);
    // Every chart has enough notes for the share to round down to 90, the star row's
    // 90..99 band.
    ASSERT_EQ((count - left) * 100 / count, 90);
    Results r = play_to_results(song, keys);
    EXPECT_EQ(r.accuracy, 90);
    EXPECT_EQ(r.full, 189);
    EXPECT_EQ(r.empty, STAR_ROW_WIDTH - 189);
}

// A whole song costs some CPU seconds: the sanitizer build, whose other runs already cost
// more, plays the tutorial only.
#ifdef FRETFALL_SANITIZED
INSTANTIATE_TEST_SUITE_P(Charts, WholeSong, testing::Values(TUTORIAL_INDEX));
#else
INSTANTIATE_TEST_SUITE_P(Charts, WholeSong, testing::Values(0, 1, 2, 3, 4, TUTORIAL_INDEX));
#endif

} // namespace
