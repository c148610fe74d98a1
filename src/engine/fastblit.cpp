// Blits that draw what SDL draws, faster: blended necks from planes, keyed sprites by runs.
#include "engine/fastblit.h"

#include "engine/draw.h"

#include <algorithm>
#include <cstring>

namespace {

// SDL widens a destination channel of 5 or 6 bits to 8 as v * 255 / max (rounded down),
// blends it as d + (s - d) * alpha / 255 with the division truncating toward zero, and
// keeps the result's top bits. The same here in 16-bit steps, sixteen pixels at a time:
// v * 255 / 31 == (v * 1053) >> 7 and v * 255 / 63 == (v * 259 + 3) >> 6 for every v,
// and x / 255 == (x + 1 + (x >> 8)) >> 8 for every x below 65535 (|s - d| * alpha is at
// most 255 * 254).
const int LANES = 16;
typedef Sint16 Lanes __attribute__((vector_size(2 * LANES)));  // signed 16-bit lanes
typedef Uint16 ULanes __attribute__((vector_size(2 * LANES))); // the same, unsigned

inline Lanes load(const Uint16 *p) {
    Lanes v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

inline Lanes mix(Lanes s, Lanes d, Sint16 alpha) {
    Lanes t = s - d;
    Lanes falls = t >> 15; // all ones where the channel falls
    ULanes x = reinterpret_cast<ULanes>((t ^ falls) - falls) * static_cast<Uint16>(alpha);
    Lanes q = reinterpret_cast<Lanes>((x + 1 + (x >> 8)) >> 8);
    return d + ((q ^ falls) - falls); // d + q, or d - q where the channel falls
}

inline ULanes blend_lanes(const Uint16 *r, const Uint16 *g, const Uint16 *b, ULanes p,
                          Sint16 alpha) {
    Lanes dr = reinterpret_cast<Lanes>(((p >> 11) * 1053) >> 7);
    Lanes dg = reinterpret_cast<Lanes>((((p >> 5) & 63) * 259 + 3) >> 6);
    Lanes db = reinterpret_cast<Lanes>(((p & 31) * 1053) >> 7);
    ULanes or_ = reinterpret_cast<ULanes>(mix(load(r), dr, alpha));
    ULanes og = reinterpret_cast<ULanes>(mix(load(g), dg, alpha));
    ULanes ob = reinterpret_cast<ULanes>(mix(load(b), db, alpha));
    return (or_ >> 3) << 11 | (og >> 2) << 5 | ob >> 3;
}

// Where the processor has them, its widest vector instructions.
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
__attribute__((target_clones("avx2", "default")))
#endif
void blend_row(const Uint16 *r, const Uint16 *g, const Uint16 *b, Uint16 *dst, int n, Sint16 alpha) {
    int i = 0;
    for (; i + LANES <= n; i += LANES) {
        ULanes p;
        std::memcpy(&p, dst + i, sizeof p);
        p = blend_lanes(r + i, g + i, b + i, p, alpha);
        std::memcpy(dst + i, &p, sizeof p);
    }
    if (i == n) return;
    // The last few pixels through a block of their own.
    Uint16 tr[LANES] = {}, tg[LANES] = {}, tb[LANES] = {}, tail[LANES] = {};
    size_t left = static_cast<size_t>(n - i);
    std::memcpy(tr, r + i, left * 2);
    std::memcpy(tg, g + i, left * 2);
    std::memcpy(tb, b + i, left * 2);
    std::memcpy(tail, dst + i, left * 2);
    ULanes p;
    std::memcpy(&p, tail, sizeof p);
    p = blend_lanes(tr, tg, tb, p, alpha);
    std::memcpy(tail, &p, sizeof p);
    std::memcpy(dst + i, tail, left * 2);
}

bool is_565(const SDL_PixelFormat *f) {
    return f->BytesPerPixel == 2 && f->Rmask == 0xf800 && f->Gmask == 0x07e0 && f->Bmask == 0x001f;
}

// Byte offset of a channel within a 24-bit pixel (as SDL reads it, low byte first), or -1.
int byte_of(Uint32 mask) {
    for (int i = 0; i < 3; ++i)
        if (mask == 0xffu << (8 * i)) return i;
    return -1;
}

// One axis of SDL_UpperBlit's clipping: the source span against the image, moving the
// destination with it, then the destination against the clip rectangle's span.
void clip_axis(bool whole, int src_at, int src_len, int image_len, int clip_at, int clip_len,
               Sint16 &dst_at, int &at, int &len) {
    at = whole ? 0 : src_at;
    len = whole ? image_len : src_len;
    if (at < 0) {
        len += at;
        dst_at = static_cast<Sint16>(dst_at - at);
        at = 0;
    }
    if (image_len - at < len) len = image_len - at;
    int d = clip_at - dst_at;
    if (d > 0) {
        len -= d;
        dst_at = static_cast<Sint16>(dst_at + d);
        at += d;
    }
    d = dst_at + len - clip_at - clip_len;
    if (d > 0) len -= d;
}

// SDL_UpperBlit's clipping of an image_w x image_h source. Writes the drawn area back into
// `dstrect` and gives the source corner and size; false when nothing is left to draw.
struct Clipped {
    int sx, sy, w, h;
};

bool clip_like_sdl(int image_w, int image_h, const SDL_Rect *srcrect, const SDL_Surface *dst,
                   SDL_Rect *dstrect, Clipped &c) {
    const SDL_Rect whole = {0, 0, 0, 0}, &src = srcrect ? *srcrect : whole;
    const SDL_Rect &clip = dst->clip_rect;
    clip_axis(!srcrect, src.x, src.w, image_w, clip.x, clip.w, dstrect->x, c.sx, c.w);
    clip_axis(!srcrect, src.y, src.h, image_h, clip.y, clip.h, dstrect->y, c.sy, c.h);
    if (c.w <= 0 || c.h <= 0) {
        dstrect->w = dstrect->h = 0;
        return false;
    }
    dstrect->w = static_cast<Uint16>(c.w);
    dstrect->h = static_cast<Uint16>(c.h);
    return true;
}

// Locks only a surface that needs it: a lock of the compatibility layer costs more than
// copying a small sprite.
bool lock(SDL_Surface *s) { return !SDL_MUSTLOCK(s) || SDL_LockSurface(s) == 0; }
void unlock(SDL_Surface *s) {
    if (SDL_MUSTLOCK(s)) SDL_UnlockSurface(s);
}

Uint16 *screen_row(SDL_Surface *dst, int y, int x) {
    return reinterpret_cast<Uint16 *>(static_cast<Uint8 *>(dst->pixels) +
                                      static_cast<size_t>(y) * dst->pitch) +
           x;
}

// A keyed sprite's opaque runs, row by row: the pixels that are not the key.
struct Run {
    Uint16 x, n;
};
struct KeyedRuns {
    SDL_Surface *sprite;
    Uint32 key;
    std::vector<Uint32> row_start; // runs of row y: row_start[y] .. row_start[y + 1] - 1
    std::vector<Run> runs;
};

std::vector<SDL_Surface *> kept; // the sprites whose runs may be kept
std::vector<KeyedRuns> keyed;    // the runs taken so far

const KeyedRuns *runs_of(SDL_Surface *sprite, Uint32 key) {
    KeyedRuns *k = nullptr;
    for (KeyedRuns &e : keyed)
        if (e.sprite == sprite) k = &e;
    if (k && k->key == key) return k;
    if (!k) {
        if (std::find(kept.begin(), kept.end(), sprite) == kept.end()) return nullptr;
        keyed.push_back(KeyedRuns{sprite, key, {}, {}});
        k = &keyed.back();
    }
    k->key = key;
    k->runs.clear();
    if (SDL_LockSurface(sprite) != 0) return nullptr;
    k->row_start.assign(1, 0);
    for (int y = 0; y < sprite->h; ++y) {
        const Uint16 *row = reinterpret_cast<const Uint16 *>(
            static_cast<const Uint8 *>(sprite->pixels) + static_cast<size_t>(y) * sprite->pitch);
        for (int x = 0; x < sprite->w;) {
            if (row[x] == key) {
                ++x;
                continue;
            }
            int from = x;
            while (x < sprite->w && row[x] != key)
                ++x;
            k->runs.push_back({static_cast<Uint16>(from), static_cast<Uint16>(x - from)});
        }
        k->row_start.push_back(static_cast<Uint32>(k->runs.size()));
    }
    SDL_UnlockSurface(sprite);
    return k;
}

} // namespace

bool take_planes(BlendPlanes &planes, SDL_Surface *image) {
    planes = BlendPlanes();
    if (!image || SDL_BYTEORDER != SDL_LIL_ENDIAN) return false;
    const SDL_PixelFormat *f = image->format;
    int ri = byte_of(f->Rmask), gi = byte_of(f->Gmask), bi = byte_of(f->Bmask);
    if (f->BytesPerPixel != 3 || f->Amask || ri < 0 || gi < 0 || bi < 0) return false;
    if (SDL_LockSurface(image) != 0) return false;
    size_t n = static_cast<size_t>(image->w) * static_cast<size_t>(image->h);
    planes.r.resize(n);
    planes.g.resize(n);
    planes.b.resize(n);
    size_t k = 0;
    for (int y = 0; y < image->h; ++y) {
        const Uint8 *p =
            static_cast<const Uint8 *>(image->pixels) + static_cast<size_t>(y) * image->pitch;
        for (int x = 0; x < image->w; ++x, p += 3, ++k) {
            planes.r[k] = p[ri];
            planes.g[k] = p[gi];
            planes.b[k] = p[bi];
        }
    }
    SDL_UnlockSurface(image);
    planes.image = image;
    planes.w = image->w;
    planes.h = image->h;
    return true;
}

void blit_blended(const BlendPlanes &planes, SDL_Rect *srcrect, SDL_Surface *dst,
                  SDL_Rect *dstrect) {
    SDL_Surface *image = planes.image;
    Uint8 alpha = image ? image->format->alpha : 0;
    bool ours = image && dst && dstrect && !draw_reference && is_565(dst->format) &&
                (image->flags & SDL_SRCALPHA) && !(image->flags & SDL_SRCCOLORKEY) && alpha > 0 &&
                alpha < 255 && image->w == planes.w && image->h == planes.h;
    if (!ours) {
        blit(image, srcrect, dst, dstrect);
        return;
    }
    Clipped c;
    if (!clip_like_sdl(planes.w, planes.h, srcrect, dst, dstrect, c) || !lock(dst)) return;
    for (int row = 0; row < c.h; ++row) {
        size_t from = static_cast<size_t>(c.sy + row) * planes.w + c.sx;
        blend_row(&planes.r[from], &planes.g[from], &planes.b[from],
                  screen_row(dst, dstrect->y + row, dstrect->x), c.w, alpha);
    }
    unlock(dst);
}

void keep_sprite_runs(SDL_Surface *sprite) {
    if (sprite) kept.push_back(sprite);
}

void forget_sprite_runs() {
    kept.clear();
    keyed.clear();
}

bool blit_keyed(SDL_Surface *src, SDL_Rect *srcrect, SDL_Surface *dst, SDL_Rect *dstrect) {
    if (draw_reference || kept.empty() || !src || !dst || !dstrect || src == dst) return false;
    if (!(src->flags & SDL_SRCCOLORKEY) || (src->flags & SDL_SRCALPHA) || !is_565(src->format) ||
        !is_565(dst->format))
        return false;
    const KeyedRuns *k = runs_of(src, src->format->colorkey);
    if (!k) return false;
    Clipped c;
    if (!clip_like_sdl(src->w, src->h, srcrect, dst, dstrect, c)) return true;
    if (!lock(src)) return true;
    if (!lock(dst)) {
        unlock(src);
        return true;
    }
    // Everything the loop reads is in locals, so that the copies need not be followed by
    // loads of it again.
    const Run *runs = k->runs.data();
    const Uint32 *starts = k->row_start.data();
    const Uint8 *pixels = static_cast<const Uint8 *>(src->pixels);
    const int lo = c.sx, hi = c.sx + c.w, shift = dstrect->x - c.sx, down = dstrect->y - c.sy;
    const size_t pitch = static_cast<size_t>(src->pitch);
    for (int y = c.sy; y < c.sy + c.h; ++y) {
        const Uint16 *from = reinterpret_cast<const Uint16 *>(pixels + y * pitch);
        Uint16 *to = screen_row(dst, y + down, 0);
        for (const Run *r = runs + starts[y], *end = runs + starts[y + 1]; r != end; ++r) {
            int from_x = std::max<int>(r->x, lo), to_x = std::min<int>(r->x + r->n, hi);
            if (from_x < to_x)
                std::memcpy(to + (from_x + shift), from + from_x,
                            static_cast<size_t>(to_x - from_x) * 2);
        }
    }
    unlock(dst);
    unlock(src);
    return true;
}
