// Recordings through the headless driver: replayed alike, cut, unreadable or unwritable.
#include "headless/recording.h"
#include "harness.h"
#include "shots.h"
#include "songrun.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <random>
#include <sys/wait.h>

namespace {

struct Outcome {
    int status;
    std::string errors; // its standard error
};

// fretfall-replay with `args`, started in `dir`.
Outcome replay(const GameDir &dir, const std::string &args) {
    const std::string err = dir.file("replay.err");
    const std::string cmd = "cd '" + dir.path() + "' && " FRETFALL_EMULATOR " '" + FRETFALL_REPLAY +
                            "' " + args + " 2>'" + err + "'";
    int raw = std::system(cmd.c_str());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw), dir.read("replay.err")};
}

int lines(const std::string &text) {
    return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
}

// A short recording of the headless driver: the intro skipped, the tutorial loading.
Recording short_recording(const GameDir &dir, std::string &trace) {
    dir.write("short.script", keys_to_song(TUTORIAL_INDEX) + "wait 9000\n");
    Outcome run = replay(dir, "--dir . --trace short.trace --record short.rec short.script");
    EXPECT_EQ(run.status, 0) << run.errors;
    trace = dir.read("short.trace");
    Recording out;
    std::string error;
    EXPECT_TRUE(read_recording(dir.file("short.rec"), out, error)) << error;
    return out;
}

} // namespace

TEST(Recording, AWholeSongRecordsSmallAndReplaysToTheSameTraceAndFiles) {
    GameDir live;
    const int song = 4; // forwhomthebellstolls, 309 s
    int frame0 = song_frame0(live, song);
    ASSERT_GT(frame0, 0);
    std::vector<FrameKey> keys;
    int chords = 0;
    ASSERT_EQ(tap_every_note(notes_in_time(song), keys, chords), 0);
    // Won with every note played; after the results the name AAA, a save from the options
    // (saving the win over the starting counts) and the exit entry.
    live.write("script", song_script(song, frame0, keys, 309000 / 50 + 1, 8000) +
                             taps("LCTRL LCTRL LCTRL", 100) + "wait 1000\n" +
                             taps("DOWN DOWN LCTRL DOWN DOWN DOWN LCTRL UP UP UP LCTRL", 100) +
                             "wait 1000\n" + taps("DOWN DOWN DOWN LCTRL", 100) + "wait 500\n" +
                             taps("DOWN DOWN DOWN DOWN LCTRL", 100) + "wait 1000\n");
    live.write("game_save", "3\n4\n");
    live.write("data/DATA0.dat", "  ZZZ                                 90\n");
    Outcome recorded = replay(live, "--dir . --trace live.trace --record song.rec script");
    ASSERT_EQ(recorded.status, 0) << recorded.errors;
    EXPECT_EQ(recorded.errors, "");
    const std::string trace = live.read("live.trace");
    ASSERT_NE(trace.find("\"screen\":\"name_entry\""), std::string::npos) << "the song was not won";
    ASSERT_NE(trace.find("\"exit\":0"), std::string::npos);
    ASSERT_EQ(live.read("game_save"), "1\n0");

    const size_t size = live.read("song.rec").size();
    std::printf("recording of the whole song: %zu bytes\n", size);
    EXPECT_LE(size, 100u * 1024);

    // The replay starts from the recorded files in a directory without data/.
    GameDir again(false);
    Outcome replayed =
        replay(again, "--play '" + live.file("song.rec") + "' --dir . --trace replay.trace");
    EXPECT_EQ(replayed.status, 0) << replayed.errors;
    EXPECT_TRUE(again.read("replay.trace") == trace) << "the replay's trace differs";
    for (int i = 0; i < start_file_count(); ++i) {
        const char *name = start_file_name(i);
        EXPECT_EQ(again.exists(name), live.exists(name)) << name;
        EXPECT_EQ(again.read(name), live.read(name)) << name;
    }
}

TEST(Recording, ReplayStopsWhereTheGameLeavesTheRecordingOrWhereItEnds) {
    GameDir dir;
    std::string trace;
    Recording full = short_recording(dir, trace);
    ASSERT_GT(full.records.size(), 100u);

    // Cut between two records, as a killed game leaves it: replayed up to the cut.
    Recording cut = full;
    const size_t kept = full.records.size() / 2;
    cut.records.resize(kept);
    dir.write("cut.rec", encode_recording(cut));
    Outcome ended = replay(dir, "--play cut.rec --trace cut.trace");
    EXPECT_EQ(ended.status, 0);
    EXPECT_EQ(lines(ended.errors), 1) << ended.errors;
    EXPECT_NE(ended.errors.find("the recording ends after record " + std::to_string(kept)),
              std::string::npos)
        << ended.errors;
    const std::string cut_trace = dir.read("cut.trace");
    EXPECT_GT(lines(cut_trace), 10);
    EXPECT_EQ(trace.compare(0, cut_trace.size(), cut_trace), 0)
        << "not the start of the live trace";

    // A wait of another length than the game asks for stops the replay there.
    Recording changed = full;
    size_t wait = 0;
    while (changed.records[wait].kind != RECORD_DELAY)
        ++wait;
    const Uint32 ms = changed.records[wait].value;
    changed.records[wait].value = ms + 1;
    dir.write("changed.rec", encode_recording(changed));
    Outcome diverged = replay(dir, "--play changed.rec --trace /dev/null");
    EXPECT_EQ(diverged.status, 3);
    EXPECT_EQ(lines(diverged.errors), 1) << diverged.errors;
    const std::string at = "diverged at record " + std::to_string(wait + 1) + " (clock ";
    const std::string what = "the game asked for a wait of " + std::to_string(ms) +
                             " ms, the recording holds a wait of " + std::to_string(ms + 1) + " ms";
    EXPECT_NE(diverged.errors.find(at), std::string::npos) << diverged.errors;
    EXPECT_NE(diverged.errors.find(what), std::string::npos) << diverged.errors;
}

