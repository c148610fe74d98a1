// The guitar gallery (unlocks, pages, description scroll) and the credits roll.
#include "harness.h"
#include "shots.h"

#include <gtest/gtest.h>

namespace {

const Rgb GUITAR = GREEN;
const Rgb LOCKED = RED;
const Rgb THUMB = YELLOW;

// A gallery whose pictures tell their state by colour: guitars green, locked pictures
// red, a black backdrop, a yellow scroll thumb and descriptions in bands of ten rows,
// blue and cyan by turns.
void paint_gallery(const GameDir &dir) {
    put_solid_image(dir, "img/menus/main2.png", 320, 240, BLACK);
    put_solid_image(dir, "img/sprite/cursor_bar.png", 6, 14, THUMB);
    put_solid_image(dir, "img/sprite/txt_box.png", 145, 140, BLACK);
    for (int i = 0; i < 4; ++i) {
        std::string n = std::to_string(i);
        put_solid_image(dir, "img/guitars/gtr0" + n + ".png", 120, 180, GUITAR);
        put_solid_image(dir, "img/guitars/lock0" + n + ".png", 120, 180, LOCKED);
        put_image(dir, "img/guitars/gtr_desc0" + n + ".png", 141, 520,
                  [](int, int y) { return (y / 10) % 2 ? CYAN : BLUE; });
    }
}

// A fresh run that loads `wins` from the save menu and opens the gallery.
std::string to_gallery_with(const GameDir &dir, int wins) {
    dir.write("game_save", std::to_string(wins) + "\n0");
    return after_intro() + taps("DOWN DOWN LCTRL DOWN DOWN DOWN LCTRL UP UP") + taps("LCTRL", 600) +
           taps("DOWN DOWN LCTRL DOWN LCTRL");
}

std::string shot_line(const GameDir &dir, const std::string &name) {
    return "shot " + dir.file(name) + "\nwait 40\n";
}

// Where the thumb's top stands, from column 147.
int thumb_top(const GameDir &dir, const std::string &name) {
    Shot shot(dir.file(name));
    EXPECT_TRUE(shot.loaded()) << name;
    return shot.first_in_column(148, 0, THUMB);
}

} // namespace

TEST(Gallery, GuitarsUnlockAtEveryFifthWin) {
    struct Case {
        int wins;
        bool unlocked[4];
    };
    const Case cases[] = {
        {4, {false, false, false, false}},
        {5, {true, false, false, false}},
        {19, {true, true, true, false}},
        {20, {true, true, true, true}},
    };
    for (const Case &c : cases) {
        GameDir dir;
        paint_gallery(dir);
        std::string script = to_gallery_with(dir, c.wins);
        for (int page = 0; page < 4; ++page)
            script += shot_line(dir, "page" + std::to_string(page) + ".png") + taps("RIGHT");
        ReplayRun run = run_script(dir, script + "wait 100\n");
        auto polls = run.polls("gallery");
        ASSERT_FALSE(polls.empty()) << run.errors;
        EXPECT_EQ(polls.front().num("wins"), c.wins);
        EXPECT_EQ(polls.front().num("cursor"), 0);
        for (int page = 0; page < 4; ++page) {
            std::string name = "page" + std::to_string(page) + ".png";
            Shot shot(dir.file(name));
            ASSERT_TRUE(shot.loaded()) << name;
            bool unlocked = c.unlocked[page];
            EXPECT_TRUE(same_colour(shot.at(200, 100), unlocked ? GUITAR : LOCKED))
                << c.wins << " wins, page " << page;
            EXPECT_TRUE(
                shows_text(shot, 12, 51, 10, unlocked ? "Status: Unlocked" : "Status: locked"))
                << c.wins << " wins, page " << page;
            // The description and its thumb belong to unlocked pages only.
            EXPECT_EQ(same_colour(shot.at(50, 80), BLUE), unlocked)
                << c.wins << " wins, page " << page;
            EXPECT_EQ(same_colour(shot.at(149, 90), THUMB), unlocked)
                << c.wins << " wins, page " << page;
        }
        const char *hint = "Win 20 times to Unlock";
        Shot last(dir.file("page3.png"));
        EXPECT_EQ(shows_text(last, 15, 120, 10, hint), !c.unlocked[3]) << c.wins;
        EXPECT_EQ(shows_text(last, 12, 22, 18, "LES PAUL"), c.unlocked[3]) << c.wins;
        EXPECT_EQ(shows_text(last, 12, 22, 18, "UNKNOWN"), !c.unlocked[3]) << c.wins;
    }
}

