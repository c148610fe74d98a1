// Shared pieces of the menu and screen art.
#include "ui.h"

#include <cmath>

#include "palette.h"

namespace assetgen {

void screen_background(Canvas &c, int seed, Rgb top, Rgb bottom) {
    c.vgradient(0, 0, c.width(), c.height(), top, bottom);
    for (int i = 0; i < 4; ++i) {
        const float x = 40 + noise(i, 1, seed) * (c.width() - 80);
        const float tilt = (noise(i, 2, seed) - 0.5f) * 0.9f;
        spotlight(c, x, -10, 90 + noise(i, 3, seed) * 80, tilt, mix(kDusk, kPaper, 0.35f), 0.10f);
    }
    for (int i = 0; i < 60; ++i) {
        const int x = static_cast<int>(noise(i, 4, seed) * c.width());
        const int y = static_cast<int>(noise(i, 5, seed) * c.height() * 0.7f);
        c.blend(x, y, kPaper, 0.25f + 0.5f * noise(i, 6, seed));
    }
    // Stage floor glow at the foot of every screen.
    for (int y = c.height() - 40; y < c.height(); ++y)
        c.fill_rect(0, y, c.width(), 1, kFlame, 0.18f * (y - (c.height() - 40)) / 40.0f);
}

void screen_title(Canvas &c, const std::string &text, int y, int size) {
    TextStyle st;
    st.size = size;
    st.color = kGold;
    st.bottom_color = kFlame;
    st.use_gradient = true;
    st.outline = 2;
    st.outline_color = kInk;
    st.shadow = 2;
    draw_text_centered(c, c.width() / 2, y, text, st);
}

void panel(Canvas &c, int x, int y, int w, int h, float alpha) {
    fill_round_rect(c, x, y, w, h, 6, kPaper, 0.35f);
    fill_round_rect(c, x + 1, y + 1, w - 2, h - 2, 5, kNight, 0.9f);
    fill_round_rect(c, x + 1, y + 1, w - 2, h - 2, 5, kDusk, 1.0f - alpha);
}

TextStyle label_text(int size) {
    TextStyle st;
    st.size = size;
    st.color = kPaper;
    st.bottom_color = mix(kPaper, kGold, 0.7f);
    st.use_gradient = true;
    st.outline = 1;
    st.outline_color = kInk;
    st.shadow = 2;
    return st;
}

TextStyle body_text(int size) {
    TextStyle st;
    st.face = Face::Bold;
    st.size = size;
    st.color = kPaper;
    return st;
}

void menu_label(Canvas &c, int x, int cy, const std::string &text) {
    const TextStyle st = label_text();
    // A faint bar behind the label, fading to the right, marks the row.
    for (int i = 0; i < 200; ++i)
        c.fill_rect(x - 4 + i, cy - 9, 1, 18, kNight, 0.45f * (1.0f - i / 200.0f));
    c.fill_rect(x - 4, cy - 9, 2, 18, kFlame, 0.8f);
    draw_text_vcentered(c, x + 4, cy, text, st);
}

void logo(Canvas &c, int cx, int cy, int size) {
    TextStyle st;
    st.size = size;
    st.color = {255, 236, 120};
    st.bottom_color = {255, 96, 16};
    st.use_gradient = true;
    st.outline = size >= 24 ? 3 : 2;
    st.outline_color = kInk;
    st.shadow = 3;
    const int h = text_height(st);
    const int w = text_width(st, "FRETFALL");
    // A flame-coloured streak under the lettering, like a pick slide on a string.
    glow(c, cx, cy, w * 0.7f, kFlame, 0.5f);
    line(c, cx - w * 0.42f, cy + h * 0.5f, cx + w * 0.42f, cy + h * 0.42f, 3, kGold, 0.9f);
    draw_text(c, cx - w / 2, cy - h / 2, "FRETFALL", st);
}

void crowd(Canvas &c, int y, Rgb col, int seed, float density) {
    const int n = static_cast<int>(c.width() / 9 * density);
    for (int i = 0; i < n; ++i) {
        const float x = (i + noise(i, 1, seed)) * c.width() / n;
        const float hy = y - 6 - noise(i, 2, seed) * 10;
        fill_circle(c, x, hy, 5 + noise(i, 3, seed) * 2, col);
        fill_round_rect(c, x - 8, hy + 4, 16, c.height() - hy, 5, col);
        if (noise(i, 4, seed) < 0.3f) {
            const float side = noise(i, 5, seed) < 0.5f ? -1.0f : 1.0f;
            line(c, x + side * 6, hy + 6, x + side * 11, hy - 14, 3, col);
            fill_circle(c, x + side * 11, hy - 15, 2.5f, col);
        }
    }
}

void spotlight(Canvas &c, float x, float y, float bottom_w, float angle, Rgb col, float a) {
    const float len = c.height() * 1.3f;
    const float ex = x + std::sin(angle) * len, ey = y + std::cos(angle) * len;
    const float nx = std::cos(angle), ny = -std::sin(angle);
    const std::vector<Pt> cone = {{x - nx * 3, y - ny * 3},
                                  {x + nx * 3, y + ny * 3},
                                  {ex + nx * bottom_w / 2, ey + ny * bottom_w / 2},
                                  {ex - nx * bottom_w / 2, ey - ny * bottom_w / 2}};
    fill_polygon(c, cone, col, a);
}

} // namespace assetgen
