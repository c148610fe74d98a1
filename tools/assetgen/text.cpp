// Text rendering: SDL_ttf renders each string once into an alpha mask that is then composited.
#include "text.h"

#include <SDL_ttf.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <sstream>
#include <utility>

namespace assetgen {

namespace {

const char *const kFacePaths[] = {
    "/usr/share/fonts/truetype/lato/Lato-Black.ttf",
    "/usr/share/fonts/truetype/lato/Lato-Bold.ttf",
    "/usr/share/fonts/truetype/lato/Lato-Regular.ttf",
    "/usr/share/fonts/truetype/lato/Lato-BoldItalic.ttf",
};

std::map<std::pair<int, int>, TTF_Font *> g_fonts;

TTF_Font *font_for(const TextStyle &st) {
    const auto key = std::make_pair(static_cast<int>(st.face), st.size);
    auto it = g_fonts.find(key);
    if (it != g_fonts.end()) return it->second;
    TTF_Font *f = TTF_OpenFont(kFacePaths[static_cast<int>(st.face)], st.size);
    g_fonts[key] = f;
    return f;
}

struct Mask {
    int w = 0, h = 0;
    std::vector<float> a;
    float at(int x, int y) const {
        if (x < 0 || y < 0 || x >= w || y >= h) return 0.0f;
        return a[static_cast<size_t>(y) * w + x];
    }
};

Mask render_mask(const TextStyle &st, const std::string &s) {
    Mask m;
    TTF_Font *f = font_for(st);
    if (!f || s.empty()) return m;
    SDL_Color white{255, 255, 255, 0};
    SDL_Surface *surf = TTF_RenderUTF8_Blended(f, s.c_str(), white);
    if (!surf) return m;
    m.w = surf->w;
    m.h = surf->h;
    m.a.assign(static_cast<size_t>(m.w) * m.h, 0.0f);
    SDL_LockSurface(surf);
    const SDL_PixelFormat *fmt = surf->format;
    for (int y = 0; y < m.h; ++y) {
        const auto *row = reinterpret_cast<const Uint32 *>(
            static_cast<const Uint8 *>(surf->pixels) + y * surf->pitch);
        for (int x = 0; x < m.w; ++x) {
            const Uint32 alpha = (row[x] & fmt->Amask) >> fmt->Ashift;
            m.a[static_cast<size_t>(y) * m.w + x] = alpha / 255.0f;
        }
    }
    SDL_UnlockSurface(surf);
    SDL_FreeSurface(surf);
    return m;
}

// Solid outline: every pixel within `r` of a glyph pixel is covered fully, with a
// one-pixel soft edge so that it stays smooth on opaque backgrounds.
Mask dilate(const Mask &m, int r) {
    Mask o;
    o.w = m.w + 2 * r;
    o.h = m.h + 2 * r;
    o.a.assign(static_cast<size_t>(o.w) * o.h, 0.0f);
    for (int y = 0; y < o.h; ++y) {
        for (int x = 0; x < o.w; ++x) {
            float best = 0.0f;
            for (int dy = -r - 1; dy <= r + 1 && best < 1.0f; ++dy) {
                for (int dx = -r - 1; dx <= r + 1; ++dx) {
                    const float v = m.at(x - r + dx, y - r + dy);
                    if (v < 0.35f) continue;
                    const float d = std::hypot(static_cast<float>(dx), static_cast<float>(dy));
                    const float cover = std::clamp(r + 0.5f - d + 0.5f, 0.0f, 1.0f);
                    best = std::max(best, cover);
                }
            }
            o.a[static_cast<size_t>(y) * o.w + x] = best;
        }
    }
    return o;
}

} // namespace

bool text_init() {
    if (TTF_Init() != 0) return false;
    TextStyle probe;
    for (int f = 0; f < 4; ++f) {
        probe.face = static_cast<Face>(f);
        if (!font_for(probe)) return false;
    }
    return true;
}

void text_quit() {
    for (auto &kv : g_fonts)
        if (kv.second) TTF_CloseFont(kv.second);
    g_fonts.clear();
    TTF_Quit();
}

int text_width(const TextStyle &st, const std::string &s) {
    TTF_Font *f = font_for(st);
    int w = 0, h = 0;
    if (f && !s.empty()) TTF_SizeUTF8(f, s.c_str(), &w, &h);
    return w + 2 * st.outline;
}

int text_height(const TextStyle &st) {
    TTF_Font *f = font_for(st);
    return (f ? TTF_FontHeight(f) : st.size) + 2 * st.outline;
}

int draw_text(Canvas &c, int x, int y, const std::string &s, const TextStyle &st) {
    const Mask m = render_mask(st, s);
    if (m.w == 0) return 0;
    const int o = st.outline;
    if (st.shadow > 0) {
        const Mask sh = o > 0 ? dilate(m, o) : m;
        for (int j = 0; j < sh.h; ++j)
            for (int i = 0; i < sh.w; ++i)
                c.blend(x + i + st.shadow, y + j + st.shadow, st.shadow_color, sh.at(i, j) * 0.6f);
    }
    if (o > 0) {
        const Mask out = dilate(m, o);
        for (int j = 0; j < out.h; ++j)
            for (int i = 0; i < out.w; ++i)
                c.blend(x + i, y + j, st.outline_color, out.at(i, j));
    }
    for (int j = 0; j < m.h; ++j) {
        const Rgb col = st.use_gradient ? mix(st.color, st.bottom_color,
                                              static_cast<float>(j) / std::max(1, m.h - 1))
                                        : st.color;
        for (int i = 0; i < m.w; ++i)
            c.blend(x + o + i, y + o + j, col, m.at(i, j));
    }
    return m.w + 2 * o;
}

void draw_text_centered(Canvas &c, int cx, int y, const std::string &s, const TextStyle &st) {
    draw_text(c, cx - text_width(st, s) / 2, y, s, st);
}

void draw_text_vcentered(Canvas &c, int x, int cy, const std::string &s, const TextStyle &st) {
    draw_text(c, x, cy - text_height(st) / 2, s, st);
}

std::vector<std::string> wrap_text(const TextStyle &st, const std::string &text, int max_w) {
    std::vector<std::string> lines;
    std::istringstream paragraphs(text);
    std::string para;
    while (std::getline(paragraphs, para)) {
        std::istringstream words(para);
        std::string word, cur;
        bool any = false;
        while (words >> word) {
            any = true;
            const std::string next = cur.empty() ? word : cur + " " + word;
            if (!cur.empty() && text_width(st, next) > max_w) {
                lines.push_back(cur);
                cur = word;
            } else {
                cur = next;
            }
        }
        if (any)
            lines.push_back(cur);
        else
            lines.emplace_back();
    }
    return lines;
}

} // namespace assetgen
