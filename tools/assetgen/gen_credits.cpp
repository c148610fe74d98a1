// The credits roll: a 320-wide strip of white lettering on the magenta key. The game
// scrolls it two rows a pass from row 0 to row 2046, showing 240 rows at a time.
#include <string>
#include <vector>

#include "families.h"
#include "guitar_art.h"
#include "palette.h"
#include "text.h"
#include "ui.h"

namespace assetgen {

namespace {

constexpr int kRollH = 2048 + 240;

struct Section {
    const char *heading;
    std::vector<const char *> lines;
};

const Section kSections[] = {
    {"MADE BY", {"The Fretfall team"}},
    {"GAME DESIGN AND PROGRAMMING", {"The Fretfall team"}},
    {"ART", {"Every picture is drawn by", "the game's own asset generator"}},
    {"MUSIC AND SOUND EFFECTS", {"Synthesized by the Fretfall tools", "note by note"}},
    {"NOTE CHARTS", {"The Fretfall team"}},
    {"FONTS",
     {"Open Sans by Steve Matteson", "Apache License 2.0", "(Debian package fonts-open-sans)",
      "Lato by \xC5\x81ukasz Dziedzic", "SIL Open Font License 1.1",
      "(Debian package fonts-lato)"}},
    {"LIBRARIES",
     {"SDL - Simple DirectMedia Layer", "SDL_image", "SDL_mixer", "SDL_ttf", "libvorbis and libogg",
      "LAME MP3 encoder", "libpng and libjpeg", "FreeType"}},
    {"TOOLS", {"GCC, CMake and GoogleTest", "Debian GNU/Linux"}},
    {"TESTING", {"The Fretfall team", "and a lot of sore fingers"}},
    {"SPECIAL THANKS", {"Everyone who makes free software", "for handheld consoles"}},
};

} // namespace

void make_credits(Output &out) {
    Canvas c(320, kRollH, kMagenta, 0.0f);
    logo(c, 160, 70, 34);
    TextStyle sub = label_text(11);
    draw_text_centered(c, 160, 104, "A FIVE-LANE ROCK RHYTHM GAME", sub);

    TextStyle head;
    head.size = 14;
    head.color = kGold;
    head.bottom_color = kFlame;
    head.use_gradient = true;
    head.outline = 2;
    TextStyle line_st = body_text(11);
    line_st.outline = 2;
    line_st.outline_color = kInk;

    // Sections share the rows from 250 to 2060 evenly; after every third one a guitar
    // lies across the roll.
    const Guitar deco[3] = {Guitar::Strat, Guitar::FlyingV, Guitar::SingleCut};
    const int n = static_cast<int>(sizeof(kSections) / sizeof(kSections[0]));
    const int guitar_h = 60;
    int used = 0;
    for (const Section &s : kSections)
        used += text_height(head) + 6 + static_cast<int>(s.lines.size()) * text_height(line_st);
    const int guitars = (n - 1) / 3;
    used += guitars * guitar_h;
    const int gap = (2060 - 250 - used) / (n - 1 + guitars);
    int y = 250;
    for (int i = 0; i < n; ++i) {
        const Section &s = kSections[i];
        draw_text_centered(c, 160, y, s.heading, head);
        y += text_height(head) + 6;
        for (const char *l : s.lines) {
            draw_text_centered(c, 160, y, l, line_st);
            y += text_height(line_st);
        }
        y += gap;
        if (i % 3 == 2 && i + 1 < n) {
            draw_guitar(c, deco[(i / 3) % 3], 150, y + guitar_h / 2.0f, 0.85f, -1.5708f, false);
            y += guitar_h + gap;
        }
    }
    TextStyle end = head;
    end.size = 20;
    draw_text_centered(c, 160, 2140, "THANK YOU FOR PLAYING!", end);
    draw_text_centered(c, 160, 2176, "Rock on.", line_st);
    out.png("img/sprite/credits.png", c, Key::Magenta);
}

} // namespace assetgen
