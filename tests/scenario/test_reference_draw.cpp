// The usual drawing paths show what SDL's own blits show, present by present (--reference).
#include "shots.h"
#include "songrun.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <sstream>

namespace {

const int BELLS = 4; // forwhomthebellstolls: its densest three seconds come early, frames 342..402

struct HashedRun {
    ReplayRun run;
    std::string hashes; // one line per present: virtual ms and the screen's hash
};

HashedRun hashed_run(const std::string &script, bool reference) {
    GameDir dir;
    std::string options =
        "--hashes '" + dir.file("hashes") + "'" + (reference ? " --reference" : "");
    HashedRun out{run_script(dir, script, options), ""};
    out.hashes = dir.read("hashes");
    return out;
}

// The first line where two texts differ, for a readable failure.
std::string first_difference(const std::string &a, const std::string &b) {
    std::istringstream in_a(a), in_b(b);
    std::string la, lb;
    for (int n = 1;; ++n) {
        bool more_a = static_cast<bool>(std::getline(in_a, la));
        bool more_b = static_cast<bool>(std::getline(in_b, lb));
        if (!more_a && !more_b) return "";
        if (!more_a || !more_b || la != lb)
            return "line " + std::to_string(n) + ": \"" + la + "\" against \"" + lb + "\"";
    }
}

void expect_same_pictures(const std::string &script, size_t least_presents) {
    HashedRun usual = hashed_run(script, false), reference = hashed_run(script, true);
    ASSERT_EQ(usual.run.status, 0) << usual.run.errors;
    ASSERT_EQ(reference.run.status, 0) << reference.run.errors;
    EXPECT_GE(static_cast<size_t>(std::count(usual.hashes.begin(), usual.hashes.end(), '\n')),
              least_presents);
    EXPECT_TRUE(usual.hashes == reference.hashes)
        << first_difference(usual.hashes, reference.hashes);
    EXPECT_TRUE(usual.run.trace == reference.run.trace)
        << first_difference(usual.run.trace, reference.run.trace);
}

// Script clock at the end of `script`: the sum of its waits.
long clock_of(const std::string &script) {
    std::istringstream in(script);
    long clock = 0;
    for (std::string cmd, arg; in >> cmd && std::getline(in, arg);)
        if (cmd == "wait") clock += std::stol(arg);
    return clock;
}

// From the main menu: song BELLS played with every note hit up to frame `last`. Its frame 0
// is read from a run of the script so far.
void play_bells(std::string &script, int last) {
    script += taps("LCTRL DOWN LCTRL RIGHT RIGHT RIGHT RIGHT LCTRL");
    long clock = clock_of(script);
    GameDir probe;
    int frame0 = -1;
    for (const TraceLine &l : run_script(probe, script + "wait 12000\n").polls("song"))
        if (l.num("t") >= clock) {
            frame0 = l.num("t");
            break;
        }
    ASSERT_GT(frame0, 0);
    std::vector<FrameKey> all, keys;
    int chords = 0;
    tap_every_note(notes_in_time(BELLS), all, chords);
    for (const FrameKey &k : all)
        if (k.frame < last) keys.push_back(k);
    append_song_keys(script, clock, frame0, keys, last);
}

} // namespace

// Each backdrop, neck and flame sheet in a song with hits, the last through the song's
// densest stretch, a hit and its flame in nearly every other frame and the pressed fret of
// the lane held into the next; the first three songs are left from the pause screen.
TEST(ReferenceDraw, SongFramesInEveryLook) {
    std::string script = after_intro();
    for (int look = 0; look < 4; ++look) {
        if (look > 0) // options, game look; each value one up, then back to the main menu
            script += taps("DOWN DOWN LCTRL DOWN LCTRL UP RIGHT DOWN RIGHT DOWN RIGHT DOWN LCTRL");
        play_bells(script, look < 3 ? 175 : 402);
        if (HasFatalFailure()) return;
        if (look < 3) script += taps("RETURN ESCAPE", 200) + "wait 500\n";
    }
    expect_same_pictures(script, 1000);
}

// Every menu screen, songs won, failed and left, results and name entries: the soak's
// opening tour.
TEST(ReferenceDraw, TheTourOfEveryScreen) {
    std::unique_ptr<FILE, int (*)(FILE *)> gen(
        popen(FRETFALL_EMULATOR " " FRETFALL_SOAKGEN " --events 0", "r"), pclose);
    ASSERT_TRUE(gen);
    std::string script;
    char buffer[4096];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, gen.get())) > 0;)
        script.append(buffer, n);
    expect_same_pictures(script, 1000);
}
