// Song covers for the selection screen: 128x128 JPEG paintings, one motif per song.
#include <cmath>

#include "families.h"
#include "palette.h"

namespace assetgen {

namespace {

constexpr int kSize = 128;

// Wobbling rings around the centre, like a hypnotic spiral.
Canvas rings() {
    Canvas c(kSize, kSize, kNight);
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            const float dx = x - 64.0f, dy = y - 64.0f;
            const float r = std::sqrt(dx * dx + dy * dy);
            const float a = std::atan2(dy, dx);
            const float v = 0.5f + 0.5f * std::sin(r * 0.45f + a * 2.0f);
            c.put(x, y,
                  mix({40, 10, 70}, {150, 60, 200}, v * std::max(0.0f, 1.0f - r / 110.0f) + 0.1f));
        }
    }
    fill_circle(c, 64, 64, 13, kInk);
    fill_circle(c, 64, 64, 10, {240, 230, 250});
    fill_circle(c, 64, 64, 5, kInk);
    return c;
}

// A road running to the horizon under a burning sky.
Canvas road() {
    Canvas c(kSize, kSize, kNight);
    c.vgradient(0, 0, kSize, 64, {60, 8, 20}, {255, 120, 30});
    c.vgradient(0, 64, kSize, 64, {30, 26, 30}, {10, 8, 12});
    fill_polygon(c, {{60, 64}, {68, 64}, {120, 128}, {8, 128}}, {50, 48, 56});
    for (int i = 0; i < 6; ++i) {
        const float t0 = i / 6.0f, t1 = (i + 0.5f) / 6.0f;
        const float y0 = 64 + t0 * t0 * 64, y1 = 64 + t1 * t1 * 64;
        fill_polygon(c,
                     {{63.5f - t0 * 2, y0},
                      {64.5f + t0 * 2, y0},
                      {64.5f + t1 * 2, y1},
                      {63.5f - t1 * 2, y1}},
                     kGold);
    }
    for (int f = 0; f < 9; ++f) {
        const float x = 8 + f * 14;
        fill_polygon(
            c,
            {{x - 8, 64}, {x + 8, 64}, {x + 2 * std::sin(f * 1.7f), 64 - 18 - 10 * noise(f, 1, 5)}},
            {255, 200, 60}, 0.7f);
    }
    return c;
}

// A spade on green felt, drawn like a card suit.
Canvas spade() {
    Canvas c(kSize, kSize, kNight);
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x)
            c.put(x, y,
                  mix({10, 60, 30}, {20, 100, 50},
                      noise(x, y, 3) * 0.4f + (1.0f - std::abs(x - 64) / 90.0f) * 0.5f));
    fill_round_rect(c, 24, 14, 80, 100, 8, {246, 242, 230});
    fill_circle(c, 52, 68, 17, kInk);
    fill_circle(c, 76, 68, 17, kInk);
    fill_polygon(c, {{64, 30}, {94, 66}, {34, 66}}, kInk);
    fill_polygon(c, {{64, 70}, {74, 96}, {54, 96}}, kInk);
    return c;
}

// Moonlit hills in layers.
Canvas hills() {
    Canvas c(kSize, kSize, kNight);
    c.vgradient(0, 0, kSize, kSize, {10, 20, 60}, {80, 60, 120});
    fill_circle(c, 92, 34, 16, {250, 240, 210});
    glow(c, 92, 34, 40, {250, 240, 210}, 0.3f);
    const Rgb layer[3] = {{50, 40, 90}, {30, 24, 60}, {12, 10, 28}};
    for (int l = 0; l < 3; ++l) {
        std::vector<Pt> pts = {{0, kSize}};
        for (int x = 0; x <= kSize; x += 8)
            pts.push_back(
                {static_cast<float>(x),
                 60.0f + l * 20 + 14 * std::sin(x * 0.05f + l * 2.0f) + 6 * noise(x, l, 9)});
        pts.push_back({kSize, kSize});
        fill_polygon(c, pts, layer[l]);
    }
    return c;
}

// A bolt of lightning striking out of a storm.
Canvas lightning() {
    Canvas c(kSize, kSize, kNight);
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x)
            c.put(x, y,
                  mix({6, 10, 30}, {40, 70, 130}, smooth_noise(x, y, 18, 4) * (1.0f - y / 160.0f)));
    glow(c, 64, 64, 70, {120, 170, 255}, 0.6f);
    const std::vector<Pt> bolt = {{70, 4},  {44, 62}, {62, 62}, {48, 124},
                                  {90, 50}, {70, 50}, {86, 4}};
    fill_polygon(c, bolt, {160, 200, 255});
    const std::vector<Pt> core = {{73, 10}, {52, 58}, {68, 58}, {56, 110},
                                  {84, 54}, {64, 54}, {80, 10}};
    fill_polygon(c, core, {245, 250, 255});
    return c;
}

} // namespace

void make_covers(Output &out) {
    out.jpeg("img/capas/Paranoid_small.jpg", rings(), 88);
    out.jpeg("img/capas/Highway_small.jpg", road(), 88);
    out.jpeg("img/capas/aceofspades_small.jpg", spade(), 88);
    out.jpeg("img/capas/number_small.jpg", hills(), 88);
    out.jpeg("img/capas/Ridethelightning_small.jpg", lightning(), 88);
}

} // namespace assetgen
