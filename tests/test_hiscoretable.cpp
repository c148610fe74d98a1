// The highscore table: page titles, what a page draws from its file, and paging through
// the headless driver.
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
    const char *names[HISCORE_PAGES] = {"PARANOID",
                                        "HIGHWAY TO HELL",
                                        "ACE OF SPADES",
                                        "THE NUMBER OF THE BEAST",
                                        "FOR WHOM THE BELLS TOOLS",
                                        "TUTORIAL"};
    const std::pair<size_t, size_t> blanks[HISCORE_PAGES] = {{13, 14}, {10, 10}, {8, 8},
                                                             {8, 8},   {8, 8},   {8, 8}};
    const int songs[HISCORE_PAGES] = {0, 1, 2, 3, 4, 99};
    for (int page = 0; page < HISCORE_PAGES; ++page) {
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
                if (static_cast<Uint16 *>(screen->pixels)[y * screen->pitch / 2 + x] != 0) ++n;
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

TEST(HiscoreTable, PagesWrapWithoutSoundAndThePageIsKept) {
    GameDir dir;
    std::string script = skip_intro() + "tap LCTRL\n"                       // play submenu
                                        "tap DOWN\ntap DOWN\ntap DOWN\n"    // highscores entry
                                        "tap LCTRL\n"                       // page 0
                                        "tap LEFT\n"                        // page 5
                                        "tap RIGHT\n"                       // page 0
                                        "tap RIGHT\ntap RIGHT\ntap RIGHT\n" // page 3
                                        "tap a\ntap RETURN\n"               // nothing
                                        "tap LALT\n"                        // back
                                        "tap LCTRL\n"                       // open again
                                        "wait 1500\n";
    ReplayRun run = run_script(dir, script);
    EXPECT_EQ(run.status, 0) << run.errors;
    std::vector<int> pages;
    for (const TraceLine &l : run.polls("highscores"))
        if (pages.empty() || pages.back() != l.num("cursor")) pages.push_back(l.num("cursor"));
    EXPECT_EQ(pages, (std::vector<int>{0, 5, 0, 1, 2, 3}));
    // The screens in order: the table, back on the play submenu with the cursor on the
    // table's entry, and the table again on the page it was left on.
    std::vector<std::string> screens;
    for (const TraceLine &l : run.all_polls()) {
        std::string at = l.text("screen") + ":" + std::to_string(l.num("cursor"));
        if (screens.empty() || screens.back() != at) screens.push_back(at);
    }
    std::vector<std::string> tail(screens.end() - std::min<size_t>(screens.size(), 4),
                                  screens.end());
    EXPECT_EQ(tail, (std::vector<std::string>{"highscores:2", "highscores:3", "play_menu:3",
                                              "highscores:3"}));
    // Only the three cursor moves click; paging is silent and B cancels once.
    std::vector<std::string> sounds = run.sounds();
    EXPECT_EQ(std::count(sounds.begin(), sounds.end(), "BATIDA"), 3);
    EXPECT_EQ(std::count(sounds.begin(), sounds.end(), "CANCELA"), 1);
}
