// Blit and text helpers shared by every screen.
#include "engine/draw.h"

#include "engine/assets.h"
#include "engine/fastblit.h"

#include <cstdio>
#include <cstring>

bool draw_reference = false;

SDL_Rect dst_rectintro = {0, 0, 0, 0}, dst_rectMenu = {0, 0, 0, 0};
char texto3[50];
char textoA[50], textoB[50], textoC[50], textoD[50], textoE[50];
char timer_msec[50];
char texto[10], texto2[10];
char str[255];

void apply_surface(int x, int y, SDL_Surface *source, SDL_Surface *destination, SDL_Rect *clip) {
    SDL_Rect rect;
    rect.x = static_cast<Sint16>(x);
    rect.y = static_cast<Sint16>(y);
    rect.w = 0;
    rect.h = 0;
    blit(source, clip, destination, &rect);
}

void apply_surface0(int x, int y, SDL_Surface *source, SDL_Surface *destination, SDL_Rect *clip) {
    apply_surface(x, y, source, destination, clip);
}

void blit(SDL_Surface *src, SDL_Rect *srcrect, SDL_Surface *dst, SDL_Rect *dstrect) {
    if (!src || !dst) {
        // Nothing is drawn, and the destination records that.
        if (dstrect) dstrect->w = dstrect->h = 0;
        return;
    }
    if (blit_keyed(src, srcrect, dst, dstrect)) return;
    SDL_UpperBlit(src, srcrect, dst, dstrect);
}

void key_magenta(SDL_Surface *sprite) {
    if (sprite) SDL_SetColorKey(sprite, SDL_SRCCOLORKEY, SDL_MapRGB(sprite->format, 255, 0, 255));
}

void key_white(SDL_Surface *sprite) {
    if (sprite) SDL_SetColorKey(sprite, SDL_SRCCOLORKEY, SDL_MapRGB(sprite->format, 255, 255, 255));
}

namespace {

// One rendered text, kept while it is among the lately drawn ones. The cache holds one
// reference of the surface; every caller holds one more until its free_text.
struct CachedText {
    TTF_Font *font;
    Uint8 r, g, b;
    char text[TEXT_CACHE_CHARS + 1];
    SDL_Surface *surface; // nullptr: the slot is free
    Uint32 used;          // stamp of the latest use, for choosing what to drop
};
CachedText text_cache[TEXT_CACHE_SLOTS];
Uint32 text_cache_clock = 0;
long text_cache_held = 0;

long surface_bytes(const SDL_Surface *s) { return static_cast<long>(s->pitch) * s->h; }

void drop_cached(CachedText &c) {
    text_cache_held -= surface_bytes(c.surface);
    SDL_FreeSurface(c.surface); // the caller's reference, if any, keeps it alive
    c.surface = nullptr;
}

CachedText *find_cached(TTF_Font *font, const char *text, SDL_Color color) {
    for (CachedText &c : text_cache)
        if (c.surface && c.font == font && c.r == color.r && c.g == color.g && c.b == color.b &&
            std::strcmp(c.text, text) == 0)
            return &c;
    return nullptr;
}

// A free slot, made by dropping the least lately used texts until `bytes` more fit.
CachedText &make_room(long bytes) {
    for (;;) {
        CachedText *free_slot = nullptr, *oldest = nullptr;
        for (CachedText &c : text_cache) {
            if (!c.surface) {
                if (!free_slot) free_slot = &c;
            } else if (!oldest || c.used < oldest->used) {
                oldest = &c;
            }
        }
        if (free_slot && text_cache_held + bytes <= TEXT_CACHE_BYTES) return *free_slot;
        drop_cached(*oldest); // something is held, or the free slot and room would suffice
    }
}

void keep_text(TTF_Font *font, const char *text, SDL_Color color, SDL_Surface *surface) {
    long bytes = surface_bytes(surface);
    if (bytes > TEXT_CACHE_BYTES) return;
    CachedText &c = make_room(bytes);
    c.font = font;
    c.r = color.r;
    c.g = color.g;
    c.b = color.b;
    std::snprintf(c.text, sizeof c.text, "%s", text);
    c.surface = surface;
    c.used = ++text_cache_clock;
    ++surface->refcount;
    text_cache_held += bytes;
}

} // namespace

