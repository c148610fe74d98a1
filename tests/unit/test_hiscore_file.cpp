// Highscore files: the entry line byte for byte, appending, and the rows the table shows.
#include "harness.h"
#include "store/hiscore_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <climits>
#include <cstring>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

const std::string GAP(33, ' ');
const std::string TAIL(35, ' ');

std::string entry(const std::string &name, const std::string &score) {
    return "  " + name + GAP + score + TAIL + "\n";
}

// Runs each test inside a fresh game directory, so the relative "data/..." paths of the
// song table land there.
class HiscoreFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        char here[4096];
        ASSERT_NE(getcwd(here, sizeof here), nullptr);
        home = here;
        ASSERT_EQ(chdir(dir.path().c_str()), 0);
    }
    void TearDown() override { ASSERT_EQ(chdir(home.c_str()), 0); }

    int read_rows(const std::string &relative) {
        return read_hiscore_rows(dir.file(relative).c_str(), rows);
    }
    std::vector<std::string> texts(int count) const {
        std::vector<std::string> out;
        for (int i = 0; i < count; ++i)
            out.push_back(rows[i].text);
        return out;
    }

    GameDir dir;
    std::string home;
    HiscoreRow rows[HISCORE_ROWS];
};

} // namespace

TEST(HiscoreLine, LayoutByteForByte) {
    char line[HISCORE_LINE_MAX + 1];
    EXPECT_EQ(format_hiscore_line(line, sizeof line, "A", "B", "C", 4520), 78);
    EXPECT_EQ(std::string(line), entry("ABC", "4520"));
    // An empty middle slot joins the other two and shortens the line by one byte.
    EXPECT_EQ(format_hiscore_line(line, sizeof line, "X", "", "Z", 4520), 77);
    EXPECT_EQ(std::string(line), entry("XZ", "4520"));
    // No name at all: 35 blanks before the score; a zero score is one character.
    EXPECT_EQ(format_hiscore_line(line, sizeof line, "", "", "", 0), 72);
    EXPECT_EQ(std::string(line), std::string(35, ' ') + "0" + TAIL + "\n");
    // The longest line there is.
    EXPECT_EQ(format_hiscore_line(line, sizeof line, "W", "9", "0", INT_MIN), HISCORE_LINE_MAX);
    EXPECT_EQ(std::string(line), entry("W90", "-2147483648"));
}

TEST(HiscoreLine, EachSongHasItsFileAndTheTutorialIsNumberSix) {
    EXPECT_STREQ(hiscore_path(0), "data/DATA0.dat");
    EXPECT_STREQ(hiscore_path(1), "data/DATA1.dat");
    EXPECT_STREQ(hiscore_path(2), "data/DATA2.dat");
    EXPECT_STREQ(hiscore_path(3), "data/DATA3.dat");
    EXPECT_STREQ(hiscore_path(4), "data/DATA4.dat");
    EXPECT_STREQ(hiscore_path(99), "data/DATA6.dat");
    for (int song : {-1, 5, 6, 98, 100})
        EXPECT_EQ(hiscore_path(song), nullptr) << song;
    EXPECT_FALSE(append_hiscore(5, "A", "B", "C", 1));
}

TEST_F(HiscoreFileTest, AppendsAtTheEndWithoutTouchingWhatIsThere) {
    // Foreign content, unsorted and without a final line feed, stays as it is.
    dir.write("data/DATA2.dat", "  OLD   5\nhalf a line");
    EXPECT_TRUE(append_hiscore(2, "A", "C", "E", 100));
    EXPECT_TRUE(append_hiscore(2, "A", "C", "E", 100));
    EXPECT_TRUE(append_hiscore(2, "0", "", "", -7));
    EXPECT_EQ(dir.read("data/DATA2.dat"), "  OLD   5\nhalf a line" + entry("ACE", "100") +
                                              entry("ACE", "100") + entry("0", "-7"));
    EXPECT_FALSE(dir.exists("data/DATA0.dat"));
}

TEST_F(HiscoreFileTest, FirstEntryCreatesTheFileWithOneLine) {
    EXPECT_TRUE(append_hiscore(99, "Y", "O", "U", 4520));
    EXPECT_EQ(dir.read("data/DATA6.dat"), entry("YOU", "4520"));
}

TEST_F(HiscoreFileTest, MissingDataDirectoryIsCreated) {
    ASSERT_EQ(rmdir(dir.file("data").c_str()), 0);
    EXPECT_TRUE(append_hiscore(0, "N", "E", "W", 30));
    struct stat st;
    ASSERT_EQ(stat(dir.file("data").c_str(), &st), 0);
    EXPECT_TRUE(S_ISDIR(st.st_mode));
    EXPECT_EQ(dir.read("data/DATA0.dat"), entry("NEW", "30"));
}

