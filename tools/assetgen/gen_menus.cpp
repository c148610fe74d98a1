// Vertical menus: backdrops whose entry labels sit on the cursor rows, and the cursor sheet.
#include <string>
#include <vector>

#include "families.h"
#include "guitar_art.h"
#include "palette.h"
#include "text.h"
#include "ui.h"

namespace assetgen {

namespace {

// The game draws the 16-row cursor at x 5 and these y; labels are centred on its rows.
constexpr int kCursorY[5] = {65, 100, 134, 165, 200};
// Rows of the cursor frames inside cursorA.png.
constexpr int kCursorFrameY[5] = {66, 101, 133, 168, 203};
constexpr int kLabelX = 34;

Canvas menu_backdrop(const std::string &title, const std::vector<std::string> &labels, int seed) {
    Canvas c(320, 240, kNight);
    screen_background(c, seed, {8, 6, 24}, {52, 20, 70});
    if (title.empty()) {
        logo(c, 160, 28, 30);
    } else {
        screen_title(c, title, 14, 22);
    }
    for (size_t i = 0; i < labels.size() && i < 5; ++i)
        menu_label(c, kLabelX, kCursorY[i] + 8, labels[i]);
    return c;
}

// A pick-shaped pointer for each entry, in the lane colours from the top.
void cursor_sheet(Output &out) {
    Canvas c(23, 240, kMagenta, 0.0f);
    for (int i = 0; i < 5; ++i) {
        const float y = static_cast<float>(kCursorFrameY[i]);
        const std::vector<Pt> pick = {{1, y + 1},  {8, y + 2},  {22, y + 8},
                                      {8, y + 14}, {1, y + 15}, {2, y + 8}};
        fill_polygon(c, pick, kInk);
        const std::vector<Pt> inner = {{3, y + 3},  {9, y + 4},  {19, y + 8},
                                       {9, y + 12}, {3, y + 13}, {4, y + 8}};
        fill_polygon(c, inner, kLane[i]);
        fill_polygon(c, {{5, y + 5}, {11, y + 6}, {15, y + 8}, {5, y + 8}},
                     mix(kLane[i], kWhite, 0.6f));
    }
    out.png("img/sprite/cursorA.png", c, Key::Magenta);
}

} // namespace

void make_menus(Output &out) {
    Canvas main = menu_backdrop("", {"PLAY", "GUITAR GALLERY", "OPTIONS", "CREDITS", "EXIT"}, 51);
    draw_guitar(main, Guitar::Strat, 270, 150, 1.1f, 0.45f, false);
    out.png("img/menus/menu1.png", main, Key::None);

    Canvas play =
        menu_backdrop("PLAY", {"CAREER", "SONG SELECTION", "TUTORIAL", "HIGHSCORES", "BACK"}, 52);
    draw_guitar(play, Guitar::FlyingV, 272, 150, 1.1f, 0.4f, false);
    out.png("img/menus/menu1.1.png", play, Key::None);

    Canvas opts =
        menu_backdrop("OPTIONS", {"BUTTONS", "GAME LOOK", "SOUND", "SAVE / LOAD", "BACK"}, 53);
    draw_guitar(opts, Guitar::SingleCut, 272, 150, 1.1f, 0.4f, false);
    out.png("img/menus/main3.png", opts, Key::None);

    // Game look: the game prints each choice (0..3) at x 268 on rows 68, 103 and 136.
    Canvas look = menu_backdrop("GAME LOOK", {"BACKDROP", "FLAMES", "NECK", "BACK"}, 54);
    TextStyle arrow = label_text(12);
    for (int i = 0; i < 3; ++i) {
        const int y = kCursorY[i] + 3;
        fill_round_rect(look, 262, y - 1, 20, 16, 4, kPaper, 0.5f);
        fill_round_rect(look, 263, y, 18, 14, 3, kNight);
        draw_text(look, 248, y - 1, "<", arrow);
        draw_text(look, 286, y - 1, ">", arrow);
    }
    out.png("img/menus/menu_configuregame.png", look, Key::None);

    // Save menu: the game writes its message at (140, 120), between the label rows.
    Canvas save = menu_backdrop("SAVE / LOAD", {"SAVE", "LOAD", "CLEAR", "BACK"}, 55);
    draw_guitar(save, Guitar::Explorer, 276, 160, 1.0f, 0.4f, false);
    out.png("img/menus/menu_save.png", save, Key::None);

    cursor_sheet(out);
}

} // namespace assetgen
