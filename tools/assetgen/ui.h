// Shared pieces of the menu and screen art: backgrounds, titles, panels, labels, the logo.
#pragma once

#include <string>

#include "canvas.h"
#include "text.h"

namespace assetgen {

// Night gradient with slanted light beams and faint sparkles; seed varies the beams.
void screen_background(Canvas &c, int seed, Rgb top, Rgb bottom);
// Big gold title centred at the top of a screen.
void screen_title(Canvas &c, const std::string &text, int y, int size = 22);
// Dark translucent rounded panel with a thin light border.
void panel(Canvas &c, int x, int y, int w, int h, float alpha = 0.55f);
// Menu entry label whose vertical middle sits on cy, starting at x.
void menu_label(Canvas &c, int x, int cy, const std::string &text);
// The Fretfall logo centred on (cx, cy); size is the point size of the lettering.
void logo(Canvas &c, int cx, int cy, int size);
// A row of audience heads and raised hands along the bottom edge at y.
void crowd(Canvas &c, int y, Rgb col, int seed, float density = 1.0f);
// A cone of light from (x, y) spreading downwards to the given width at the bottom.
void spotlight(Canvas &c, float x, float y, float bottom_w, float angle, Rgb col, float a);

TextStyle label_text(int size = 14);
TextStyle body_text(int size = 10);

} // namespace assetgen
