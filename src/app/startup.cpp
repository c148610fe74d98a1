// The start-up sequence, in the order the handles must be created.
#include "app/startup.h"

#include "engine/assets.h"
#include "engine/draw.h"
#include "app/flow.h"
#include "platform/platform.h"
#include "platform/window.h"
#include "engine/sound.h"
#include "game/song.h"
#include "game/timer.h"
#include "songs/catalogue.h"

#include <SDL_image.h>
#include <cstdio>
#include <cstdlib>

int fretfall_main() {
    // A game without its pictures or its font cannot show anything useful: say which
    // files are missing instead of opening a black window.
    if (report_missing_assets() > 0) return 1;
    load_images();

    start = static_cast<int>(platform_ticks());
    std::atexit(SDL_Quit);
    open_audio(); // without a sound device the game runs silent
    std::atexit(Mix_CloseAudio);
    load_song_music();
    load_effects();
    SDL_Init(SDL_INIT_AUDIO);
    if (TTF_Init() == -1) return -1;
    open_fonts();
    SDL_Init(SDL_INIT_VIDEO);
    SDL_ShowCursor(SDL_DISABLE);
    static Timer timer;
    frame_timer = &timer;
    SDL_Init(SDL_INIT_EVERYTHING);
    SDL_WM_SetCaption("Fretfall", "Fretfall");
    screen = platform_set_video_mode(320, 240, 16);
    if (!screen) {
        std::fprintf(stderr, "fretfall: cannot open the 320x240 window: %s\n", SDL_GetError());
        return 1;
    }
    // The reference draws from the images as loaded.
    if (!draw_reference) convert_images_to_screen();
    run_flow();
}
