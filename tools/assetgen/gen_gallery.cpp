// Gallery texts: the scrolling guitar descriptions, their frame and the scroll thumb.
#include <string>

#include "families.h"
#include "gallery.h"
#include "palette.h"
#include "text.h"
#include "ui.h"

namespace assetgen {

namespace {

// The game shows a description through a window 141 wide and 134 high and scrolls it by
// up to 370 rows, so the picture is 504 rows: the last scroll step still shows a full window.
constexpr int kDescW = 141, kDescH = 504;
// Frame and thumb, drawn without key at (6, 78) and (147, 86..197).
constexpr int kBoxX = 6, kBoxY = 78, kBoxW = 148, kBoxH = 134;
constexpr Rgb kTrack{30, 20, 50};

const char *const kDescriptions[4] = {
    "THE STRAT SHAPE\n\n"
    "A double-cutaway solid body with two horns, the upper one longer, and a bolt-on maple "
    "neck. The belly and the forearm cut make it sit close to the body for hours of playing.\n\n"
    "Three single-coil pickups give it a bright, glassy voice. The five-way switch mixes them "
    "for the famous in-between sounds, and the tremolo arm bends whole chords.\n\n"
    "Light, balanced and easy to reach up the neck, it is the first guitar of many players "
    "and the last word in clean funk, blues and surf.\n\n"
    "DETAILS\n"
    "Body: light solid wood, contoured\n"
    "Neck: bolt-on maple, 22 frets\n"
    "Pickups: three single coils\n"
    "Bridge: tremolo with arm\n"
    "Sound: bright, clear, quacky\n\n"
    "PLAYING TIP\n"
    "Positions two and four of the switch give the hollow, quacking tone that cuts through a "
    "busy band without any effect at all.\n\n"
    "Unlocked after five wins: now go and win five more.",
    "THE EXPLORER SHAPE\n\n"
    "All angles and no curves: a body shaped like a stretched lightning bolt, with a long "
    "point on the low side and a sharp horn on the high side.\n\n"
    "Two humbucking pickups set in a wide body of solid wood make it loud, thick and full of "
    "sustain. Chords ring on and palm-muted riffs hit hard.\n\n"
    "It was too wild for its own time and found its home later on the metal stages, where "
    "its outline became a symbol of speed.\n\n"
    "DETAILS\n"
    "Body: wide solid wood, angled\n"
    "Neck: set, 22 frets\n"
    "Pickups: two humbuckers\n"
    "Bridge: fixed, with stop bar\n"
    "Sound: loud, thick, sustaining\n\n"
    "PLAYING TIP\n"
    "Mute the strings lightly with the side of the picking hand near the bridge: the riffs "
    "turn tight and punchy, just right for fast songs.\n\n"
    "Unlocked after ten wins: hold it high for the crowd.",
    "THE FLYING V SHAPE\n\n"
    "Two wings and nothing between them: the body is a V that points at the floor. Played "
    "sitting, the V rests on the leg; standing, it looks like an arrow.\n\n"
    "A glued-in neck and two humbuckers give it a warm, singing lead tone with plenty of bite "
    "for blues-rock and classic metal.\n\n"
    "Every fret is easy to reach, since nothing of the body stands in the way of the "
    "fretting hand.\n\n"
    "DETAILS\n"
    "Body: solid wood, two wings\n"
    "Neck: set, 22 frets\n"
    "Pickups: two humbuckers\n"
    "Bridge: fixed, strings through\n"
    "Sound: warm, singing, biting\n\n"
    "PLAYING TIP\n"
    "Bend the high notes slowly and add vibrato at the top of the bend: the V sings best in "
    "long lead lines that ring over the band.\n\n"
    "Unlocked after fifteen wins: time to fly.",
    "THE SINGLE-CUT SHAPE\n\n"
    "A thick, rounded body with one cutaway on the treble side, a carved top and a set neck. "
    "It is heavy, and that weight is where its sustain comes from.\n\n"
    "Twin humbuckers, two volume and two tone controls and a three-way switch: dark and round "
    "on the neck pickup, fat and biting on the bridge.\n\n"
    "From smooth jazz to the biggest rock riffs, the single-cut has played it all, often with "
    "a gold top shining under the lights.\n\n"
    "DETAILS\n"
    "Body: heavy, carved top\n"
    "Neck: set, 22 frets\n"
    "Pickups: two humbuckers\n"
    "Bridge: tune-o-matic, stop bar\n"
    "Sound: fat, dark, endless sustain\n\n"
    "PLAYING TIP\n"
    "Turn the neck pickup's tone knob down halfway for a soft, woody lead; switch to the "
    "bridge pickup at full volume when the chorus hits.\n\n"
    "Unlocked after twenty wins: you rule the stage.",
};

Canvas description(const char *text) {
    Canvas c(kDescW, kDescH, kMagenta, 0.0f);
    TextStyle st = body_text(10);
    st.outline = 1;
    st.outline_color = kInk;
    TextStyle head = st;
    head.face = Face::Black;
    head.color = kGold;
    int y = 4;
    for (const std::string &l : wrap_text(st, text, kDescW - 8)) {
        // Lines in capitals only are headings.
        bool heading = l.size() > 3;
        for (char ch : l)
            if (ch >= 'a' && ch <= 'z') heading = false;
        draw_text(c, 3, y, l, heading ? head : st);
        y += text_height(st) - 2;
    }
    return c;
}

Canvas text_box() {
    Canvas c = gallery_backdrop().crop(kBoxX, kBoxY, kBoxW, kBoxH);
    fill_round_rect(c, 0, 0, kBoxW - 8, kBoxH, 6, kPaper, 0.35f);
    fill_round_rect(c, 1, 1, kBoxW - 10, kBoxH - 2, 5, {20, 12, 36});
    // The thumb runs at screen x 147, rows 86 to 211: the track lies right under it.
    fill_round_rect(c, kBoxW - 7, 8, 6, kBoxH - 8, 2, kTrack);
    return c;
}

Canvas thumb() {
    Canvas c(6, 14, kTrack);
    fill_round_rect(c, 0, 0, 6, 14, 2, kGold);
    c.fill_rect(1, 6, 4, 1, kFlame);
    c.fill_rect(1, 8, 4, 1, kFlame);
    return c;
}

} // namespace

void make_gallery(Output &out) {
    for (int i = 0; i < 4; ++i)
        out.png("img/guitars/gtr_desc0" + std::to_string(i) + ".png", description(kDescriptions[i]),
                Key::Magenta);
    out.png("img/sprite/txt_box.png", text_box(), Key::None);
    out.png("img/sprite/cursor_bar.png", thumb(), Key::None);
}

} // namespace assetgen
