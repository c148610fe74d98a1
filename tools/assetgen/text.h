// Text rendering for the generated images: Lato faces through SDL_ttf, drawn as coverage masks.
#pragma once

#include <string>
#include <vector>

#include "canvas.h"

namespace assetgen {

enum class Face { Black, Bold, Regular, Italic };

struct TextStyle {
    Face face = Face::Black;
    int size = 12; // point size
    Rgb color{240, 240, 240};
    int outline = 0; // width in pixels of a solid outline around the glyphs
    Rgb outline_color{16, 10, 24};
    int shadow = 0; // offset of a soft drop shadow, 0 for none
    Rgb shadow_color{0, 0, 0};
    Rgb bottom_color{0, 0, 0}; // with use_gradient, the colour at the glyphs' foot
    bool use_gradient = false;
};

// Opens the font library; false if it cannot start or the Lato faces are missing.
bool text_init();
void text_quit();

int text_width(const TextStyle &st, const std::string &s);
int text_height(const TextStyle &st);

// Draws s with its top-left corner at (x, y); returns the width drawn.
int draw_text(Canvas &c, int x, int y, const std::string &s, const TextStyle &st);
// Draws s horizontally centred on cx.
void draw_text_centered(Canvas &c, int cx, int y, const std::string &s, const TextStyle &st);
// Draws s with its vertical middle on cy, starting at x.
void draw_text_vcentered(Canvas &c, int x, int cy, const std::string &s, const TextStyle &st);

// Breaks text into lines no wider than max_w; blank lines in the input are kept.
std::vector<std::string> wrap_text(const TextStyle &st, const std::string &text, int max_w);

} // namespace assetgen
