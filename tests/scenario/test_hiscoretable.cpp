// The highscore table: page titles and what a page draws from its file.
#include "pixels.h"
#include "engine/assets.h"
#include "harness.h"
#include "video.h"
#include "menus/hiscoretable.h"
#include "store/hiscore_file.h"

#include <SDL.h>
#include <SDL_ttf.h>
#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include <unistd.h>

namespace {

// Blanks before and after the name inside "<" and ">".
std::pair<size_t, size_t> title_blanks(const std::string &title) {
    std::string inner = title.substr(1, title.size() - 2);
    size_t first = inner.find_first_not_of(' ');
    size_t last = inner.find_last_not_of(' ');
    return {first, inner.size() - 1 - last};
}

} // namespace

TEST(HiscoreTitles, PagesNameTheirSongsWithTheirBlanks) {
    ASSERT_EQ(hiscore_pages(), 6);
    const char *names[6] = {"PARANOID",
                            "HIGHWAY TO HELL",
                            "ACE OF SPADES",
                            "THE NUMBER OF THE BEAST",
                            "FOR WHOM THE BELLS TOOLS",
                            "TUTORIAL"};
    const std::pair<size_t, size_t> blanks[6] = {{13, 14}, {10, 10}, {8, 8},
                                                 {8, 8},   {8, 8},   {8, 8}};
    const int songs[6] = {0, 1, 2, 3, 4, 99};
    for (int page = 0; page < 6; ++page) {
        std::string title = page_title(page);
        ASSERT_GE(title.size(), 2u);
        EXPECT_EQ(title.front(), '<');
        EXPECT_EQ(title.back(), '>');
        EXPECT_NE(title.find(std::string(" ") + names[page] + " "), std::string::npos) << title;
        EXPECT_EQ(title_blanks(title), blanks[page]) << title;
        EXPECT_EQ(page_song(page), songs[page]);
    }
    EXPECT_STREQ(page_title(6), "");
    EXPECT_EQ(page_song(-1), -1);
}

// Pages drawn in-process into the dummy screen, in a throw-away game directory.
class HiscorePage : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { open_test_video(); }
    void SetUp() override {
        ASSERT_NE(screen, nullptr);
        ASSERT_NE(font_small1, nullptr);
        char here[4096];
        ASSERT_NE(getcwd(here, sizeof here), nullptr);
        home = here;
        ASSERT_EQ(chdir(dir.path().c_str()), 0);
        // A black backdrop: every lit pixel is text.
        backdrop = my_surfMenu5;
        my_surfMenu5 = nullptr;
    }
    void TearDown() override {
        my_surfMenu5 = backdrop;
        ASSERT_EQ(chdir(home.c_str()), 0);
    }

    // Lit pixels in rows y0..y1-1 of the screen.
    static int lit(int y0, int y1) {
        int n = 0;
        SDL_LockSurface(screen);
        for (int y = y0; y < y1; ++y)
            for (int x = 0; x < 320; ++x)
                if (pixel_value(screen, x, y) != 0) ++n;
        SDL_UnlockSurface(screen);
        return n;
    }
    static void draw(int page) {
        select_score = page;
        SDL_FillRect(screen, nullptr, 0);
        draw_highscore_page();
    }

    GameDir dir;
    std::string home;
    SDL_Surface *backdrop = nullptr;
};

TEST_F(HiscorePage, RowsFollowTheFileOnEveryPass) {
    // Rows 1..10 stand at y 100..190; the header above them reaches into row 1.
    draw(5);
    int header_only = lit(100, 215);
    EXPECT_EQ(lit(118, 215), 0);
    EXPECT_GT(lit(215, 240), 0); // the footer
    EXPECT_GT(lit(55, 80), 0);   // the title

    // A line appended since the last pass shows at the next one.
    append_hiscore(99, "A", "B", "C", 50);
    draw(5);
    EXPECT_GT(lit(100, 215), header_only);
    EXPECT_EQ(lit(118, 215), 0);

    for (int i = 0; i < 11; ++i)
        append_hiscore(99, "D", "E", "F", i);
    draw(5);
    EXPECT_GT(lit(188, 205), 0); // the tenth row
    EXPECT_EQ(lit(208, 218), 0); // and nothing after it

    // The next page has no file: its rows are empty, not those of the page before.
    draw(0);
    EXPECT_EQ(lit(118, 215), 0);
    // A page number out of range falls back to the first page.
    draw(9);
    EXPECT_EQ(select_score, 0);
}

TEST_F(HiscorePage, TheBestRowStandsFirst) {
    // The top of row 1 (below it the header ends, above row 2 begins) shows the wide
    // line when that line is the best, though both files hold the narrow one first.
    dir.write("data/DATA2.dat", "  AAA   1\n  WWWWWWWWWWWWWWWWWWWWWWWW   900\n");
    draw(2);
    int wide_first = lit(100, 110);
    dir.write("data/DATA2.dat", "  AAA   1000\n  WWWWWWWWWWWWWWWWWWWWWWWW   900\n");
    draw(2);
    EXPECT_LT(lit(100, 110), wide_first);
}
