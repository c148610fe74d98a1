// Saving the progress, killed at random moments, leaves one whole pair of counts.
#include "game/results.h"
#include "harness.h"
#include "store/progress.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <random>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// The two pairs the saving process alternates between, and the file each one gives.
const int PAIRS[2][2] = {{7, 3}, {1234, 56789}};
const char *const FILES[2] = {"7\n3", "1234\n56789"};
const int KILLS = 1000;

// Runs in the child: saves the two pairs one after the other until it is killed.
[[noreturn]] void save_forever(const std::string &dir) {
    if (chdir(dir.c_str()) != 0) _exit(2);
    for (;;)
        for (const auto &pair : PAIRS) {
            wins = pair[0];
            loses = pair[1];
            if (!save_game()) _exit(3);
        }
}

double seconds_since(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

} // namespace

TEST(InterruptedSave, KilledAtRandomMomentsTheFileHoldsOldOrNewCounts) {
    GameDir dir;
    ASSERT_TRUE(write_progress(dir.file("game_save").c_str(), PAIRS[0][0], PAIRS[0][1]));

    // How long one save takes here: the kills fall anywhere within a few saves, so that
    // many land while the new counts are being written, flushed or renamed.
    auto timing = std::chrono::steady_clock::now();
    const int TIMED = 20;
    for (int i = 0; i < TIMED; ++i)
        ASSERT_TRUE(write_progress(dir.file("timing").c_str(), i, i));
    long save_us = static_cast<long>(seconds_since(timing) * 1e6 / TIMED) + 1;

    std::mt19937 rng(20240613);
    std::uniform_int_distribution<long> delay_us(0, 4 * save_us + 200);
    int seen[2] = {0, 0};
    int mid_save = 0; // kills that left the temporary file behind: caught inside a save
    auto started = std::chrono::steady_clock::now();
    for (int kill_no = 0; kill_no < KILLS; ++kill_no) {
        pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) save_forever(dir.path());
        usleep(static_cast<useconds_t>(delay_us(rng)));
        ASSERT_EQ(kill(child, SIGKILL), 0);
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the saving process stopped by itself: " << status;

        std::string content = dir.read("game_save");
        ASSERT_TRUE(content == FILES[0] || content == FILES[1])
            << "after kill " << kill_no << " the file holds \"" << content << '"';
        seen[content == FILES[1]]++;
        mid_save += dir.exists("game_save.new");
        // The game reads back both counts of the pair the file names.
        int w = -1, l = -1;
        ASSERT_EQ(read_progress(dir.file("game_save").c_str(), w, l), 2);
        int pair = content == FILES[1];
        EXPECT_EQ(w, PAIRS[pair][0]);
        EXPECT_EQ(l, PAIRS[pair][1]);
    }
    // The kills really came at varied moments: both pairs were left in the file, and some
    // kills stopped a save halfway.
    EXPECT_GT(seen[0], 0);
    EXPECT_GT(seen[1], 0);
    EXPECT_GT(mid_save, 0);
    std::printf("%d kills in %.1f s (one save %ld us): old pair %d times, new pair %d, "
                "%d inside a save\n",
                KILLS, seconds_since(started), save_us, seen[0], seen[1], mid_save);
}
