// The gallery page backdrop, shared by the guitar pictures and the description frame
// that are cut from it.
#pragma once

#include "canvas.h"

namespace assetgen {

Canvas gallery_backdrop();

} // namespace assetgen
