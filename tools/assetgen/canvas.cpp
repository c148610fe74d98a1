// RGBA drawing surface and anti-aliased shapes.
#include "canvas.h"

#include <algorithm>
#include <cmath>

namespace assetgen {

namespace {

uint8_t clamp8(float v) { return static_cast<uint8_t>(std::lround(std::clamp(v, 0.0f, 255.0f))); }

} // namespace

Rgb mix(Rgb a, Rgb b, float t) {
    t = std::clamp(t, 0.0f, 1.0f);
    return {clamp8(a.r + (b.r - a.r) * t), clamp8(a.g + (b.g - a.g) * t),
            clamp8(a.b + (b.b - a.b) * t)};
}

Rgb shade(Rgb c, float f) { return {clamp8(c.r * f), clamp8(c.g * f), clamp8(c.b * f)}; }

Canvas::Canvas(int w, int h, Rgb fill, float alpha)
    : w_(w), h_(h), px_(static_cast<size_t>(w) * static_cast<size_t>(h) * 4) {
    for (size_t i = 0; i < px_.size(); i += 4) {
        px_[i] = fill.r;
        px_[i + 1] = fill.g;
        px_[i + 2] = fill.b;
        px_[i + 3] = alpha;
    }
}

Rgb Canvas::rgb(int x, int y) const {
    if (!inside(x, y)) return kBlack;
    const float *p = &px_[(static_cast<size_t>(y) * w_ + x) * 4];
    return {clamp8(p[0]), clamp8(p[1]), clamp8(p[2])};
}

float Canvas::alpha(int x, int y) const {
    if (!inside(x, y)) return 0.0f;
    return px_[(static_cast<size_t>(y) * w_ + x) * 4 + 3];
}

void Canvas::blend(int x, int y, Rgb c, float a) {
    if (!inside(x, y) || a <= 0.0f) return;
    a = std::min(a, 1.0f);
    float *p = &px_[(static_cast<size_t>(y) * w_ + x) * 4];
    const float out_a = a + p[3] * (1.0f - a);
    if (out_a <= 0.0f) return;
    const float keep = p[3] * (1.0f - a);
    p[0] = (c.r * a + p[0] * keep) / out_a;
    p[1] = (c.g * a + p[1] * keep) / out_a;
    p[2] = (c.b * a + p[2] * keep) / out_a;
    p[3] = out_a;
}

void Canvas::put(int x, int y, Rgb c, float a) {
    if (!inside(x, y)) return;
    float *p = &px_[(static_cast<size_t>(y) * w_ + x) * 4];
    p[0] = c.r;
    p[1] = c.g;
    p[2] = c.b;
    p[3] = a;
}

void Canvas::fill_rect(int x, int y, int w, int h, Rgb c, float a) {
    for (int j = std::max(y, 0); j < std::min(y + h, h_); ++j)
        for (int i = std::max(x, 0); i < std::min(x + w, w_); ++i)
            blend(i, j, c, a);
}

void Canvas::vgradient(int x, int y, int w, int h, Rgb top, Rgb bottom, float a) {
    for (int j = 0; j < h; ++j) {
        const Rgb c = mix(top, bottom, h > 1 ? static_cast<float>(j) / (h - 1) : 0.0f);
        fill_rect(x, y + j, w, 1, c, a);
    }
}

void Canvas::draw(const Canvas &src, int dx, int dy, float opacity) {
    for (int j = 0; j < src.h_; ++j)
        for (int i = 0; i < src.w_; ++i)
            blend(dx + i, dy + j, src.rgb(i, j), src.alpha(i, j) * opacity);
}

Canvas Canvas::crop(int x, int y, int w, int h) const {
    Canvas out(w, h, kBlack, 0.0f);
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i)
            if (inside(x + i, y + j)) out.put(i, j, rgb(x + i, y + j), alpha(x + i, y + j));
    return out;
}

void fill_shape_fn(Canvas &c, int x0, int y0, int x1, int y1, const Inside &in,
                   const std::function<Rgb(int, int)> &col, float a) {
    x0 = std::max(x0, 0);
    y0 = std::max(y0, 0);
    x1 = std::min(x1, c.width() - 1);
    y1 = std::min(y1, c.height() - 1);
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) {
            int hits = 0;
            for (int sy = 0; sy < 4; ++sy)
                for (int sx = 0; sx < 4; ++sx)
                    if (in(x + (sx + 0.5f) / 4.0f, y + (sy + 0.5f) / 4.0f)) ++hits;
            if (hits) c.blend(x, y, col(x, y), a * hits / 16.0f);
        }
    }
}

void fill_shape(Canvas &c, int x0, int y0, int x1, int y1, const Inside &in, Rgb col, float a) {
    fill_shape_fn(
        c, x0, y0, x1, y1, in, [col](int, int) { return col; }, a);
}

void fill_ellipse(Canvas &c, float cx, float cy, float rx, float ry, Rgb col, float a) {
    fill_shape(
        c, static_cast<int>(cx - rx) - 1, static_cast<int>(cy - ry) - 1,
        static_cast<int>(cx + rx) + 1, static_cast<int>(cy + ry) + 1,
        [=](float x, float y) {
            const float dx = (x - cx) / rx, dy = (y - cy) / ry;
            return dx * dx + dy * dy <= 1.0f;
        },
        col, a);
}

void fill_circle(Canvas &c, float cx, float cy, float r, Rgb col, float a) {
    fill_ellipse(c, cx, cy, r, r, col, a);
}

