// Hit-flame strips: eleven 32x64 frames each; the game shows the frame at x 320.
#include <cmath>
#include <string>
#include <vector>

#include "families.h"
#include "palette.h"

namespace assetgen {

namespace {

constexpr int kFrames = 11;

// A flickering tongue of fire standing on (cx, base): half-width w, height h.
std::vector<Pt> tongue(float cx, float base, float w, float h, float sway, float phase) {
    std::vector<Pt> left, right;
    for (int i = 0; i <= 16; ++i) {
        const float s = i / 16.0f;
        const float half = w * std::pow(1.0f - s, 0.7f) * std::sqrt(std::min(1.0f, s * 5 + 0.2f));
        const float off = sway * std::sin(s * 6.0f + phase) * s;
        left.push_back({cx + off - half, base - s * h});
        right.push_back({cx + off + half, base - s * h});
    }
    std::vector<Pt> pts(left.begin(), left.end());
    pts.insert(pts.end(), right.rbegin(), right.rend());
    return pts;
}

void fire(Canvas &c, float x0, float t, int f) {
    const float cx = x0 + 16, base = 62;
    glow(c, cx, 44, 20 * t, {255, 90, 20}, 0.5f);
    const float ph = f * 0.9f;
    fill_polygon(c, tongue(cx - 7, base, 6 * t, 30 * t, 3, ph + 1), {230, 60, 20});
    fill_polygon(c, tongue(cx + 7, base, 6 * t, 34 * t, 3, ph + 2), {230, 60, 20});
    fill_polygon(c, tongue(cx, base, 12 * t, 58 * t, 4, ph), {240, 80, 16});
    fill_polygon(c, tongue(cx, base, 8.5f * t, 44 * t, 3, ph + 0.5f), {255, 150, 30});
    fill_polygon(c, tongue(cx, base, 5 * t, 30 * t, 2, ph + 1.0f), {255, 220, 70});
    fill_polygon(c, tongue(cx, base, 2.5f * t, 15 * t, 1, ph), {255, 250, 210});
}

void plasma(Canvas &c, float x0, float t, int f) {
    const float cx = x0 + 16, cy = 40;
    glow(c, cx, cy, 18 * t + 2, {60, 140, 255}, 0.9f);
    for (int b = 0; b < 6; ++b) {
        // Jagged bolts leave the ball in a fan that opens upwards.
        const float ang = -2.8f + b * 0.52f + (noise(b, 9, f) - 0.5f) * 0.3f;
        float x = cx, y = cy;
        for (int s = 0; s < 4; ++s) {
            const float reach = 5.0f * t;
            const float nx = x + std::cos(ang) * reach + (noise(b, s, f) - 0.5f) * 6 * t;
            const float ny = y + std::sin(ang) * reach * 1.3f + (noise(s, b, f) - 0.5f) * 6 * t;
            line(c, x, y, nx, ny, 2.2f, {110, 190, 255});
            line(c, x, y, nx, ny, 1.0f, {235, 248, 255});
            x = nx;
            y = ny;
        }
    }
    fill_circle(c, cx, cy, 9 * t + 1, {50, 120, 240});
    fill_circle(c, cx, cy, 7 * t + 1, {110, 190, 255});
    fill_circle(c, cx, cy, 4 * t + 1, {235, 248, 255});
}

void sparks(Canvas &c, float x0, float t, int f) {
    const float cx = x0 + 16, cy = 44;
    glow(c, cx, cy, 18 * t + 2, {90, 255, 90}, 0.6f);
    for (int r = 0; r < 12; ++r) {
        const float ang = r * 0.5236f + f * 0.1f;
        const float len = (10 + 8 * noise(r, 1, 7)) * t;
        line(c, cx + std::cos(ang) * 3, cy + std::sin(ang) * 3, cx + std::cos(ang) * len,
             cy + std::sin(ang) * len * 1.4f, 2.0f, {120, 255, 110});
    }
    for (int p = 0; p < 10; ++p) {
        const float px = cx + (noise(p, 2, f) - 0.5f) * 28 * t;
        const float py = cy + (noise(p, 3, f) - 0.7f) * 50 * t;
        fill_circle(c, px, py, 1.6f, {220, 255, 200});
    }
    fill_circle(c, cx, cy, 4 * t + 1, {240, 255, 230});
}

void stars(Canvas &c, float x0, float t, int f) {
    const float cx = x0 + 16, cy = 42;
    glow(c, cx, cy, 18 * t + 2, {240, 80, 255}, 0.7f);
    fill_polygon(c, star_points(cx, cy, 14 * t + 1, 0.45f, f * 0.12f), {200, 60, 240});
    fill_polygon(c, star_points(cx, cy, 9 * t + 1, 0.45f, f * 0.12f), {255, 150, 250});
    fill_polygon(c, star_points(cx, cy, 4 * t + 1, 0.45f, f * 0.12f), {255, 240, 255});
    for (int p = 0; p < 6; ++p) {
        const float px = cx + (noise(p, 4, f) - 0.5f) * 28 * t;
        const float py = cy + 8 + noise(p, 5, f) * 18 * t;
        fill_polygon(c, star_points(px, py, 3.5f, 0.4f), {255, 200, 255});
    }
}

} // namespace

void make_flames(Output &out) {
    using Style = void (*)(Canvas &, float, float, int);
    const Style styles[4] = {fire, plasma, sparks, stars};
    for (int s = 0; s < 4; ++s) {
        Canvas c(32 * kFrames, 64, kMagenta, 0.0f);
        for (int f = 0; f < kFrames; ++f) {
            // Frames grow towards the last one, the burst that the game shows.
            Canvas frame(32, 64, kMagenta, 0.0f);
            styles[s](frame, 0, 0.35f + 0.65f * f / (kFrames - 1), f);
            c.draw(frame, f * 32, 0);
        }
        out.png("img/sprite/hitflames" + std::to_string(s + 1) + ".png", c, Key::Magenta);
    }
}

} // namespace assetgen
