// Small interface sheets: the name-entry letter grid and its cursor, the volume bar
// and the loading bar.
#include <string>

#include "families.h"
#include "palette.h"
#include "text.h"

namespace assetgen {

namespace {

// Ten columns of 19 and four rows of 18 pixels; the game moves its cursor two pixels
// inside a cell, so every tile leaves a one-pixel gap round it for the 15x14 cursor ring.
constexpr int kCellW = 19, kCellH = 18;
const char *const kGrid = "0123456789ABCDEFGHIJKLMNOPQRSTUVXYWZ";

void letter_grid(Output &out) {
    Canvas c(10 * kCellW, 4 * kCellH, kMagenta, 0.0f);
    TextStyle st;
    st.size = 11;
    st.color = kPaper;
    for (int i = 0; i < 40; ++i) {
        const int x = (i % 10) * kCellW, y = (i / 10) * kCellH;
        fill_round_rect(c, x + 1, y + 1, 17, 16, 3, {22, 14, 40});
        if (i < 36) {
            const std::string ch(1, kGrid[i]);
            draw_text(c, x + 10 - text_width(st, ch) / 2, y + 9 - text_height(st) / 2, ch, st);
        } else if (i == 39) {
            // Delete: a red key with a left-pointing arrow.
            fill_round_rect(c, x + 1, y + 1, 17, 16, 3, {150, 30, 40});
            fill_polygon(c,
                         {{x + 3.0f, y + 9.0f},
                          {x + 8.0f, y + 4.0f},
                          {x + 8.0f, y + 7.0f},
                          {x + 15.0f, y + 7.0f},
                          {x + 15.0f, y + 11.0f},
                          {x + 8.0f, y + 11.0f},
                          {x + 8.0f, y + 14.0f}},
                         kPaper);
        }
    }
    out.png("img/sprite/letras.png", c, Key::Magenta);
}

void name_cursor(Output &out) {
    Canvas c(15, 14, kMagenta, 0.0f);
    fill_round_rect(c, 0, 0, 15, 14, 3, kInk);
    fill_round_rect(c, 1, 1, 13, 12, 2, kGold);
    fill_round_rect(c, 3, 3, 9, 8, 1, kMagenta, 1.0f);
    // The middle must stay keyed so the letter under the cursor shows.
    for (int y = 3; y < 11; ++y)
        for (int x = 3; x < 12; ++x)
            c.put(x, y, kMagenta, 0.0f);
    out.png("img/sprite/cursor_nome.png", c, Key::Magenta);
}

// A speaker and ten bars; frame N of the game (N = 1..10) is the sheet's left part of
// width 35, 43, 51, 59, 67, 75, 83, 91, 98 or 109 and shows the speaker and N bars.
void volume_bar(Output &out) {
    Canvas c(109, 66, kMagenta, 0.0f);
    fill_polygon(c, {{2, 44}, {10, 44}, {22, 34}, {22, 64}, {10, 54}, {2, 54}}, kInk);
    fill_polygon(c, {{4, 46}, {11, 46}, {20, 38}, {20, 60}, {11, 52}, {4, 52}}, kPaper);
    for (int k = 0; k < 10; ++k) {
        const int x = 27 + k * 8, h = 12 + k * 6;
        const Rgb col =
            k < 5 ? mix(kLane[0], kLane[2], k / 4.0f) : mix(kLane[2], kLane[1], (k - 5) / 4.0f);
        c.fill_rect(x, 66 - h, 7, h, kInk);
        c.fill_rect(x + 1, 67 - h, 5, h - 2, col);
        c.fill_rect(x + 1, 67 - h, 2, h - 2, kWhite, 0.3f);
    }
    out.png("img/sprite/audio1.png", c, Key::Magenta);
}

// The full loading bar; the game shows its left 30, 55, 92, 127 and 150 columns in turn.
void loading_bar(Output &out) {
    Canvas c(150, 43, kMagenta, 0.0f);
    fill_round_rect(c, 0, 6, 150, 31, 8, kInk);
    for (int y = 9; y < 34; ++y)
        for (int x = 3; x < 147; ++x) {
            const bool stripe = ((x + y) / 6) % 2 == 0;
            const Rgb base = mix(kGold, kFlame, (y - 9) / 25.0f);
            c.put(x, y, stripe ? base : shade(base, 0.85f));
        }
    c.fill_rect(3, 10, 144, 3, kWhite, 0.35f);
    out.png("img/sprite/loading_sprits.png", c, Key::Magenta);
}

} // namespace

void make_widgets(Output &out) {
    letter_grid(out);
    name_cursor(out);
    volume_bar(out);
    loading_bar(out);
}

} // namespace assetgen