void ring(Canvas &c, float cx, float cy, float rx, float ry, float thick, Rgb col, float a) {
    fill_shape(
        c, static_cast<int>(cx - rx) - 1, static_cast<int>(cy - ry) - 1,
        static_cast<int>(cx + rx) + 1, static_cast<int>(cy + ry) + 1,
        [=](float x, float y) {
            const float dx = (x - cx) / rx, dy = (y - cy) / ry;
            const float ix = (x - cx) / (rx - thick), iy = (y - cy) / (ry - thick);
            return dx * dx + dy * dy <= 1.0f && ix * ix + iy * iy > 1.0f;
        },
        col, a);
}

bool point_in_polygon(const std::vector<Pt> &pts, float x, float y) {
    bool in = false;
    for (size_t i = 0, j = pts.size() - 1; i < pts.size(); j = i++) {
        const Pt &p = pts[i], &q = pts[j];
        if ((p.y > y) != (q.y > y) && x < (q.x - p.x) * (y - p.y) / (q.y - p.y) + p.x) in = !in;
    }
    return in;
}

void fill_polygon(Canvas &c, const std::vector<Pt> &pts, Rgb col, float a) {
    if (pts.size() < 3) return;
    float x0 = pts[0].x, x1 = pts[0].x, y0 = pts[0].y, y1 = pts[0].y;
    for (const Pt &p : pts) {
        x0 = std::min(x0, p.x);
        x1 = std::max(x1, p.x);
        y0 = std::min(y0, p.y);
        y1 = std::max(y1, p.y);
    }
    fill_shape(
        c, static_cast<int>(x0) - 1, static_cast<int>(y0) - 1, static_cast<int>(x1) + 1,
        static_cast<int>(y1) + 1, [&pts](float x, float y) { return point_in_polygon(pts, x, y); },
        col, a);
}

void fill_round_rect(Canvas &c, float x, float y, float w, float h, float r, Rgb col, float a) {
    fill_shape(
        c, static_cast<int>(x) - 1, static_cast<int>(y) - 1, static_cast<int>(x + w) + 1,
        static_cast<int>(y + h) + 1,
        [=](float px, float py) {
            if (px < x || py < y || px > x + w || py > y + h) return false;
            const float qx = std::max(std::max(x + r - px, px - (x + w - r)), 0.0f);
            const float qy = std::max(std::max(y + r - py, py - (y + h - r)), 0.0f);
            return qx * qx + qy * qy <= r * r;
        },
        col, a);
}

void line(Canvas &c, float x0, float y0, float x1, float y1, float width, Rgb col, float a) {
    const float r = width / 2.0f;
    const float dx = x1 - x0, dy = y1 - y0;
    const float len2 = std::max(dx * dx + dy * dy, 1e-6f);
    fill_shape(
        c, static_cast<int>(std::min(x0, x1) - r) - 1, static_cast<int>(std::min(y0, y1) - r) - 1,
        static_cast<int>(std::max(x0, x1) + r) + 1, static_cast<int>(std::max(y0, y1) + r) + 1,
        [=](float px, float py) {
            const float t = std::clamp(((px - x0) * dx + (py - y0) * dy) / len2, 0.0f, 1.0f);
            const float ex = px - (x0 + t * dx), ey = py - (y0 + t * dy);
            return ex * ex + ey * ey <= r * r;
        },
        col, a);
}

std::vector<Pt> star_points(float cx, float cy, float r, float inner, float rot) {
    std::vector<Pt> pts;
    for (int i = 0; i < 10; ++i) {
        const float ang =
            rot - static_cast<float>(M_PI) / 2.0f + i * static_cast<float>(M_PI) / 5.0f;
        const float rr = (i % 2 == 0) ? r : r * inner;
        pts.push_back({cx + rr * std::cos(ang), cy + rr * std::sin(ang)});
    }
    return pts;
}

void glow(Canvas &c, float cx, float cy, float r, Rgb col, float a) {
    for (int y = static_cast<int>(cy - r); y <= static_cast<int>(cy + r); ++y) {
        for (int x = static_cast<int>(cx - r); x <= static_cast<int>(cx + r); ++x) {
            const float d = std::hypot(x + 0.5f - cx, y + 0.5f - cy) / r;
            if (d < 1.0f) c.blend(x, y, col, a * (1.0f - d) * (1.0f - d));
        }
    }
}

float noise(int x, int y, int seed) {
    uint32_t h = static_cast<uint32_t>(x) * 374761393u + static_cast<uint32_t>(y) * 668265263u +
                 static_cast<uint32_t>(seed) * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return static_cast<float>(h & 0xffffff) / 16777216.0f;
}

float smooth_noise(float x, float y, float scale, int seed) {
    const float fx = x / scale, fy = y / scale;
    const int ix = static_cast<int>(std::floor(fx)), iy = static_cast<int>(std::floor(fy));
    float tx = fx - ix, ty = fy - iy;
    tx = tx * tx * (3 - 2 * tx);
    ty = ty * ty * (3 - 2 * ty);
    const float a = noise(ix, iy, seed), b = noise(ix + 1, iy, seed);
    const float c = noise(ix, iy + 1, seed), d = noise(ix + 1, iy + 1, seed);
    return (a + (b - a) * tx) * (1 - ty) + (c + (d - c) * tx) * ty;
}

} // namespace assetgen
