// The progress file: its exact bytes, tolerant reading, and whole-file replacement.
#include "harness.h"
#include "store/progress.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

struct ReadCase {
    const char *content;
    int read;        // numbers read
    int wins, loses; // counters afterwards, from 11 and 22
};

} // namespace

TEST(ProgressFile, WritesWinsLineFeedLosesAndNothingElse) {
    GameDir dir;
    std::string path = dir.file("game_save");
    ASSERT_TRUE(write_progress(path.c_str(), 7, 3));
    EXPECT_EQ(dir.read("game_save"), "7\n3");
    ASSERT_TRUE(write_progress(path.c_str(), 0, 0));
    EXPECT_EQ(dir.read("game_save"), "0\n0");
    ASSERT_TRUE(write_progress(path.c_str(), 2147483647, 120));
    EXPECT_EQ(dir.read("game_save"), "2147483647\n120");
    // The temporary file has taken the name: nothing is left beside it.
    EXPECT_FALSE(dir.exists("game_save.new"));
}

TEST(ProgressFile, ReadsAnyWhitespaceAndStopsAtTheFirstUnreadableNumber) {
    const ReadCase cases[] = {
        {"7\n3", 2, 7, 3},
        {"  12 \t\r\n 4\n\n", 2, 12, 4}, // another program's blanks and trailing line feed
        {"7\n3junk", 2, 7, 3},
        {"7 x", 1, 7, 22}, // the second counter keeps its value
        {"7\n", 1, 7, 22},
        {"x\n3", 0, 11, 22}, // a bad first number leaves both
        {"", 0, 11, 22},
        {"\n\n", 0, 11, 22},
        {"-2 +5", 2, -2, 5},
        {"99999999999\n3", 0, 11, 22}, // out of range is unreadable, not wrapped
        {"5\n-2147483648", 2, 5, -2147483647 - 1},
    };
    GameDir dir;
    std::string path = dir.file("game_save");
    for (const ReadCase &c : cases) {
        dir.write("game_save", c.content);
        int w = 11, l = 22;
        EXPECT_EQ(read_progress(path.c_str(), w, l), c.read) << '"' << c.content << '"';
        EXPECT_EQ(w, c.wins) << '"' << c.content << '"';
        EXPECT_EQ(l, c.loses) << '"' << c.content << '"';
    }
    int w = 11, l = 22;
    EXPECT_EQ(read_progress(dir.file("missing").c_str(), w, l), -1);
    EXPECT_EQ(w, 11);
    EXPECT_EQ(l, 22);
}

TEST(ProgressFile, ReadingLooksOnlyAtABoundedStart) {
    GameDir dir;
    std::string path = dir.file("game_save");
    int w = 0, l = 0;
    // Numbers far behind a wall of blanks are not a progress file.
    dir.write("game_save", std::string(100000, ' ') + "5 6");
    EXPECT_EQ(read_progress(path.c_str(), w, l), 0);
    // A sane start followed by a huge tail reads fine.
    dir.write("game_save", "5 6" + std::string(100000, 'z'));
    EXPECT_EQ(read_progress(path.c_str(), w, l), 2);
    EXPECT_EQ(w, 5);
    EXPECT_EQ(l, 6);
    // A directory in the file's place opens but holds no number.
    mkdir(dir.file("folder").c_str(), 0755);
    EXPECT_EQ(read_progress(dir.file("folder").c_str(), w, l), 0);
}

TEST(ProgressFile, ASaveReplacesTheFileInsteadOfRewritingIt) {
    GameDir dir;
    std::string path = dir.file("game_save");
    ASSERT_TRUE(write_progress(path.c_str(), 4, 1));
    // A reader that opened the old file keeps reading the old counts whole: the new ones
    // arrive under the name as a finished file, never as a truncated old one.
    int old_fd = open(path.c_str(), O_RDONLY);
    ASSERT_GE(old_fd, 0);
    ASSERT_TRUE(write_progress(path.c_str(), 9, 8));
    char buf[16] = {};
    ssize_t n = read(old_fd, buf, sizeof buf - 1);
    close(old_fd);
    EXPECT_EQ(std::string(buf, n > 0 ? n : 0), "4\n1");
    EXPECT_EQ(dir.read("game_save"), "9\n8");
}

TEST(ProgressFile, AFailedSaveLeavesTheOldFileWhole) {
    GameDir dir;
    std::string path = dir.file("game_save");
    ASSERT_TRUE(write_progress(path.c_str(), 4, 1));

    // The disk fills up while the new counts are written.
    ASSERT_EQ(symlink("/dev/full", dir.file("game_save.new").c_str()), 0);
    EXPECT_FALSE(write_progress(path.c_str(), 9, 8));
    EXPECT_EQ(dir.read("game_save"), "4\n1");
    EXPECT_FALSE(dir.exists("game_save.new")); // the half-written file is gone

    // The temporary file cannot be made at all.
    mkdir(dir.file("game_save.new").c_str(), 0755);
    EXPECT_FALSE(write_progress(path.c_str(), 9, 8));
    EXPECT_EQ(dir.read("game_save"), "4\n1");
    rmdir(dir.file("game_save.new").c_str());

    // The name is taken by a directory, which no save may replace (not even as root).
    mkdir(dir.file("blocked").c_str(), 0755);
    EXPECT_FALSE(write_progress(dir.file("blocked").c_str(), 9, 8));
    struct stat st;
    ASSERT_EQ(stat(dir.file("blocked").c_str(), &st), 0);
    EXPECT_TRUE(S_ISDIR(st.st_mode));
    EXPECT_FALSE(dir.exists("blocked.new"));
}
