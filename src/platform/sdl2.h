// The SDL2 library beneath sdl12-compat and the X library beneath it, for the few things
// SDL 1.2 cannot ask for.
#pragma once

// The address of SDL2's function `name`, or null when SDL 1.2 is not served by SDL2 (the
// classic SDL 1.2) or the function does not exist. Never loads a library of its own.
void *sdl2_function(const char *name);
// The address of Xlib's function `name` when SDL2 drives an X display (it has then loaded
// libX11), or null. Never loads a library of its own.
void *x11_function(const char *name);
