// One entry point per family of generated files; each writes its files into the output.
#pragma once

#include "imageio.h"

namespace assetgen {

void make_playfield(Output &out);  // notes, lane lines, frets, score panel, meter, multiplier
void make_flames(Output &out);     // the four hit-flame strips
void make_necks(Output &out);      // the four scrolling necks
void make_backdrops(Output &out);  // the four stage backdrops
void make_menus(Output &out);      // menu backdrops with their entry labels, cursor sheet
void make_screens(Output &out);    // backdrops of the other menu screens
void make_overlays(Output &out);   // countdown, banners, pause layers, star rows
void make_intro(Output &out);      // the five splash screens
void make_guitars(Output &out);    // gallery guitars and their locked versions
void make_gallery(Output &out);    // descriptions, text box, scroll thumb
void make_covers(Output &out);     // song covers (JPEG)
void make_credits(Output &out);    // the credits roll
void make_widgets(Output &out);    // letter grid, name cursor, volume bar, loading bar
void make_effects(Output &out);    // the eight WAV effects
void make_menu_music(Output &out); // the menu loop, MP3
void make_font(Output &out);       // the game font and its licence note

} // namespace assetgen
