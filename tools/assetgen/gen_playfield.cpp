// Playfield sprites: note sheet, lane lines, fret sheet, score panel, rock meter, multiplier.
#include <string>

#include "families.h"
#include "palette.h"
#include "text.h"

namespace assetgen {

namespace {

// A round gem seen from above the highway: dark rim, coloured body, silver cap.
void note_gem(Canvas &c, float x0, float y0, Rgb col) {
    const float cx = x0 + 15.5f;
    fill_ellipse(c, cx, y0 + 12.5f, 14.5f, 10.0f, kInk);
    fill_ellipse(c, cx, y0 + 11.0f, 13.0f, 8.5f, shade(col, 0.7f));
    fill_ellipse(c, cx, y0 + 10.0f, 12.0f, 7.5f, col);
    fill_ellipse(c, cx, y0 + 7.0f, 8.0f, 3.0f, mix(col, kWhite, 0.55f), 0.7f);
    fill_ellipse(c, cx, y0 + 10.5f, 5.5f, 3.6f, kInk);
    fill_ellipse(c, cx, y0 + 10.0f, 4.5f, 2.8f, {226, 228, 236});
}

void notes(Output &out) {
    Canvas c(160, 23, kWhite, 0.0f);
    for (int l = 0; l < LANE_COUNT; ++l)
        note_gem(c, NOTE_FRAME_X[l], 0, kLane[l]);
    out.png("img/sprite/notas.png", c, Key::White);
}

// Five silver strings down the middle of each lane, over the whole height of the screen.
void lane_lines(Output &out) {
    Canvas c(163, 240, kWhite, 0.0f);
    for (int l = 0; l < LANE_COUNT; ++l) {
        const int x = LANE_X[l] - 80 + 15;
        c.fill_rect(x - 1, 0, 1, 240, {60, 60, 72});
        c.fill_rect(x, 0, 2, 240, {196, 198, 212});
        c.fill_rect(x + 2, 0, 1, 240, {90, 90, 104});
    }
    out.png("img/sprite/linhas.png", c, Key::White);
}

// The fret row (top 33 rows, lane targets as rings on a dark bar) and, from row 70,
// the lit frames of held lanes, each kept inside the columns its source rectangle
// owns alone so that a frame never shows a piece of its neighbour.
void frets(Output &out) {
    Canvas c(200, 93, kMagenta, 0.0f);
    fill_round_rect(c, 0, 8, 163, 22, 6, {20, 18, 28});
    c.fill_rect(2, 17, 159, 2, kSteel, 0.6f);
    for (int l = 0; l < LANE_COUNT; ++l) {
        const float cx = LANE_X[l] - 80 + 15.5f;
        fill_ellipse(c, cx, 18.5f, 12.5f, 9.0f, {36, 34, 46});
        ring(c, cx, 18.5f, 12.5f, 9.0f, 3.0f, kLane[l]);
        ring(c, cx, 18.5f, 12.5f, 9.0f, 1.0f, kInk);
        fill_ellipse(c, cx, 16.0f, 7.0f, 2.0f, kWhite, 0.25f);
    }
    for (int l = 0; l < LANE_COUNT; ++l) {
        Canvas b(31, 23, kMagenta, 0.0f);
        const Rgb lit = mix(kLane[l], kWhite, 0.35f);
        fill_ellipse(b, 15.5f, 11.5f, 12.5f, 10.0f, kInk);
        fill_ellipse(b, 15.5f, 11.5f, 11.0f, 8.5f, lit);
        fill_ellipse(b, 15.5f, 11.5f, 7.0f, 5.0f, mix(lit, kWhite, 0.6f));
        fill_ellipse(b, 15.5f, 8.0f, 6.0f, 2.0f, {250, 250, 250}, 0.8f);
        c.draw(b, PRESSED_FRAME_X[l], 70);
    }
    out.png("img/sprite/frets.png", c, Key::Magenta);
}

// HUD box at the top left; the game prints the score at (40, 11), the streak at
// (40, 29) and the timer at (0, 50), so the labels keep left of x 38.
void score_panel(Output &out) {
    Canvas c(96, 60, kMagenta, 0.0f);
    fill_round_rect(c, 0, 0, 96, 60, 7, kInk);
    fill_round_rect(c, 1, 1, 94, 58, 6, {40, 26, 70});
    c.vgradient(3, 3, 90, 54, {54, 34, 92}, {26, 16, 46});
    c.fill_rect(4, 22, 88, 1, kFlame, 0.7f);
    c.fill_rect(4, 40, 88, 1, kFlame, 0.7f);
    TextStyle st;
    st.size = 7;
    st.color = kGold;
    draw_text(c, 4, 8, "SCORE", st);
    draw_text(c, 4, 26, "STREAK", st);
    out.png("img/sprite/score.png", c, Key::Magenta);
}

// Rock meter: the full bar (red at the foot, green at the head) and its empty cover,
// which the game draws from the top down to hide what the player has lost.
void rock_meter(Output &out) {
    Canvas bar(11, 160, kMagenta, 0.0f), cover(11, 160, kMagenta, 0.0f);
    for (Canvas *c : {&bar, &cover}) {
        fill_round_rect(*c, 0, 0, 11, 160, 4, kInk);
        fill_round_rect(*c, 1, 1, 9, 158, 3, kSteel);
    }
    for (int y = 3; y < 157; ++y) {
        const float t = (y - 3) / 153.0f;
        const Rgb full =
            t < 0.5f ? mix(kLane[0], kLane[2], t * 2) : mix(kLane[2], kLane[1], t * 2 - 1);
        bar.fill_rect(3, y, 5, 1, full);
        bar.fill_rect(3, y, 2, 1, kWhite, 0.3f);
        cover.fill_rect(3, y, 5, 1, {30, 24, 40});
    }
    for (int y = 10; y < 160; y += 10) {
        bar.fill_rect(3, y, 5, 1, kInk, 0.35f);
        cover.fill_rect(3, y, 5, 1, kSteel, 0.25f);
    }
    out.png("img/sprite/rock_bar0.png", bar, Key::Magenta);
    out.png("img/sprite/rock_bar.png", cover, Key::Magenta);
}

// Three 77x19 frames stacked; each later one is drawn over the earlier, so all share
// one opaque outline.
void multiplier(Output &out) {
    Canvas c(77, 57, kMagenta, 0.0f);
    const Rgb tint[3] = {kPaper, kGold, kFlame};
    for (int k = 0; k < 3; ++k) {
        const int y = 19 * k;
        fill_round_rect(c, 0, y, 77, 19, 5, kInk);
        fill_round_rect(c, 1, y + 1, 75, 17, 4, {40, 26, 70});
        TextStyle small;
        small.size = 7;
        small.color = kSteel;
        draw_text(c, 7, y + 5, "MULTIPLIER", small);
        TextStyle big;
        big.size = 11;
        big.color = tint[k];
        draw_text(c, 56, y + 1, "x" + std::to_string(k + 1), big);
        c.fill_rect(2, y + 3, 2, 13, tint[k]);
    }
    out.png("img/sprite/multiplicador.png", c, Key::Magenta);
}

} // namespace

void make_playfield(Output &out) {
    notes(out);
    lane_lines(out);
    frets(out);
    score_panel(out);
    rock_meter(out);
    multiplier(out);
}

} // namespace assetgen
