// The blended blit draws exactly what SDL's own blit draws, for every pair of channel values.
#include "engine/fastblit.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

struct Surfaces {
    SDL_Surface *image = nullptr, *ours = nullptr, *sdls = nullptr;
    ~Surfaces() {
        SDL_FreeSurface(image);
        SDL_FreeSurface(ours);
        SDL_FreeSurface(sdls);
    }
};

SDL_Surface *surface_565(int w, int h) {
    return SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, 16, 0xf800, 0x07e0, 0x001f, 0);
}

Uint8 *at(SDL_Surface *s, int x, int y) {
    return static_cast<Uint8 *>(s->pixels) + y * s->pitch + x * s->format->BytesPerPixel;
}

// A 256 x 256 image over every 16-bit destination value: within each destination channel
// value, the source channel takes all 256 values.
void fill(Surfaces &s) {
    s.image = SDL_CreateRGBSurface(SDL_SWSURFACE, 256, 256, 24, 0x0000ff, 0x00ff00, 0xff0000, 0);
    s.ours = surface_565(256, 256);
    s.sdls = surface_565(256, 256);
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x) {
            Uint8 *p = at(s.image, x, y);
            p[0] = static_cast<Uint8>(x);
            p[1] = static_cast<Uint8>((x & 31) * 8 + (y >> 3));
            p[2] = static_cast<Uint8>(y);
            Uint16 v = static_cast<Uint16>(y * 256 + x);
            std::memcpy(at(s.ours, x, y), &v, 2);
            std::memcpy(at(s.sdls, x, y), &v, 2);
        }
}

int differing_pixels(SDL_Surface *a, SDL_Surface *b) {
    int n = 0;
    for (int y = 0; y < a->h; ++y)
        n += std::memcmp(at(a, 0, y), at(b, 0, y), static_cast<size_t>(a->w) * 2) != 0;
    return n;
}

} // namespace

TEST(Blend, EveryChannelPairAtSeveralAlphasMatchesSdl) {
    for (int alpha : {1, 77, 128, 200, 254}) {
        Surfaces s;
        fill(s);
        SDL_SetAlpha(s.image, SDL_SRCALPHA, static_cast<Uint8>(alpha));
        BlendPlanes planes;
        ASSERT_TRUE(take_planes(planes, s.image));
        SDL_Rect ours = {0, 0, 0, 0}, sdls = {0, 0, 0, 0};
        blit_blended(planes, nullptr, s.ours, &ours);
        SDL_UpperBlit(s.image, nullptr, s.sdls, &sdls);
        EXPECT_EQ(differing_pixels(s.ours, s.sdls), 0) << "alpha " << alpha;
    }
}

TEST(Blend, ClipsAndWritesBackLikeSdl) {
    Surfaces s;
    fill(s);
    SDL_SetAlpha(s.image, SDL_SRCALPHA, 200);
    BlendPlanes planes;
    ASSERT_TRUE(take_planes(planes, s.image));
    SDL_Rect clip = {10, 20, 200, 150};
    SDL_SetClipRect(s.ours, &clip);
    SDL_SetClipRect(s.sdls, &clip);
    // Off the source's left and bottom, the clip rectangle's top and left: as the neck's
    // camera, whose x of -80 moves the copy right.
    struct Case {
        SDL_Rect src, dst;
    } cases[] = {{{-80, 200, 320, 540}, {0, 0, 0, 0}},
                 {{30, -5, 40, 40}, {5, 160, 0, 0}},
                 {{0, 0, 50, 50}, {300, 0, 0, 0}}};
    for (Case &c : cases) {
        SDL_Rect src = c.src, ours = c.dst, sdls = c.dst;
        blit_blended(planes, &src, s.ours, &ours);
        SDL_UpperBlit(s.image, &src, s.sdls, &sdls);
        EXPECT_EQ(ours.x, sdls.x);
        EXPECT_EQ(ours.y, sdls.y);
        EXPECT_EQ(ours.w, sdls.w);
        EXPECT_EQ(ours.h, sdls.h);
    }
    EXPECT_EQ(differing_pixels(s.ours, s.sdls), 0);
}
