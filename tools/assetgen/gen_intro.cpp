// The five intro splashes (game logo, made with SDL, the team, the handheld card, "presents")
// and the desktop icon.
#include <string>

#include "families.h"
#include "guitar_art.h"
#include "palette.h"
#include "text.h"
#include "ui.h"

namespace assetgen {

namespace {

Canvas logo_splash() {
    Canvas c(320, 240, kNight);
    screen_background(c, 71, {6, 4, 20}, {70, 24, 60});
    draw_guitar(c, Guitar::FlyingV, 84, 150, 1.2f, 0.6f, false);
    draw_guitar(c, Guitar::Explorer, 240, 150, 1.2f, -0.6f, false);
    c.fill_rect(0, 0, 320, 240, kNight, 0.35f);
    logo(c, 160, 110, 44);
    TextStyle sub = label_text(11);
    draw_text_centered(c, 160, 206, "A FIVE-LANE RHYTHM GAME", sub);
    return c;
}

Canvas made_with_sdl() {
    Canvas c(320, 240, {12, 20, 40});
    c.vgradient(0, 0, 320, 240, {10, 18, 40}, {24, 60, 110});
    TextStyle small = body_text(11);
    small.color = kSteel;
    draw_text_centered(c, 160, 50, "made with", small);
    TextStyle big;
    big.size = 56;
    big.color = {240, 244, 255};
    big.outline = 3;
    big.outline_color = {10, 30, 70};
    big.shadow = 3;
    draw_text_centered(c, 160, 66, "SDL", big);
    TextStyle libs = body_text(10);
    draw_text_centered(c, 160, 150, "SDL  -  SDL_image  -  SDL_mixer  -  SDL_ttf", libs);
    draw_text_centered(c, 160, 166, "libvorbis  -  LAME  -  libpng  -  libjpeg", libs);
    draw_text_centered(c, 160, 200, "Lettering in Lato (SIL Open Font License)", small);
    return c;
}

// The team's emblem: a pick with the initials.
Canvas team() {
    Canvas c(320, 240, kBlack);
    glow(c, 160, 100, 140, kDusk, 0.8f);
    fill_polygon(c, {{110, 50}, {210, 50}, {216, 66}, {160, 160}, {104, 66}}, kInk);
    fill_polygon(c, {{116, 55}, {204, 55}, {209, 67}, {160, 150}, {111, 67}}, kFlame);
    fill_polygon(c, {{124, 60}, {196, 60}, {200, 68}, {160, 136}, {120, 68}}, kGold);
    TextStyle ff;
    ff.size = 30;
    ff.color = kInk;
    draw_text_centered(c, 160, 66, "FF", ff);
    TextStyle name = label_text(16);
    draw_text_centered(c, 160, 176, "THE FRETFALL TEAM", name);
    return c;
}

// A handheld console, the machine this game is made for.
Canvas handheld() {
    Canvas c(320, 240, {20, 10, 30});
    screen_background(c, 74, {30, 8, 40}, {90, 20, 60});
    fill_round_rect(c, 60, 40, 200, 110, 30, kInk);
    fill_round_rect(c, 63, 43, 194, 104, 28, {200, 200, 214});
    fill_round_rect(c, 110, 56, 100, 76, 4, kInk);
    Canvas shot = Canvas(96, 72, kNight);
    logo(shot, 48, 36, 14);
    c.draw(shot, 112, 58);
    c.fill_rect(76, 88, 22, 7, kInk);
    c.fill_rect(83, 81, 8, 21, kInk);
    for (int i = 0; i < 4; ++i) {
        const float bx = 236 + (i == 1   ? 8
                                : i == 3 ? -8
                                         : 0),
                    by = 92 + (i == 0   ? -8
                               : i == 2 ? 8
                                        : 0);
        fill_circle(c, bx, by, 4.5f, kLane[i]);
    }
    TextStyle t = label_text(14);
    draw_text_centered(c, 160, 164, "BUILT FOR HANDHELDS", t);
    TextStyle s = body_text(10);
    s.color = kSteel;
    draw_text_centered(c, 160, 190, "320 x 240  -  d-pad  -  A B X Y  -  L R", s);
    return c;
}

Canvas presents() {
    Canvas c(320, 240, kBlack);
    spotlight(c, 160, -20, 180, 0.0f, {255, 240, 210}, 0.10f);
    TextStyle st;
    st.face = Face::Italic;
    st.size = 22;
    st.color = kPaper;
    draw_text_centered(c, 160, 104, "presents", st);
    return c;
}

// 64x64 launcher icon with transparent corners: a flame-coloured pick with a note gem.
Canvas icon() {
    Canvas c(64, 64, kBlack, 0.0f);
    fill_round_rect(c, 2, 2, 60, 60, 12, kInk);
    fill_round_rect(c, 4, 4, 56, 56, 10, kDusk);
    glow(c, 32, 26, 34, kFlame, 0.6f);
    fill_polygon(c, {{12, 12}, {52, 12}, {54, 20}, {32, 56}, {10, 20}}, kInk);
    fill_polygon(c, {{15, 15}, {49, 15}, {51, 21}, {32, 51}, {13, 21}}, kFlame);
    fill_polygon(c, {{18, 18}, {46, 18}, {47, 22}, {32, 45}, {17, 22}}, kGold);
    TextStyle ff;
    ff.size = 16;
    ff.color = kInk;
    draw_text_centered(c, 32, 16, "FF", ff);
    return c;
}

} // namespace

void make_intro(Output &out) {
    out.png("icon.png", icon(), Key::None, Channels::Rgba);
    out.png("img/intro/splash_320.png", logo_splash(), Key::None);
    out.png("img/intro/sponsor_320.png", made_with_sdl(), Key::None);
    out.png("img/intro/valmoran.png", team(), Key::None);
    out.png("img/intro/QMTR.png", handheld(), Key::None);
    out.png("img/intro/presents.png", presents(), Key::None);
}

} // namespace assetgen