TEST_F(HiscoreFileTest, LinesThatCannotBeWrittenAreNotReportedAsStored) {
    // A directory where the file should be.
    ASSERT_EQ(mkdir(dir.file("data/DATA3.dat").c_str(), 0755), 0);
    EXPECT_FALSE(append_hiscore(3, "A", "B", "C", 1));
    // A full disk: the open succeeds and the line is lost when it is flushed.
    if (access("/dev/full", W_OK) == 0) {
        EXPECT_FALSE(append_hiscore_line("/dev/full", "A", "B", "C", 1));
    }
    // A regular file named data: nothing can be created below it, even by root.
    ASSERT_EQ(rmdir(dir.file("data/DATA3.dat").c_str()), 0);
    ASSERT_EQ(rmdir(dir.file("data").c_str()), 0);
    dir.write("data", "not a directory");
    EXPECT_FALSE(append_hiscore(99, "A", "B", "C", 1));
    EXPECT_EQ(dir.read("data"), "not a directory");
    EXPECT_FALSE(append_hiscore_line(nullptr, "A", "B", "C", 1));
}

TEST_F(HiscoreFileTest, ReadOnlyDirectoryIsNotReportedAsStored) {
    if (geteuid() == 0) GTEST_SKIP() << "running as root: a read-only directory is still writable";
    ASSERT_EQ(chmod(dir.file("data").c_str(), 0555), 0);
    EXPECT_FALSE(append_hiscore(1, "A", "B", "C", 1));
    EXPECT_FALSE(dir.exists("data/DATA1.dat"));
}

TEST_F(HiscoreFileTest, RowsAreTheBestScoresWithTiesInFileOrder) {
    append_hiscore(3, "L", "O", "W", 10);
    append_hiscore(3, "M", "I", "D", 50);
    append_hiscore(3, "L", "O", "2", 10);
    append_hiscore(3, "T", "O", "P", 70);
    append_hiscore(3, "M", "I", "2", 50);
    append_hiscore(3, "N", "E", "G", -5);
    ASSERT_EQ(read_rows("data/DATA3.dat"), 6);
    const char *order[] = {"TOP", "MID", "MI2", "LOW", "LO2", "NEG"};
    const int scores[] = {70, 50, 50, 10, 10, -5};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(std::string(rows[i].text, 5), std::string("  ") + order[i]) << i;
        EXPECT_TRUE(rows[i].has_score);
        EXPECT_EQ(rows[i].score, scores[i]);
    }
}

TEST_F(HiscoreFileTest, NewHighScoresShowAfterTenEntries) {
    // Ten old entries, then two better ones: the two new ones lead, the two lowest go.
    for (int i = 0; i < 10; ++i)
        append_hiscore(4, "O", "L", "D", 100 + i);
    append_hiscore(4, "N", "E", "W", 5000);
    append_hiscore(4, "N", "E", "2", 4000);
    ASSERT_EQ(read_rows("data/DATA4.dat"), HISCORE_ROWS);
    EXPECT_EQ(rows[0].score, 5000);
    EXPECT_EQ(rows[1].score, 4000);
    EXPECT_EQ(rows[2].score, 109);
    EXPECT_EQ(rows[9].score, 102);
}

TEST_F(HiscoreFileTest, RowsShowTheLineAsStoredCutTo49Characters) {
    append_hiscore(0, "A", "B", "C", 4520);
    ASSERT_EQ(read_rows("data/DATA0.dat"), 1);
    std::string line = entry("ABC", "4520");
    EXPECT_EQ(std::string(rows[0].text), line.substr(0, HISCORE_ROW_CHARS));
    // The score is inside the 49 characters: it shows.
    EXPECT_NE(std::string(rows[0].text).find("4520"), std::string::npos);
    // A CR LF line shows without its carriage return.
    dir.write("data/DATA1.dat", "  DOS 12\r\n");
    ASSERT_EQ(read_rows("data/DATA1.dat"), 1);
    EXPECT_STREQ(rows[0].text, "  DOS 12");
    EXPECT_EQ(rows[0].score, 12);
}

