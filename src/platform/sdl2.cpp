// The SDL2 library beneath sdl12-compat and the X library beneath it, looked up once.
#include "platform/sdl2.h"

#include <dlfcn.h>

void *sdl2_function(const char *name) {
    // RTLD_NOLOAD: only the SDL2 that sdl12-compat has already loaded, never another.
    static void *sdl2 = dlopen("libSDL2-2.0.so.0", RTLD_NOW | RTLD_NOLOAD);
    return sdl2 ? dlsym(sdl2, name) : nullptr;
}

void *x11_function(const char *name) {
    static void *x11 = dlopen("libX11.so.6", RTLD_NOW | RTLD_NOLOAD);
    return x11 ? dlsym(x11, name) : nullptr;
}
