// Drawing of the four guitar shapes of the gallery, used by the gallery and the menus.
#pragma once

#include "canvas.h"

namespace assetgen {

enum class Guitar { Strat, Explorer, FlyingV, SingleCut };

// Draws a guitar with the middle of its body at (cx, cy), headstock up, turned by
// angle radians, one unit of the model being `scale` pixels (a guitar is about 110
// units long). A locked guitar is a dark silhouette with a faint rim.
void draw_guitar(Canvas &c, Guitar g, float cx, float cy, float scale, float angle, bool locked);

// A padlock centred on (cx, cy), about 2.2 * size wide.
void draw_padlock(Canvas &c, float cx, float cy, float size);

} // namespace assetgen
