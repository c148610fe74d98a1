// The game font: Lato Black from Debian's fonts-lato, copied byte for byte under the name
// the game opens, with the licence note the SIL Open Font License asks to ship with it.
#include <cstdio>
#include <string>
#include <vector>

#include "families.h"

namespace assetgen {

namespace {

constexpr const char *kFontPath = "/usr/share/fonts/truetype/lato/Lato-Black.ttf";
constexpr const char *kCopyrightPath = "/usr/share/doc/fonts-lato/copyright";

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

} // namespace

void make_font(Output &out) {
    std::vector<char> font;
    if (!read_file(kFontPath, font)) {
        out.fail("ariblk.ttf");
        return;
    }
    out.bytes("ariblk.ttf", font.data(), font.size());

    std::string note =
        "The game font ariblk.ttf is Lato Black by Lukasz Dziedzic, an unmodified copy of\n"
        "Lato-Black.ttf from the Debian package fonts-lato. It is licensed under the SIL Open\n"
        "Font License, Version 1.1 (https://openfontlicense.org). The package's copyright\n"
        "file follows.\n\n";
    std::vector<char> copyright;
    if (read_file(kCopyrightPath, copyright)) note.append(copyright.begin(), copyright.end());
    out.bytes("fonts-LICENSE.txt", note.data(), note.size());
}

} // namespace assetgen
