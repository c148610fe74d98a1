// Full-screen overlays on the magenta key (countdown, win and fail banners, pause layers)
// and the two star rows of the results screen.
#include <cmath>
#include <string>

#include "families.h"
#include "palette.h"
#include "text.h"
#include "ui.h"

namespace assetgen {

namespace {

Canvas clear_screen() { return Canvas(320, 240, kMagenta, 0.0f); }

Canvas countdown(const std::string &digit, Rgb col) {
    Canvas c = clear_screen();
    fill_circle(c, 160, 120, 56, kInk);
    fill_circle(c, 160, 120, 52, {40, 22, 70});
    ring(c, 160, 120, 52, 52, 4, col);
    TextStyle st;
    st.size = 72;
    st.color = mix(col, kWhite, 0.5f);
    st.bottom_color = col;
    st.use_gradient = true;
    st.outline = 3;
    draw_text(c, 160 - text_width(st, digit) / 2, 120 - text_height(st) / 2, digit, st);
    return c;
}

// A slanted ribbon across the middle of the screen carrying a big word.
Canvas banner(const std::string &word, Rgb band, Rgb top, Rgb bottom, bool burst) {
    Canvas c = clear_screen();
    if (burst) {
        for (int i = 0; i < 16; ++i) {
            const float a = i * 0.3927f;
            const float r = (i % 2) ? 120.0f : 160.0f;
            fill_polygon(c,
                         {{160, 120},
                          {160 + r * std::cos(a - 0.03f), 120 + r * std::sin(a - 0.03f)},
                          {160 + r * std::cos(a + 0.03f), 120 + r * std::sin(a + 0.03f)}},
                         kGold);
        }
    }
    fill_polygon(c, {{-5, 92}, {325, 80}, {325, 152}, {-5, 164}}, kInk);
    fill_polygon(c, {{-5, 96}, {325, 84}, {325, 148}, {-5, 160}}, band);
    TextStyle st;
    st.size = 38;
    st.color = top;
    st.bottom_color = bottom;
    st.use_gradient = true;
    st.outline = 3;
    st.shadow = 3;
    draw_text(c, 160 - text_width(st, word) / 2, 120 - text_height(st) / 2, word, st);
    return c;
}

// Half of the pixels dark, half keyed: dims the frozen song frame underneath.
Canvas pause_dim() {
    Canvas c = clear_screen();
    for (int y = 0; y < 240; ++y)
        for (int x = (y % 2); x < 320; x += 2)
            c.put(x, y, {12, 8, 22});
    return c;
}

// The title and a dark band behind the instruction the game centres at y 120.
Canvas pause_panel() {
    Canvas c = clear_screen();
    c.fill_rect(0, 112, 320, 26, {26, 14, 44});
    c.fill_rect(0, 111, 320, 1, kFlame);
    c.fill_rect(0, 138, 320, 1, kFlame);
    fill_round_rect(c, 100, 58, 120, 44, 8, kInk);
    fill_round_rect(c, 102, 60, 116, 40, 7, {40, 22, 70});
    TextStyle st;
    st.size = 24;
    st.color = kGold;
    st.bottom_color = kFlame;
    st.use_gradient = true;
    st.outline = 2;
    draw_text_centered(c, 160, 80 - text_height(st) / 2, "PAUSED", st);
    return c;
}

// Five stars 42 pixels apart; the game cuts the full row at 21, 41, 63 ... 209 pixels,
// so each width ends in the middle or at the end of a star.
Canvas star_row(bool full) {
    Canvas c(209, 39, kMagenta, 0.0f);
    for (int k = 0; k < 5; ++k) {
        const float cx = 21 + 42 * k;
        fill_polygon(c, star_points(cx, 20.5f, 19.5f, 0.48f), kInk);
        if (full) {
            fill_polygon(c, star_points(cx, 21, 16.5f, 0.48f), kFlame);
            fill_polygon(c, star_points(cx, 20, 14.0f, 0.48f), kGold);
            fill_polygon(c, star_points(cx - 2, 17, 5.0f, 0.5f), {255, 248, 200});
        } else {
            fill_polygon(c, star_points(cx, 21, 16.5f, 0.48f), {70, 62, 90});
            fill_polygon(c, star_points(cx, 21, 13.0f, 0.48f), {44, 38, 60});
        }
    }
    return c;
}

} // namespace

void make_overlays(Output &out) {
    out.png("img/sprite/3.png", countdown("3", kLane[1]), Key::Magenta);
    out.png("img/sprite/2.png", countdown("2", kLane[2]), Key::Magenta);
    out.png("img/sprite/1.png", countdown("1", kLane[0]), Key::Magenta);
    out.png("img/sprite/YOUROCK.png", banner("YOU ROCK!", {120, 30, 150}, kGold, kFlame, true),
            Key::Magenta);
    out.png("img/sprite/YOUFAILED.png",
            banner("YOU FAILED", {50, 40, 60}, {240, 90, 90}, {140, 20, 30}, false), Key::Magenta);
    out.png("img/menus/pause.png", pause_dim(), Key::Magenta);
    out.png("img/menus/pause2.png", pause_panel(), Key::Magenta);
    out.png("img/sprite/star_line.png", star_row(true), Key::Magenta);
    out.png("img/sprite/star_line_null.png", star_row(false), Key::Magenta);
}

} // namespace assetgen
