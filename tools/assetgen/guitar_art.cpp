// The four guitar shapes, built from outlines in model units and transformed onto the canvas.
#include "guitar_art.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "palette.h"

namespace assetgen {

namespace {

struct Xform {
    float cx, cy, s, cosa, sina;
    Pt operator()(Pt p) const {
        return {cx + (p.x * cosa - p.y * sina) * s, cy + (p.x * sina + p.y * cosa) * s};
    }
    std::vector<Pt> operator()(const std::vector<Pt> &pts) const {
        std::vector<Pt> out;
        for (const Pt &p : pts)
            out.push_back((*this)(p));
        return out;
    }
};

// Closed Catmull-Rom curve through the control points, for rounded bodies.
std::vector<Pt> smooth(const std::vector<Pt> &ctl) {
    std::vector<Pt> out;
    const size_t n = ctl.size();
    for (size_t i = 0; i < n; ++i) {
        const Pt &p0 = ctl[(i + n - 1) % n], &p1 = ctl[i], &p2 = ctl[(i + 1) % n],
                 &p3 = ctl[(i + 2) % n];
        for (int k = 0; k < 6; ++k) {
            const float t = k / 6.0f, t2 = t * t, t3 = t2 * t;
            out.push_back({0.5f * (2 * p1.x + (-p0.x + p2.x) * t +
                                   (2 * p0.x - 5 * p1.x + 4 * p2.x - p3.x) * t2 +
                                   (-p0.x + 3 * p1.x - 3 * p2.x + p3.x) * t3),
                           0.5f * (2 * p1.y + (-p0.y + p2.y) * t +
                                   (2 * p0.y - 5 * p1.y + 4 * p2.y - p3.y) * t2 +
                                   (-p0.y + 3 * p1.y - 3 * p2.y + p3.y) * t3)});
        }
    }
    return out;
}

std::vector<Pt> rect(float x, float y, float w, float h) {
    return {{x, y}, {x + w, y}, {x + w, y + h}, {x, y + h}};
}

std::vector<Pt> circle(float cx, float cy, float r) {
    std::vector<Pt> pts;
    for (int i = 0; i < 20; ++i)
        pts.push_back({cx + r * std::cos(i * 0.314159f), cy + r * std::sin(i * 0.314159f)});
    return pts;
}

struct Model {
    std::vector<Pt> body, head, guard;
    Rgb body_in, body_out, guard_col, hardware;
    std::vector<float> pickups; // y of each pickup
};

Model model(Guitar g) {
    Model m;
    switch (g) {
    case Guitar::Strat:
        m.body =
            smooth({{0, 42},   {15, 40}, {22, 31},  {21, 20},  {16, 12},  {18, 2},    {17, -8},
                    {13, -9},  {9, -1},  {4, 5},    {-4, 5},   {-8, 0},   {-13, -10}, {-17, -15},
                    {-21, -9}, {-19, 4}, {-17, 12}, {-23, 22}, {-22, 33}, {-15, 40}});
        m.head = smooth({{-3, -50}, {-4, -58}, {-2, -66}, {4, -68}, {7, -64}, {4, -58}, {3, -50}});
        m.guard = smooth({{-6, 36},
                          {10, 34},
                          {15, 26},
                          {12, 16},
                          {8, 8},
                          {-4, 8},
                          {-12, 2},
                          {-16, 8},
                          {-14, 20},
                          {-16, 30}});
        m.body_in = {250, 190, 60};
        m.body_out = {90, 20, 10};
        m.guard_col = {236, 232, 220};
        m.hardware = {210, 212, 222};
        m.pickups = {13, 20, 29};
        break;
    case Guitar::Explorer:
        m.body = {{-4, 3},  {4, 3},   {13, -9},  {21, -9},  {17, 9},   {25, 28},
                  {20, 36}, {-4, 34}, {-31, 44}, {-29, 35}, {-14, 22}, {-12, 8}};
        m.head = {{-3, -50}, {-5, -56}, {-2, -72}, {3, -70}, {4, -60}, {3, -50}};
        m.guard = {{-9, 10}, {6, 10}, {12, 30}, {-8, 30}, {-22, 38}, {-14, 24}};
        m.body_in = {236, 232, 220};
        m.body_out = {190, 184, 170};
        m.guard_col = {20, 18, 22};
        m.hardware = {210, 212, 222};
        m.pickups = {16, 27};
        break;
    case Guitar::FlyingV:
        m.body = {{-5, -1}, {5, -1}, {21, 42}, {13, 47}, {1, 24}, {-1, 24}, {-13, 47}, {-21, 42}};
        m.head = smooth({{-3, -50}, {-6, -60}, {-5, -70}, {0, -66}, {5, -70}, {6, -60}, {3, -50}});
        m.guard = {{-6, 4}, {6, 4}, {10, 18}, {0, 22}, {-10, 18}};
        m.body_in = {220, 30, 40};
        m.body_out = {110, 8, 20};
        m.guard_col = {240, 236, 230};
        m.hardware = {214, 216, 226};
        m.pickups = {10, 19};
        break;
    case Guitar::SingleCut:
        m.body = smooth({{0, 42},
                         {14, 41},
                         {22, 33},
                         {22, 22},
                         {17, 14},
                         {18, 6},
                         {16, -1},
                         {12, -2},
                         {9, 2},
                         {5, 5},
                         {-5, 5},
                         {-11, 3},
                         {-17, 6},
                         {-19, 11},
                         {-18, 15},
                         {-23, 24},
                         {-22, 34},
                         {-14, 41}});
        m.head = {{-3, -50}, {-7, -58}, {-7, -70}, {0, -68}, {7, -70}, {7, -58}, {3, -50}};
        m.guard = smooth({{6, 20}, {14, 18}, {16, 8}, {12, 2}, {8, 6}});
        m.body_in = {240, 200, 90};
        m.body_out = {150, 100, 30};
        m.guard_col = {250, 230, 200};
        m.hardware = {232, 200, 110};
        m.pickups = {14, 26};
        break;
    }
    return m;
}

void fill_model(Canvas &c, const std::vector<Pt> &pts, Rgb col, bool locked, float a = 1.0f) {
    fill_polygon(c, pts, locked ? Rgb{26, 22, 34} : col, a);
}

} // namespace

void draw_guitar(Canvas &c, Guitar g, float cx, float cy, float scale, float angle, bool locked) {
    const Xform t{cx, cy, scale, std::cos(angle), std::sin(angle)};
    const Model m = model(g);
    const std::vector<Pt> body = t(m.body);
    // Dark rim first, then the body with a burst that darkens towards the edges.
    std::vector<Pt> rim;
    for (const Pt &p : m.body)
        rim.push_back({p.x * 1.06f, p.y * 1.04f + 0.8f});
    fill_polygon(c, t(rim), locked ? Rgb{90, 80, 110} : kInk);
    if (locked) {
        fill_polygon(c, body, {26, 22, 34});
    } else {
        const Pt mid = t({0, 22});
        const float reach = 26 * scale;
        float x0 = body[0].x, x1 = x0, y0 = body[0].y, y1 = y0;
        for (const Pt &p : body) {
            x0 = std::min(x0, p.x);
            x1 = std::max(x1, p.x);
            y0 = std::min(y0, p.y);
            y1 = std::max(y1, p.y);
        }
        fill_shape_fn(
            c, static_cast<int>(x0) - 1, static_cast<int>(y0) - 1, static_cast<int>(x1) + 1,
            static_cast<int>(y1) + 1,
            [&body](float x, float y) { return point_in_polygon(body, x, y); },
            [&](int x, int y) {
                const float d = std::hypot(x - mid.x, y - mid.y) / reach;
                return mix(m.body_in, m.body_out, std::clamp(d * d, 0.0f, 1.0f));
            });
        fill_polygon(c, t(m.guard), m.guard_col);
    }
    // Neck, fretboard and headstock.
    fill_model(c, t(rect(-3.2f, -52, 6.4f, 58)), {200, 150, 90}, locked);
    fill_model(c, t(rect(-2.6f, -50, 5.2f, 54)), {70, 40, 26}, locked);
    fill_model(c, t(m.head), {60, 36, 24}, locked);
    if (locked) return;
    for (int f = 0; f < 14; ++f) {
        const float y = -50 + f * 3.8f;
        line(c, t({-2.6f, y}).x, t({-2.6f, y}).y, t({2.6f, y}).x, t({2.6f, y}).y,
             std::max(0.6f, scale * 0.3f), m.hardware);
    }
    for (int k = 0; k < 3; ++k) {
        fill_polygon(c, t(circle(-4.5f, -56 - k * 4.5f, 1.2f)), m.hardware);
        fill_polygon(c, t(circle(4.5f, -56 - k * 4.5f, 1.2f)), m.hardware);
    }
    for (float py : m.pickups) {
        fill_polygon(c, t(rect(-5.5f, py - 1.8f, 11, 3.6f)), kInk);
        fill_polygon(c, t(rect(-4.8f, py - 1.2f, 9.6f, 2.4f)), shade(m.hardware, 0.75f));
    }
    fill_polygon(c, t(rect(-5, 33, 10, 3)), m.hardware);
    for (int k = 0; k < 3; ++k)
        fill_polygon(c, t(circle(11 + k * 2.5f, 28 + k * 4, 1.6f)), {30, 28, 34});
    for (int s = 0; s < 6; ++s) {
        const float x = -2.0f + s * 0.8f;
        const Pt a = t({x, -50}), b = t({x, 34});
        line(c, a.x, a.y, b.x, b.y, std::max(0.4f, scale * 0.12f), {236, 236, 240}, 0.8f);
    }
}

void draw_padlock(Canvas &c, float cx, float cy, float size) {
    ring(c, cx, cy - size * 0.55f, size * 0.75f, size * 0.95f, size * 0.28f, {200, 200, 214});
    fill_round_rect(c, cx - size * 1.1f, cy - size * 0.3f, size * 2.2f, size * 1.7f, size * 0.25f,
                    kInk);
    fill_round_rect(c, cx - size, cy - size * 0.2f, size * 2.0f, size * 1.5f, size * 0.2f, kGold);
    fill_circle(c, cx, cy + size * 0.35f, size * 0.25f, kInk);
    fill_polygon(c,
                 {{cx - size * 0.12f, cy + size * 0.4f},
                  {cx + size * 0.12f, cy + size * 0.4f},
                  {cx + size * 0.18f, cy + size * 0.95f},
                  {cx - size * 0.18f, cy + size * 0.95f}},
                 kInk);
}

} // namespace assetgen
