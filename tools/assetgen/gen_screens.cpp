// Backdrops of the screens that print their own texts: loading, career, buttons, sound,
// sync, highscores, results, name entry, song selection and credits. Each leaves room where
// the game writes, at the positions noted beside each screen.
#include <string>

#include "families.h"
#include "palette.h"
#include "text.h"
#include "ui.h"

namespace assetgen {

namespace {

Canvas base(int seed) {
    Canvas c(320, 240, kNight);
    screen_background(c, seed, {8, 6, 24}, {48, 18, 66});
    return c;
}

// Wrapped body text in a column of width w; centred lines stand around the column's middle.
void paragraph(Canvas &c, int x, int y, int w, const std::string &text, int size = 10,
               bool centred = false) {
    const TextStyle st = body_text(size);
    for (const std::string &l : wrap_text(st, text, w)) {
        if (centred)
            draw_text_centered(c, x + w / 2, y, l, st);
        else
            draw_text(c, x, y, l, st);
        y += text_height(st);
    }
}

// A dark band for a prompt at y 100, and the neck's end under a fret row at (80, 215),
// fading in from above.
void prompt_band_and_neck_end(Canvas &c) {
    c.fill_rect(0, 94, 320, 24, kNight, 0.7f);
    c.fill_rect(0, 94, 320, 1, kFlame, 0.8f);
    c.fill_rect(0, 117, 320, 1, kFlame, 0.8f);
    for (int y = 140; y < 240; ++y)
        c.fill_rect(80, y, 164, 1, {70, 40, 24}, 0.9f * (y - 140) / 100.0f);
}

// The loading bar grows at (80, 170) up to 150x43 over this trough.
Canvas loading() {
    Canvas c = base(61);
    logo(c, 160, 50, 30);
    screen_title(c, "LOADING", 104, 18);
    panel(c, 76, 166, 158, 51, 0.8f);
    TextStyle tip = body_text(9);
    tip.color = kSteel;
    draw_text_centered(c, 160, 222, "Hold the lane button as the note crosses its ring", tip);
    return c;
}

// The game prints its footer at (100, 220).
Canvas career() {
    Canvas c = base(62);
    screen_title(c, "CAREER", 12);
    panel(c, 20, 50, 280, 150);
    paragraph(c, 32, 60, 256,
              "Every song you finish counts as a win in your career. Fail a song and it counts "
              "as a loss.\n\nEvery fifth win unlocks a guitar in the gallery: at 5, 10, 15 and 20 "
              "wins.\n\nSave your progress from OPTIONS, SAVE / LOAD so it is there next time.");
    return c;
}

// Prompts go at (80, 100) or (40, 100); the fret row is drawn at (80, 215).
Canvas set_keys() {
    Canvas c = base(63);
    screen_title(c, "BUTTONS", 12);
    paragraph(c, 30, 44, 260,
              "Press the button you want for the lit fret, then its alternative. SELECT leaves.", 9,
              true);
    prompt_band_and_neck_end(c);
    return c;
}

// The volume bar frames go at (105, 105), "VOLUME: n" at (100, 180).
Canvas sound() {
    Canvas c = base(64);
    screen_title(c, "SOUND", 12);
    paragraph(c, 40, 52, 240, "LEFT and RIGHT set the volume of the music and the effects.", 9,
              true);
    panel(c, 96, 98, 128, 80, 0.8f);
    // Dim steps show where the lit bar will grow.
    for (int k = 0; k < 10; ++k) {
        const int x = 105 + 27 + k * 8;
        const int h = 12 + k * 6;
        c.fill_rect(x, 105 + 66 - h, 6, h, kSteel, 0.18f);
    }
    return c;
}

// Page title centred at y 60, header at (80, 90), rows at x 80 from y 100 to 190.
Canvas hiscore() {
    Canvas c = base(65);
    screen_title(c, "HIGHSCORES", 12);
    panel(c, 64, 54, 192, 150);
    TextStyle hint = body_text(8);
    hint.color = kSteel;
    draw_text_centered(c, 160, 206, "LEFT / RIGHT: other songs", hint);
    return c;
}

// Score at y 60, stars at (55, 100), unlock line at 160, accuracy 180, streak 190.
Canvas results() {
    Canvas c = base(66);
    screen_title(c, "SONG COMPLETE!", 8, 20);
    panel(c, 30, 38, 260, 170);
    TextStyle cap = body_text(8);
    cap.color = kGold;
    draw_text_centered(c, 160, 47, "FINAL SCORE", cap);
    fill_round_rect(c, 50, 96, 219, 47, 8, kNight, 0.8f);
    return c;
}

// Name slots at (109, 70), (154, 70), (196, 70); letter grid at (65, 125).
Canvas rank_score() {
    Canvas c = base(67);
    screen_title(c, "NEW HIGHSCORE!", 6, 20);
    TextStyle sub = body_text(9);
    sub.color = kSteel;
    draw_text_centered(c, 160, 40, "ENTER YOUR NAME", sub);
    for (int x : {104, 149, 191}) {
        fill_round_rect(c, x, 64, 26, 32, 4, kPaper, 0.4f);
        fill_round_rect(c, x + 1, 65, 24, 30, 3, kNight);
        c.fill_rect(x + 4, 92, 18, 2, kFlame);
    }
    panel(c, 58, 118, 204, 86, 0.8f);
    draw_text_centered(c, 160, 210, "A: take the letter    last cell: delete", sub);
    return c;
}

// Texts at (12, 10..66), wins and losses at (12, 120) and (12, 140), cover at (178, 68).
Canvas select_song() {
    Canvas c = base(68);
    // A dark band behind the song texts, fading out under the cover.
    for (int y = 0; y < 92; ++y)
        c.fill_rect(0, y, 320, 1, kNight, 0.85f * (1.0f - y / 92.0f) + 0.1f);
    c.fill_rect(0, 91, 320, 1, kFlame, 0.5f);
    panel(c, 4, 112, 120, 46, 0.6f);
    fill_round_rect(c, 172, 62, 140, 140, 6, kInk);
    fill_round_rect(c, 174, 64, 136, 136, 5, kGold);
    TextStyle hint = body_text(8);
    hint.color = kSteel;
    draw_text_centered(c, 242, 204, "<  LEFT / RIGHT  >", hint);
    TextStyle cap = label_text(12);
    draw_text(c, 12, 180, "SONG SELECTION", cap);
    return c;
}

// The sync calibration: its prompt in the band at y 100, the delay at y 132, the note falls
// down lane 3 (x 145) onto the fret row at (80, 215).
Canvas sync() {
    Canvas c = base(70);
    screen_title(c, "SYNC", 12);
    paragraph(c, 30, 44, 260,
              "Press A on every click as the note reaches its ring: the game measures how late "
              "you hear it. LEFT and RIGHT move the delay by 5 ms. B goes back.",
              9, true);
    prompt_band_and_neck_end(c);
    return c;
}

// The credits roll scrolls over this, white on dark.
Canvas credits_back() {
    Canvas c(320, 240, kNight);
    screen_background(c, 69, {4, 4, 14}, {30, 10, 40});
    return c;
}

} // namespace

void make_screens(Output &out) {
    out.png("img/menus/loading.png", loading(), Key::None);
    out.png("img/menus/carrer.png", career(), Key::None);
    out.png("img/menus/set_keys.png", set_keys(), Key::None);
    out.png("img/menus/menu_sound1.png", sound(), Key::None);
    out.png("img/menus/hiscore.png", hiscore(), Key::None);
    out.png("img/menus/you_win.png", results(), Key::None);
    out.png("img/menus/rank_score.png", rank_score(), Key::None);
    out.png("img/menus/select_song_band.png", select_song(), Key::None);
    out.png("img/menus/main4.png", credits_back(), Key::None);
    out.png("img/menus/sync.png", sync(), Key::None);
}

} // namespace assetgen
