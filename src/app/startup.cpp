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
#include "songs/library.h"
#include "store/librarycache.h"

#include <SDL_image.h>
#include <cstdio>
#include <cstdlib>

namespace {

// Song folders found between two progress lines of the walk, and read between two of the
// reading: a first scan of 5,000 songs presents some 200 lines, and a start with an
// unchanged library of that size, which reads no folder, ten.
const int WALK_LINE_EVERY = 500;
const int READ_LINE_EVERY = 25;

// One progress line over the plain backdrop, so that a long first scan does not look hung.
void show_library_progress(int done, int total, const std::string &) {
    char line[64];
    if (total == 0 && done > 0 && done % WALK_LINE_EVERY == 0)
        std::snprintf(line, sizeof line, "Looking for songs: %d found", done);
    else if (total > 0 && done < total && done % READ_LINE_EVERY == 0)
        std::snprintf(line, sizeof line, "Reading songs %d/%d", done + 1, total);
    else
        return;
    SDL_Rect origin = dst_rectMenu;
    blit(my_surfMenu4, nullptr, screen, &origin);
    SDL_Surface *text = draw_text_centred(font_small1, line, color_white, 112);
    platform_flip(screen);
    free_text(text);
}

} // namespace

void load_song_library() {
    library_entries = load_library(library_roots(), LIBRARY_CACHE_FILE, show_library_progress);
}

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
    load_song_library();
    run_flow();
}
