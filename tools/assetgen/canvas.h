// RGBA drawing surface of the asset generator, with anti-aliased shape filling.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

namespace assetgen {

struct Rgb {
    uint8_t r, g, b;
};

constexpr Rgb kMagenta{255, 0, 255};
constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kBlack{0, 0, 0};

// Linear mix of two colours, t = 0 gives a, t = 1 gives b.
Rgb mix(Rgb a, Rgb b, float t);
// Multiplies each channel by f (f > 1 brightens, clamped).
Rgb shade(Rgb c, float f);

// Pixels hold straight (not premultiplied) alpha; all drawing composites "over".
class Canvas {
  public:
    Canvas(int w, int h, Rgb fill, float alpha = 1.0f);

    int width() const { return w_; }
    int height() const { return h_; }
    bool inside(int x, int y) const { return x >= 0 && y >= 0 && x < w_ && y < h_; }

    Rgb rgb(int x, int y) const;
    float alpha(int x, int y) const;
    // Composites colour c with coverage a over the pixel; outside pixels are ignored.
    void blend(int x, int y, Rgb c, float a);
    // Replaces the pixel outright.
    void put(int x, int y, Rgb c, float a = 1.0f);

    void fill_rect(int x, int y, int w, int h, Rgb c, float a = 1.0f);
    // Vertical gradient from top colour to bottom colour over the rectangle.
    void vgradient(int x, int y, int w, int h, Rgb top, Rgb bottom, float a = 1.0f);
    // Copies another canvas onto this one at (dx, dy), compositing with its alpha.
    void draw(const Canvas &src, int dx, int dy, float opacity = 1.0f);
    // A copy of the rectangle (clipped to this canvas; outside pixels are transparent).
    Canvas crop(int x, int y, int w, int h) const;

  private:
    int w_, h_;
    std::vector<float> px_; // r, g, b in 0..255 and alpha 0..1, four floats a pixel
};

// Shape membership test in canvas coordinates (pixel centres at x + 0.5).
using Inside = std::function<bool(float, float)>;

// Fills the shape inside the box with 4x4 supersampled coverage.
void fill_shape(Canvas &c, int x0, int y0, int x1, int y1, const Inside &in, Rgb col,
                float a = 1.0f);
// Same, but the colour is chosen per pixel (for gradients and textures).
void fill_shape_fn(Canvas &c, int x0, int y0, int x1, int y1, const Inside &in,
                   const std::function<Rgb(int, int)> &col, float a = 1.0f);

struct Pt {
    float x, y;
};

void fill_ellipse(Canvas &c, float cx, float cy, float rx, float ry, Rgb col, float a = 1.0f);
void fill_circle(Canvas &c, float cx, float cy, float r, Rgb col, float a = 1.0f);
void ring(Canvas &c, float cx, float cy, float rx, float ry, float thick, Rgb col, float a = 1.0f);
void fill_polygon(Canvas &c, const std::vector<Pt> &pts, Rgb col, float a = 1.0f);
bool point_in_polygon(const std::vector<Pt> &pts, float x, float y);
void fill_round_rect(Canvas &c, float x, float y, float w, float h, float r, Rgb col,
                     float a = 1.0f);
// A straight stroke of the given width with round ends.
void line(Canvas &c, float x0, float y0, float x1, float y1, float width, Rgb col, float a = 1.0f);
// A five-pointed star; inner is the ratio of the inner to the outer radius.
std::vector<Pt> star_points(float cx, float cy, float r, float inner, float rot = 0.0f);
// Soft round glow: coverage falls off with distance, strongest at the centre.
void glow(Canvas &c, float cx, float cy, float r, Rgb col, float a);

// Deterministic pseudo-random value in [0, 1) for integer coordinates and a seed.
float noise(int x, int y, int seed);
// Smooth value noise at the given cell scale, in [0, 1).
float smooth_noise(float x, float y, float scale, int seed);

} // namespace assetgen