TEST_F(HiscoreFileTest, LinesWithoutAReadableScoreComeLast) {
    dir.write("data/DATA0.dat", "no score here\n"
                                "\n"
                                "  ABC   77\n"
                                "  BIG   2147483648\n" // one past int: not a score
                                "  MAX   2147483647\n"
                                "  MIN   -2147483648\n"
                                "  ODD   12x\n"
                                "  ONE   -\n"
                                "  ZRO   0   \n"
                                "last line without feed 5");
    ASSERT_EQ(read_rows("data/DATA0.dat"), 10);
    std::vector<std::string> got = texts(10);
    std::vector<std::string> want = {"  MAX   2147483647",
                                     "  ABC   77",
                                     "last line without feed 5",
                                     "  ZRO   0   ",
                                     "  MIN   -2147483648",
                                     "no score here",
                                     "",
                                     "  BIG   2147483648",
                                     "  ODD   12x",
                                     "  ONE   -"};
    EXPECT_EQ(got, want);
    EXPECT_EQ(rows[4].score, INT_MIN);
    EXPECT_FALSE(rows[5].has_score);
    EXPECT_FALSE(rows[9].has_score);
}

TEST_F(HiscoreFileTest, MissingAndEmptyFilesGiveNoRows) {
    EXPECT_EQ(read_rows("data/DATA0.dat"), 0);
    dir.write("data/DATA0.dat", "");
    EXPECT_EQ(read_rows("data/DATA0.dat"), 0);
    EXPECT_EQ(read_hiscore_rows(nullptr, rows), 0);
    // A directory where the file should be.
    ASSERT_EQ(mkdir(dir.file("data/DATA1.dat").c_str(), 0755), 0);
    EXPECT_EQ(read_rows("data/DATA1.dat"), 0);
}

TEST_F(HiscoreFileTest, GarbageIsReadSafely) {
    std::string junk;
    // A line far longer than any buffer, whose score is its last field.
    junk += "  LNG" + std::string(100000, ' ') + std::string(3000, 'x') + " 600\n";
    // NUL bytes inside a line.
    junk += std::string("  N\0L   300\n", 12);
    // Bytes of every value but digits, in lines of varying length: none has a score.
    unsigned state = 12345;
    for (int i = 0; i < 20000; ++i) {
        state = state * 1103515245u + 12345u;
        char c = static_cast<char>(state >> 16);
        junk += c >= '0' && c <= '9' ? 'x' : c;
    }
    junk += "\n  END   400"; // no final line feed
    dir.write("data/DATA6.dat", junk);
    int n = read_rows("data/DATA6.dat");
    ASSERT_EQ(n, HISCORE_ROWS);
    for (int i = 0; i < n; ++i)
        EXPECT_LE(std::strlen(rows[i].text), size_t(HISCORE_ROW_CHARS));
    EXPECT_EQ(std::string(rows[0].text), "  LNG" + std::string(44, ' '));
    EXPECT_EQ(rows[0].score, 600);
    EXPECT_EQ(rows[1].score, 400);
    EXPECT_STREQ(rows[1].text, "  END   400");
    EXPECT_EQ(rows[2].score, 300);
    EXPECT_STREQ(rows[2].text, "  N"); // the row text ends at the NUL
}

TEST_F(HiscoreFileTest, TenThousandLinesAreQuickAndRankedRight) {
    std::string content;
    std::vector<std::pair<int, std::string>> lines; // score and the row it shows
    for (int i = 0; i < 10000; ++i) {
        int score = (i * 7919) % 10007 - 50; // shuffled, with negatives
        if (i % 2000 == 3) score = 9990;     // five equal best scores, spread out
        char x[2] = {static_cast<char>('0' + i / 1000), 0};
        char y[2] = {static_cast<char>('0' + i / 100 % 10), 0};
        char z[2] = {static_cast<char>('0' + i / 10 % 10), 0};
        char line[HISCORE_LINE_MAX + 1];
        format_hiscore_line(line, sizeof line, x, y, z, score);
        content += line;
        lines.emplace_back(score, std::string(line).substr(0, HISCORE_ROW_CHARS));
    }
    dir.write("data/DATA2.dat", content);
    std::stable_sort(lines.begin(), lines.end(),
                     [](const auto &a, const auto &b) { return a.first > b.first; });

    auto started = std::chrono::steady_clock::now();
    const int reads = 10;
    for (int r = 0; r < reads; ++r)
        ASSERT_EQ(read_rows("data/DATA2.dat"), HISCORE_ROWS);
    auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                  std::chrono::steady_clock::now() - started)
                  .count();
    int ties = 0;
    for (int i = 0; i < HISCORE_ROWS; ++i) {
        EXPECT_EQ(rows[i].score, lines[i].first) << i;
        EXPECT_EQ(std::string(rows[i].text), lines[i].second) << i;
        ties += rows[i].score == 9990;
    }
    EXPECT_EQ(ties, 5);
    // The table reads its file on every pass: one read must fit well inside a pass.
    EXPECT_LT(ms / reads, 100) << "one read of 10,000 lines took " << ms / reads << " ms";
}
