// Stage backdrops behind the playfield: club, stadium, garage and desert festival.
// The neck covers x 80..319 at high opacity, so each scene keeps its strongest detail
// in the left 80 columns, around the score panel and the multiplier.
#include <cmath>
#include <string>

#include "families.h"
#include "palette.h"
#include "ui.h"

namespace assetgen {

namespace {

// A speaker cabinet with two cones, standing on the floor at (x, floor).
void amp(Canvas &c, float x, float floor, float w, float h) {
    fill_round_rect(c, x, floor - h, w, h, 3, {18, 16, 20});
    fill_round_rect(c, x + 3, floor - h + 3, w - 6, h - 6, 2, {44, 40, 46});
    const float r = std::min(w, h / 2) * 0.36f;
    for (int i = 0; i < 2; ++i) {
        const float cy = floor - h + h * (0.27f + 0.46f * i);
        fill_circle(c, x + w / 2, cy, r, {14, 12, 16});
        ring(c, x + w / 2, cy, r, r, 1.5f, kSteel);
        fill_circle(c, x + w / 2, cy, r * 0.3f, {60, 56, 64});
    }
}

Canvas club() {
    Canvas c(320, 240, kNight);
    for (int x = 0; x < 320; ++x) {
        const float fold = 0.5f + 0.5f * std::sin(x * 0.35f);
        c.fill_rect(x, 0, 1, 190, mix({70, 8, 18}, {150, 24, 40}, fold));
    }
    c.vgradient(0, 0, 320, 40, {20, 4, 8}, {20, 4, 8}, 0.7f);
    spotlight(c, 40, -5, 90, 0.25f, {255, 230, 180}, 0.22f);
    spotlight(c, 280, -5, 90, -0.3f, {255, 200, 120}, 0.18f);
    c.vgradient(0, 190, 320, 50, {40, 26, 20}, {16, 10, 8});
    amp(c, 4, 196, 48, 70);
    amp(c, 4, 126, 48, 40);
    amp(c, 268, 196, 48, 70);
    crowd(c, 240, {8, 4, 8}, 3, 0.9f);
    return c;
}

Canvas stadium() {
    Canvas c(320, 240, kNight);
    c.vgradient(0, 0, 320, 200, {4, 6, 24}, {34, 24, 80});
    for (int i = 0; i < 90; ++i)
        c.blend(static_cast<int>(noise(i, 1, 21) * 320), static_cast<int>(noise(i, 2, 21) * 140),
                kPaper, 0.3f + 0.6f * noise(i, 3, 21));
    // Lighting truss across the top with coloured lamps and their beams.
    c.fill_rect(0, 14, 320, 3, kSteel);
    c.fill_rect(0, 24, 320, 3, kSteel);
    for (int x = 0; x < 320; x += 10)
        line(c, x, 15, x + 10, 25, 1.2f, kSteel);
    for (int i = 0; i < 8; ++i) {
        const Rgb col = kLane[i % 5];
        const float x = 20 + i * 40;
        spotlight(c, x, 28, 60, (i % 2 ? 0.35f : -0.35f), col, 0.16f);
        fill_circle(c, x, 30, 4, col);
    }
    c.vgradient(0, 170, 320, 70, {30, 20, 60}, {10, 6, 20});
    crowd(c, 215, {14, 10, 26}, 5, 1.3f);
    crowd(c, 240, {6, 4, 12}, 6, 1.1f);
    for (int i = 0; i < 25; ++i)
        fill_circle(c, noise(i, 7, 22) * 320, 175 + noise(i, 8, 22) * 40, 1.2f, {220, 230, 255});
    return c;
}

Canvas garage() {
    Canvas c(320, 240, {60, 30, 24});
    for (int row = 0; row < 20; ++row) {
        const int y = row * 10;
        const int shift = (row % 2) * 12;
        for (int b = -1; b < 14; ++b) {
            const float tone = noise(b, row, 31);
            fill_round_rect(c, b * 24 + shift + 1, y + 1, 22, 8, 1,
                            mix({110, 46, 32}, {150, 72, 48}, tone));
        }
    }
    c.vgradient(0, 0, 320, 200, {0, 0, 0}, {0, 0, 0}, 0.35f);
    c.vgradient(0, 196, 320, 44, {70, 66, 62}, {40, 38, 36});
    // A bare bulb on a cord, its warm light on the wall.
    line(c, 40, 0, 40, 50, 1.5f, kInk);
    glow(c, 40, 58, 90, {255, 200, 120}, 0.45f);
    fill_circle(c, 40, 58, 7, {255, 240, 190});
    // A poster with lightning and a drum kit in the corner.
    fill_round_rect(c, 8, 90, 56, 72, 2, {230, 210, 150});
    fill_polygon(c, {{40, 96}, {22, 128}, {34, 128}, {26, 156}, {50, 118}, {37, 118}}, kFlame);
    fill_ellipse(c, 270, 205, 34, 28, {20, 18, 22});
    ring(c, 270, 205, 34, 28, 3, kSteel);
    fill_ellipse(c, 226, 178, 20, 6, {200, 170, 60});
    line(c, 226, 178, 226, 230, 2, kSteel);
    crowd(c, 244, {14, 8, 6}, 8, 0.5f);
    return c;
}

Canvas festival() {
    Canvas c(320, 240, kNight);
    c.vgradient(0, 0, 320, 170, {44, 20, 90}, {255, 120, 60});
    // Striped setting sun.
    for (int y = 70; y < 150; ++y) {
        if (y > 118 && (y / 4) % 2) continue;
        const float dy = y - 120.0f;
        const float half = std::sqrt(std::max(0.0f, 48 * 48 - dy * dy));
        c.fill_rect(static_cast<int>(160 - half), y, static_cast<int>(2 * half), 1,
                    mix({255, 230, 90}, {255, 80, 90}, (y - 70) / 80.0f));
    }
    fill_polygon(c,
                 {{0, 170},
                  {0, 120},
                  {50, 100},
                  {95, 135},
                  {150, 110},
                  {210, 140},
                  {260, 96},
                  {320, 128},
                  {320, 170}},
                 {60, 24, 70});
    c.vgradient(0, 165, 320, 75, {40, 16, 44}, {12, 6, 16});
    // Scaffold speaker towers at both sides.
    for (int side = 0; side < 2; ++side) {
        const float x = side ? 270 : 6;
        for (int y = 40; y < 200; y += 18) {
            line(c, x, y, x + 44, y + 18, 1.5f, {20, 10, 24});
            line(c, x + 44, y, x, y + 18, 1.5f, {20, 10, 24});
        }
        line(c, x, 40, x, 200, 2.5f, {20, 10, 24});
        line(c, x + 44, 40, x + 44, 200, 2.5f, {20, 10, 24});
        amp(c, x + 4, 110, 36, 60);
    }
    crowd(c, 240, {10, 4, 14}, 9, 1.2f);
    return c;
}

} // namespace

void make_backdrops(Output &out) {
    const Canvas scenes[4] = {club(), stadium(), garage(), festival()};
    for (int i = 0; i < 4; ++i)
        out.png("img/bg/backdrop0" + std::to_string(i) + ".png", scenes[i], Key::None);
}

} // namespace assetgen
