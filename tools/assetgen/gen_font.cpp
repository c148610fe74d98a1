// The game font: Open Sans ExtraBold from Debian's fonts-open-sans with every glyph's
// advance widened by a tenth of an em, under the name the game opens, with the licence
// note the Apache License asks to ship with it.
//
// The game renders its texts at 10 and 18 pixels with one-bit glyphs. At that size the
// heavy faces set their letters so close that neighbours touch and a word gap is no wider
// than the gaps inside a word ("PressB back toMENU"); one more pixel between letters at
// 10 pixels keeps every letter apart and every word gap the widest gap of its line.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "families.h"

namespace assetgen {

namespace {

constexpr const char *kFontPath = "/usr/share/fonts/truetype/open-sans/OpenSans-ExtraBold.ttf";
constexpr const char *kCopyrightPath = "/usr/share/doc/fonts-open-sans/copyright";
constexpr const char *kApachePath = "/usr/share/common-licenses/Apache-2.0";
constexpr unsigned kWidenPerMille = 100; // of the em, added to every advance

bool read_file(const char *path, std::vector<char> &data) {
    FILE *f = std::fopen(path, "rb");
    if (!f) return false;
    char buf[65536];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0)
        data.insert(data.end(), buf, buf + n);
    const bool ok = !std::ferror(f);
    std::fclose(f);
    return ok;
}

// Big-endian fields of the font file, read and written within its bounds only.
bool get16(const std::vector<char> &f, size_t at, unsigned &v) {
    if (at + 2 > f.size()) return false;
    v = (static_cast<uint8_t>(f[at]) << 8) | static_cast<uint8_t>(f[at + 1]);
    return true;
}

bool get32(const std::vector<char> &f, size_t at, size_t &v) {
    unsigned hi, lo;
    if (!get16(f, at, hi) || !get16(f, at + 2, lo)) return false;
    v = (static_cast<size_t>(hi) << 16) | lo;
    return true;
}

void put16(std::vector<char> &f, size_t at, unsigned v) {
    f[at] = static_cast<char>((v >> 8) & 0xff);
    f[at + 1] = static_cast<char>(v & 0xff);
}

// Where table `tag` starts, from the table directory; 0 when it is missing or cut short.
size_t find_table(const std::vector<char> &f, const char *tag, size_t min_length) {
    unsigned count;
    if (!get16(f, 4, count)) return 0;
    for (unsigned i = 0; i < count; ++i) {
        size_t entry = 12 + 16 * static_cast<size_t>(i), offset, length;
        if (entry + 16 > f.size()) return 0;
        if (std::memcmp(f.data() + entry, tag, 4) != 0) continue;
        if (!get32(f, entry + 8, offset) || !get32(f, entry + 12, length)) return 0;
        return length >= min_length && offset + length <= f.size() ? offset : 0;
    }
    return 0;
}

// Adds `per_mille` of the em to every horizontal advance (the 'hmtx' table and the
// largest advance in 'hhea'). Returns false, leaving the data unchanged, for data that is
// not a TrueType font with those tables.
bool widen_advances(std::vector<char> &font, unsigned per_mille) {
    size_t head = find_table(font, "head", 54), hhea = find_table(font, "hhea", 36),
           hmtx = find_table(font, "hmtx", 4);
    unsigned em, metrics, widest;
    if (!head || !hhea || !hmtx || !get16(font, head + 18, em) ||
        !get16(font, hhea + 34, metrics) || !get16(font, hhea + 10, widest))
        return false;
    if (hmtx + 4 * static_cast<size_t>(metrics) > font.size()) return false;
    const unsigned extra = em * per_mille / 1000;
    for (unsigned g = 0; g < metrics; ++g) {
        unsigned advance = 0;
        get16(font, hmtx + 4 * g, advance);
        advance = advance + extra > 0xffff ? 0xffff : advance + extra;
        put16(font, hmtx + 4 * g, advance);
    }
    put16(font, hhea + 10, widest + extra > 0xffff ? 0xffff : widest + extra);
    return true;
}

} // namespace

void make_font(Output &out) {
    std::vector<char> font;
    if (!read_file(kFontPath, font) || !widen_advances(font, kWidenPerMille)) {
        out.fail("ariblk.ttf");
        return;
    }
    out.bytes("ariblk.ttf", font.data(), font.size());

    std::string note =
        "The game font ariblk.ttf is Open Sans ExtraBold by Steve Matteson, made from\n"
        "OpenSans-ExtraBold.ttf of the Debian package fonts-open-sans. It is modified: the\n"
        "game's asset generator adds a tenth of an em to the advance width of every glyph,\n"
        "so that letters stand apart at small sizes; nothing else is changed. It is licensed\n"
        "under the Apache License, Version 2.0. The package's copyright file and the\n"
        "licence follow.\n\n";
    std::vector<char> copyright, licence;
    if (read_file(kCopyrightPath, copyright)) note.append(copyright.begin(), copyright.end());
    if (read_file(kApachePath, licence)) {
        note += "\n\n";
        note.append(licence.begin(), licence.end());
    }
    out.bytes("fonts-LICENSE.txt", note.data(), note.size());
}

} // namespace assetgen
