// Pause screen: a loop of its own inside the song frame that pressed START.
#include "game/pause.h"

#include "engine/assets.h"
#include "engine/draw.h"
#include "platform/buttons.h"
#include "platform/platform.h"
#include "engine/sound.h"
#include "game/notes.h"
#include "game/song.h"

#include <SDL_mixer.h>
#include <cstdio>

int pause_menu;

namespace {

void draw_overlay(SDL_Surface *overlay) {
    key_magenta(overlay);
    SDL_Rect origin = dst_rectMenu;
    blit(overlay, nullptr, screen, &origin);
}

} // namespace

bool pause_screen_run() {
    pause_menu = 0;
    while (pause_menu == 0) {
        // Both overlays go over the song's last frame again on every pass.
        draw_overlay(pause_screen);
        draw_overlay(pause_screen2);
        snprintf(texto3, sizeof texto3, "%s", "Press SELECT to EXIT or START to RESUME");
        SDL_Surface *line = draw_text_centred(font_small1, texto3, color_white, 120);
        free_text(line);
        platform_flip(screen);

        BPS = 0;
        if (audio_open) {
            Mix_PauseMusic();
            Mix_Pause(-1);
        }
        // Moving the start with the clock keeps msec where the pause began.
        start = static_cast<int>(platform_ticks()) - msec;

        SDL_Event event;
        if (!platform_poll(&event, SCREEN_PAUSE) || event.type != SDL_KEYDOWN) continue;
        if (event.key.keysym.sym == BUTTON_START) {
            pause_menu = 1;
        } else if (event.key.keysym.sym == BUTTON_SELECT) {
            // The paused song's music stays paused until the menu music replaces it.
            zerar_notas();
            return false;
        }
    }
    pause_menu = 0;
    if (audio_open) {
        Mix_ResumeMusic();
        Mix_Resume(-1);
    }
    BPS = 10;
    return true;
}