SDL_Surface *render_text(TTF_Font *font, const char *text, SDL_Color color) {
    if (!font || !text || !text[0]) return nullptr;
    bool cacheable = !draw_reference && strnlen(text, TEXT_CACHE_CHARS + 1) <= TEXT_CACHE_CHARS;
    if (cacheable) {
        if (CachedText *c = find_cached(font, text, color)) {
            c->used = ++text_cache_clock;
            ++c->surface->refcount;
            return c->surface;
        }
    }
    SDL_Surface *s = TTF_RenderText_Solid(font, text, color);
    if (s && cacheable) keep_text(font, text, color, s);
    return s;
}

int text_cache_count() {
    int n = 0;
    for (const CachedText &c : text_cache)
        n += c.surface != nullptr;
    return n;
}

long text_cache_bytes() { return text_cache_held; }

namespace {

// The code point of the UTF-8 sequence at `s[i]` and its length; -1 for a byte that does
// not start a well-formed sequence (overlong forms and surrogates included).
long utf8_at(const std::string &s, size_t i, size_t &length) {
    const unsigned char c = static_cast<unsigned char>(s[i]);
    length = 1;
    if (c < 0x80) return c;
    const int more = c >= 0xF0 && c <= 0xF4  ? 3
                     : c >= 0xE0 && c < 0xF0 ? 2
                     : c >= 0xC2 && c < 0xE0 ? 1
                                             : -1;
    if (more < 0 || i + static_cast<size_t>(more) >= s.size()) return -1;
    long code = c & (0x3F >> more);
    for (int k = 1; k <= more; ++k) {
        const unsigned char n = static_cast<unsigned char>(s[i + k]);
        if ((n & 0xC0) != 0x80) return -1;
        code = code << 6 | (n & 0x3F);
    }
    static const long lowest[4] = {0, 0x80, 0x800, 0x10000};
    if (code < lowest[more] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return -1;
    length = static_cast<size_t>(more) + 1;
    return code;
}

} // namespace

std::string font_safe_text(TTF_Font *font, const std::string &text, size_t max_chars) {
    std::string out;
    if (!font) return out;
    const bool has_fffd = TTF_GlyphIsProvided(font, 0xFFFD) != 0;
    const char *mark = has_fffd ? "\xEF\xBF\xBD" : "?";
    size_t chars = 0;
    for (size_t i = 0; i < text.size() && chars < max_chars; ++chars) {
        size_t length;
        const long code = utf8_at(text, i, length);
        // The font library takes code points of the basic plane only.
        if (code >= 0x20 && code <= 0xFFFF && TTF_GlyphIsProvided(font, static_cast<Uint16>(code)))
            out.append(text, i, length);
        else
            out += code >= 0 && code < 0x20 ? " " : mark;
        i += length;
    }
    return out;
}

SDL_Surface *render_utf8(TTF_Font *font, const std::string &text, SDL_Color color,
                         size_t max_chars) {
    const std::string safe = font_safe_text(font, text, max_chars);
    if (safe.empty()) return nullptr;
    return TTF_RenderUTF8_Solid(font, safe.c_str(), color);
}

void free_text(SDL_Surface *&surface) {
    if (surface) SDL_FreeSurface(surface);
    surface = nullptr;
}

int centred_x(int w) { return (320 - w) / 2; }

SDL_Surface *draw_text_centred(TTF_Font *font, const char *text, SDL_Color color, int y) {
    SDL_Surface *s = render_text(font, text, color);
    if (s) apply_surface(centred_x(s->w), y, s, screen, nullptr);
    return s;
}

SDL_Surface *draw_text_at(TTF_Font *font, const char *text, SDL_Color color, int x, int y) {
    SDL_Surface *s = render_text(font, text, color);
    if (s) apply_surface(x, y, s, screen, nullptr);
    return s;
}