TEST(Recording, BadRecordingsAreRefusedInOneLineWithStatusTwo) {
    GameDir dir;
    Recording valid;
    valid.files[0].exists = true;
    valid.files[0].bytes = "2\n1\n";
    valid.files[0].size = 4;
    valid.records.resize(3);
    const std::string good = encode_recording(valid);
    std::mt19937 random(11);
    std::string noise(4096, '\0');
    for (char &c : noise)
        c = static_cast<char>(random());

    const struct {
        const char *name;
        std::string bytes;
        const char *says;
    } cases[] = {
        {"text", "wins 2\nloses 1\n", "not a Fretfall recording"},
        {"version", "FRETFALL RECORDING\n\x03", "format version 3"},
        {"cut_header", good.substr(0, 8), "truncated in the header"},
        {"cut_file", good.substr(0, good.find("2\n1\n") + 2),
         "truncated in starting file game_save"},
        {"cut_value", good + "\xc4\x80", "truncated in record 4"},
        {"noise", noise, "not a Fretfall recording"},
        {"noise_after_files", good + noise, "record"},
    };
    for (const auto &c : cases) {
        dir.write(c.name, c.bytes);
        Outcome run = replay(dir, std::string("--play ") + c.name);
        EXPECT_EQ(run.status, 2) << c.name;
        EXPECT_EQ(lines(run.errors), 1) << c.name << ": " << run.errors;
        EXPECT_EQ(run.errors.rfind("fretfall-replay: ", 0), 0u) << c.name << ": " << run.errors;
        EXPECT_NE(run.errors.find(c.says), std::string::npos) << c.name << ": " << run.errors;
    }
}

TEST(Recording, ARecordingThatCannotBeWrittenIsReportedOnceAndPlayGoesOn) {
    GameDir dir;
    dir.write("script", after_intro() + "wait 500\n");
    for (const std::string path : {"/nonexistent/rec", "/dev/full"}) {
        Outcome run = replay(dir, "--dir . --trace trace --record " + path + " script");
        EXPECT_EQ(run.status, 0) << path;
        EXPECT_EQ(lines(run.errors), 1) << path << ": " << run.errors;
        EXPECT_NE(run.errors.find("playing on without it"), std::string::npos) << run.errors;
        EXPECT_NE(dir.read("trace").find("\"screen\":\"main_menu\""), std::string::npos) << path;
    }

    // A starting file over 1 MB is kept cut, which the recording and its replay both say.
    dir.write("game_save", std::string((1 << 20) + 10, '7'));
    Outcome big = replay(dir, "--dir . --trace /dev/null --record big.rec script");
    EXPECT_EQ(big.status, 0);
    EXPECT_NE(big.errors.find("game_save is larger than 1 MB"), std::string::npos) << big.errors;
    Outcome replayed = replay(dir, "--play big.rec --trace /dev/null");
    EXPECT_EQ(replayed.status, 0);
    EXPECT_NE(replayed.errors.find("may not be exact"), std::string::npos) << replayed.errors;
}

TEST(Recording, AScriptsSyncDelayIsRecordedAndReplayedWithIt) {
    GameDir dir;
    const std::string keys = keys_to_song(0) + "wait 12000\n";
    dir.write("late.script", "sync 40\n" + keys);
    dir.write("plain.script", keys);
    Outcome late = replay(dir, "--dir . --trace late.trace --record late.rec late.script");
    ASSERT_EQ(late.status, 0) << late.errors;
    ASSERT_EQ(replay(dir, "--dir . --trace plain.trace plain.script").status, 0);
    // The first notes fall off a frame later: the traces part there.
    EXPECT_NE(dir.read("late.trace"), dir.read("plain.trace"));

    GameDir again(false);
    Outcome replayed =
        replay(again, "--play '" + dir.file("late.rec") + "' --dir . --trace replay.trace");
    EXPECT_EQ(replayed.status, 0) << replayed.errors;
    EXPECT_TRUE(again.read("replay.trace") == dir.read("late.trace"))
        << "the replay's trace differs";
}

TEST(Recording, WithoutASettingsFileARecordingIsOfTheFirstVersion) {
    // As recordings were before the file existed: every starting file but the settings.
    Recording none;
    const int last = start_file_count() - 1;
    none.records.resize(1);
    const std::string bytes = encode_recording(none);
    EXPECT_EQ(bytes[19], '\x01');
    EXPECT_EQ(bytes.find("settings"), std::string::npos);
    Recording with = none, read;
    with.files[last] = {true, 17, "sync_delay_ms 40\n"};
    std::string error;
    for (const Recording *r : {&none, &with}) {
        ASSERT_TRUE(parse_recording(encode_recording(*r), read, error)) << error;
        EXPECT_EQ(read.files[last].exists, r == &with);
        EXPECT_EQ(read.files[last].bytes, r->files[last].bytes);
        EXPECT_EQ(read.records.size(), 1u);
    }
}
