// Guitar necks: 240x1080 pictures scrolled under the lanes. The game shows rows y..y+239
// for y = 540, 530, ..., 10 and then jumps back to 540, so the picture repeats every 540
// rows: the jump lands on the same picture one step further, and the tile's own seam at
// row 540 is hidden by making every texture periodic in 540.
#include <cmath>
#include <string>

#include "families.h"
#include "palette.h"

namespace assetgen {

namespace {

constexpr int kPeriod = 540;
constexpr int kFretGap = 45; // twelve frets per period
constexpr int kBoardW = 164; // fretboard under the five lanes; the rest is side decoration

// Value noise whose lattice wraps vertically every kPeriod rows (scale must divide it).
float tile_noise(float x, float y, float scale, int seed) {
    const int cells = kPeriod / static_cast<int>(scale);
    const float fx = x / scale, fy = y / scale;
    const int ix = static_cast<int>(std::floor(fx)), iy = static_cast<int>(std::floor(fy));
    float tx = fx - ix, ty = fy - iy;
    tx = tx * tx * (3 - 2 * tx);
    ty = ty * ty * (3 - 2 * ty);
    const int y0 = ((iy % cells) + cells) % cells, y1 = (y0 + 1) % cells;
    const float a = noise(ix, y0, seed), b = noise(ix + 1, y0, seed);
    const float c = noise(ix, y1, seed), d = noise(ix + 1, y1, seed);
    return (a + (b - a) * tx) * (1 - ty) + (c + (d - c) * tx) * ty;
}

struct NeckLook {
    Rgb wood_dark, wood_light;
    Rgb fret, binding, inlay;
    int inlay_kind; // 0 dots, 1 blocks, 2 glowing triangles
    int side_kind;  // 0 speaker cloth, 1 floor planks, 2 riveted metal, 3 neon grid
    int seed;
};

void wood(Canvas &c, const NeckLook &k) {
    for (int y = 0; y < kPeriod; ++y) {
        for (int x = 0; x < kBoardW; ++x) {
            // Long grain: fine streaks across x, slow wander along y.
            const float streak =
                tile_noise(x * 6.0f + tile_noise(x, y, 45, k.seed) * 20, y, 27, k.seed + 1);
            const float fine = noise(x, y % kPeriod, k.seed + 2) * 0.15f;
            c.put(x, y, mix(k.wood_dark, k.wood_light, streak * 0.8f + fine));
        }
    }
    for (int y = 0; y < kPeriod; ++y) {
        c.fill_rect(0, y, 3, 1, k.binding);
        c.fill_rect(kBoardW - 3, y, 3, 1, k.binding);
    }
}

void frets_and_inlays(Canvas &c, const NeckLook &k) {
    for (int f = 0; f < kPeriod / kFretGap; ++f) {
        const int y = f * kFretGap;
        c.fill_rect(3, y, kBoardW - 6, 1, shade(k.fret, 0.6f));
        c.fill_rect(3, y + 1, kBoardW - 6, 2, k.fret);
        c.fill_rect(3, y + 3, kBoardW - 6, 1, kInk, 0.6f);
        // Inlays on the 3rd, 5th, 7th, 9th and (doubled) 12th space of every twelve.
        const int space = f % 12;
        if (space != 2 && space != 4 && space != 6 && space != 8 && space != 11) continue;
        const float cy = y + kFretGap / 2.0f + 2;
        const float cx = kBoardW / 2.0f;
        if (k.inlay_kind == 0) {
            if (space == 11) {
                fill_circle(c, cx - 32, cy, 6, k.inlay);
                fill_circle(c, cx + 32, cy, 6, k.inlay);
            } else {
                fill_circle(c, cx, cy, 6, k.inlay);
            }
        } else if (k.inlay_kind == 1) {
            fill_round_rect(c, 22, cy - 12, kBoardW - 44, 24, 2, k.inlay);
            fill_round_rect(c, 22, cy - 12, kBoardW - 44, 8, 2, kWhite, 0.25f);
        } else {
            const Rgb col = kLane[(f / 2) % 5];
            const std::vector<Pt> fin = {
                {20, cy + 14}, {kBoardW - 20.0f, cy + 14}, {kBoardW - 20.0f, cy - 14}};
            glow(c, cx + 30, cy + 4, 18, col, 0.35f);
            fill_polygon(c, fin, col, 0.85f);
        }
    }
}

void side(Canvas &c, const NeckLook &k) {
    const int x0 = kBoardW, w = c.width() - kBoardW;
    for (int y = 0; y < kPeriod; ++y) {
        for (int x = x0; x < x0 + w; ++x) {
            const int lx = x - x0;
            Rgb p;
            switch (k.side_kind) {
            case 0: { // speaker cloth: a woven check of period 6
                const bool weave = ((lx / 3) + (y / 3)) % 2 == 0;
                p = weave ? Rgb{34, 30, 38} : Rgb{22, 20, 26};
                break;
            }
            case 1: { // stage planks 45 rows long, a dark seam between them
                const float g = tile_noise(lx * 4.0f, y, 27, k.seed + 5);
                p = (y % 45 == 0 || lx % 38 == 0) ? Rgb{30, 18, 10}
                                                  : mix({70, 42, 22}, {110, 70, 38}, g);
                break;
            }
            case 2: { // brushed metal plates with rivets every 90 rows
                const float brush =
                    noise(lx, y, k.seed + 6) * 0.2f + tile_noise(0, y, 27, k.seed) * 0.2f;
                p = mix({70, 72, 84}, {130, 132, 148}, brush + 0.3f);
                if (y % 90 == 0) p = {40, 40, 50};
                break;
            }
            default: { // neon grid of 27-pixel squares
                const bool on = lx % 27 == 0 || y % 27 == 0;
                p = on ? Rgb{255, 60, 200}
                       : mix({20, 8, 40}, {40, 12, 70}, lx / static_cast<float>(w));
                break;
            }
            }
            c.put(x, y, p);
        }
        if (k.side_kind == 2 && y % 90 == 45) {
            fill_circle(c, x0 + 12, y, 3, {180, 182, 196});
            fill_circle(c, x0 + w - 12, y, 3, {180, 182, 196});
        }
    }
    // A shadow where the neck meets the side so the lanes stand out.
    for (int i = 0; i < 8; ++i)
        c.fill_rect(x0 + i, 0, 1, kPeriod, kBlack, 0.6f * (1.0f - i / 8.0f));
}

Canvas neck(const NeckLook &k) {
    Canvas tile(240, kPeriod, kBlack);
    wood(tile, k);
    frets_and_inlays(tile, k);
    side(tile, k);
    // Shapes drawn near the tile edges are cut there; fret 0 sits on row 0 and its inlay
    // lies inside, so nothing crosses the seam.
    Canvas full(240, 2 * kPeriod, kBlack);
    full.draw(tile, 0, 0);
    full.draw(tile, 0, kPeriod);
    return full;
}

} // namespace

void make_necks(Output &out) {
    const NeckLook looks[4] = {
        {{52, 28, 18}, {92, 54, 32}, {200, 200, 210}, {236, 226, 200}, {236, 234, 226}, 0, 0, 11},
        {{196, 150, 90}, {236, 200, 140}, {120, 110, 100}, {40, 30, 24}, {24, 20, 18}, 0, 1, 12},
        {{14, 12, 14}, {42, 36, 40}, {226, 190, 90}, {226, 190, 90}, {230, 226, 240}, 1, 2, 13},
        {{30, 12, 52}, {62, 26, 96}, {220, 220, 240}, {255, 60, 200}, {255, 255, 255}, 2, 3, 14},
    };
    for (int i = 0; i < 4; ++i)
        out.png("img/necks/neck" + std::to_string(i) + ".png", neck(looks[i]), Key::None);
}

} // namespace assetgen