TEST(Gallery, DescriptionScrollsBetweenItsEndsAndPagesWrapAround) {
    GameDir dir;
    paint_gallery(dir);
    std::string down40, up40;
    for (int i = 0; i < 40; ++i) {
        down40 += "DOWN ";
        up40 += "UP ";
    }
    std::string script = to_gallery_with(dir, 20) + shot_line(dir, "top.png") + taps("UP") +
                         shot_line(dir, "above.png") + taps("DOWN") + shot_line(dir, "one.png") +
                         taps(down40, 40) + shot_line(dir, "bottom.png") + taps(up40, 40) +
                         shot_line(dir, "back_up.png") + taps("DOWN DOWN LEFT") +
                         shot_line(dir, "page3.png") + taps("RIGHT") + "wait 100\n";
    ReplayRun run = run_script(dir, script);
    auto polls = run.polls("gallery");
    ASSERT_FALSE(polls.empty()) << run.errors;
    EXPECT_EQ(thumb_top(dir, "top.png"), 86);
    EXPECT_EQ(thumb_top(dir, "above.png"), 86); // UP at the top changes nothing
    EXPECT_EQ(thumb_top(dir, "one.png"), 89);
    EXPECT_EQ(thumb_top(dir, "bottom.png"), 197); // 37 steps of 3 rows at most
    EXPECT_EQ(thumb_top(dir, "back_up.png"), 86);
    EXPECT_EQ(thumb_top(dir, "page3.png"), 86); // turning a page starts at the top
    // The description's window: at the top its band 0 (blue) is at row 78, one step
    // down band 1 (cyan), at the bottom band 37 (cyan); below row 211 the backdrop.
    Shot top(dir.file("top.png")), one(dir.file("one.png")), bottom(dir.file("bottom.png"));
    EXPECT_TRUE(same_colour(top.at(50, 78), BLUE));
    EXPECT_TRUE(same_colour(one.at(50, 78), CYAN));
    EXPECT_TRUE(same_colour(bottom.at(50, 78), CYAN));
    EXPECT_TRUE(same_colour(bottom.at(50, 88), BLUE));
    EXPECT_TRUE(same_colour(top.at(50, 211), CYAN)); // row 133 of the description: band 13
    EXPECT_TRUE(same_colour(top.at(50, 212), BLACK));
    // Pages: LEFT from 0 shows 3, RIGHT from 3 shows 0, each with a click; scrolling is silent.
    std::vector<int> pages;
    for (const TraceLine &l : polls)
        if (pages.empty() || pages.back() != l.num("cursor")) pages.push_back(l.num("cursor"));
    EXPECT_EQ(pages, (std::vector<int>{0, 3, 0}));
    int clicks_before = 2 + 3 + 4 + 1; // main, options, save menu, main again
    EXPECT_EQ(run.sound_times("BATIDA").size(), static_cast<size_t>(clicks_before + 2));
}

TEST(Gallery, LeavingAndReopeningStartsOnPageZeroAtTheTop) {
    GameDir dir;
    paint_gallery(dir);
    std::string script = to_gallery_with(dir, 20) + taps("RIGHT DOWN DOWN LALT") + taps("LCTRL") +
                         shot_line(dir, "again.png") + "wait 100\n";
    ReplayRun run = run_script(dir, script);
    auto polls = run.polls("gallery");
    ASSERT_FALSE(polls.empty()) << run.errors;
    EXPECT_EQ(run.sound_times("CANCELA").size(), 1u);
    EXPECT_EQ(polls.back().num("cursor"), 0);
    EXPECT_EQ(thumb_top(dir, "again.png"), 86);
    EXPECT_EQ(run.last_poll().text("screen"), "gallery");
}

TEST(Credits, RunOutAfter1024PassesAndStartAgainFromTheTop) {
    GameDir dir;
    // The top 20 rows of the credits green, the rest blue, over a black backdrop.
    put_solid_image(dir, "img/menus/main4.png", 320, 240, BLACK);
    put_image(dir, "img/sprite/credits.png", 320, 2300,
              [](int, int y) { return y < 20 ? GREEN : BLUE; });
    // Shots a pass or two after each opening, when the roll has moved up 2 or 4 rows.
    auto open_and_shoot = [&dir](const std::string &name) {
        return "tap LCTRL\nwait 25\nshot " + dir.file(name) + "\nwait 25\n";
    };
    std::string script = after_intro() + taps("DOWN DOWN DOWN LCTRL") + "wait 18000\n" +
                         open_and_shoot("reopened.png") + "wait 2000\n" + taps("LALT") +
                         open_and_shoot("after_b.png") + "wait 18000\n";
    ReplayRun run = run_script(dir, script);
    ASSERT_FALSE(run.polls("credits").empty()) << run.errors;
    // Split the credits polls into the three rolls.
    std::vector<int> rolls;
    std::string previous;
    for (const TraceLine &l : run.all_polls()) {
        std::string screen = l.text("screen");
        if (screen == "credits") {
            if (previous != "credits") rolls.push_back(0);
            ++rolls.back();
        }
        previous = screen;
    }
    ASSERT_EQ(rolls.size(), 3u);
    EXPECT_EQ(rolls[0], 1023); // the 1024th pass goes back without presenting
    EXPECT_LT(rolls[1], 1023);
    EXPECT_EQ(rolls[2], 1023); // after B it starts again from the top
    // Running out is silent; B plays CANCELA once.
    EXPECT_EQ(run.sound_times("CANCELA").size(), 1u);
    EXPECT_EQ(run.last_poll().text("screen"), "main_menu");
    EXPECT_EQ(run.last_poll().num("cursor"), 3);
    for (const char *name : {"reopened.png", "after_b.png"}) {
        Shot shot(dir.file(name));
        ASSERT_TRUE(shot.loaded()) << name;
        EXPECT_TRUE(same_colour(shot.at(160, 0), GREEN)) << name;
        EXPECT_TRUE(same_colour(shot.at(160, 14), GREEN)) << name;
        EXPECT_TRUE(same_colour(shot.at(160, 20), BLUE)) << name;
    }
}
