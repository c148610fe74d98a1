// The SDL2 library beneath sdl12-compat, looked up once.
#include "platform/sdl2.h"

#include <dlfcn.h>

void *sdl2_function(const char *name) {
    // RTLD_NOLOAD: only the SDL2 that sdl12-compat has already loaded, never another.
    static void *sdl2 = dlopen("libSDL2-2.0.so.0", RTLD_NOW | RTLD_NOLOAD);
    return sdl2 ? dlsym(sdl2, name) : nullptr;
}
