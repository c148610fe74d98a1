// The SDL2 library beneath sdl12-compat, for the few things SDL 1.2 cannot ask for.
#pragma once

// The address of SDL2's function `name`, or null when SDL 1.2 is not served by SDL2 (the
// classic SDL 1.2) or the function does not exist. Never loads a library of its own.
void *sdl2_function(const char *name);
