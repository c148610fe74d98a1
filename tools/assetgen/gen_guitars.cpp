// The gallery backdrop and the four guitars, unlocked and locked. Each guitar picture is
// cut from the backdrop at the spot where the game draws it, so the pictures need no
// colour key and still sit seamlessly on the page.
#include <string>

#include "families.h"
#include "gallery.h"
#include "guitar_art.h"
#include "palette.h"
#include "text.h"
#include "ui.h"

namespace assetgen {

namespace {

// Where the game draws the guitar picture, and its size.
constexpr int kGuitarX = 178, kGuitarY = 49, kGuitarW = 136, kGuitarH = 160;

} // namespace

Canvas gallery_backdrop() {
    Canvas c(320, 240, kNight);
    screen_background(c, 41, {10, 8, 26}, {40, 18, 60});
    // A display spot: a light cone falling on a round pedestal behind the guitar.
    spotlight(c, kGuitarX + kGuitarW / 2.0f, -10, 150, 0.0f, {255, 236, 200}, 0.12f);
    fill_ellipse(c, kGuitarX + kGuitarW / 2.0f, 206, 60, 9, {20, 14, 30});
    ring(c, kGuitarX + kGuitarW / 2.0f, 206, 60, 9, 2, kFlame, 0.8f);
    TextStyle st = label_text(12);
    draw_text_centered(c, kGuitarX + kGuitarW / 2, 6, "GUITAR GALLERY", st);
    TextStyle arrow = label_text(16);
    draw_text_centered(c, 192, 176, "<", arrow);
    draw_text_centered(c, 300, 176, ">", arrow);
    // The left column carries the texts and the description window (y 78..211).
    panel(c, 4, 6, 150, 66, 0.5f);
    return c;
}

void make_guitars(Output &out) {
    const Canvas back = gallery_backdrop();
    out.png("img/menus/main2.png", back, Key::None);
    const Guitar models[4] = {Guitar::Strat, Guitar::Explorer, Guitar::FlyingV, Guitar::SingleCut};
    for (int i = 0; i < 4; ++i) {
        const std::string n = "0" + std::to_string(i);
        Canvas open = back.crop(kGuitarX, kGuitarY, kGuitarW, kGuitarH);
        draw_guitar(open, models[i], kGuitarW / 2.0f + 4, 90, 1.25f, -0.32f, false);
        out.png("img/guitars/gtr" + n + ".png", open, Key::None);
        Canvas shut = back.crop(kGuitarX, kGuitarY, kGuitarW, kGuitarH);
        draw_guitar(shut, models[i], kGuitarW / 2.0f + 4, 90, 1.25f, -0.32f, true);
        shut.fill_rect(0, 0, kGuitarW, kGuitarH, kNight, 0.35f);
        draw_padlock(shut, kGuitarW / 2.0f, 86, 13);
        TextStyle q = label_text(11);
        draw_text_centered(shut, kGuitarW / 2, 122, "LOCKED", q);
        out.png("img/guitars/lock" + n + ".png", shut, Key::None);
    }
}

} // namespace assetgen
