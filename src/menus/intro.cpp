// Intro splashes. Splash k lasts until the pass counter reaches 100 k or A is pressed;
// since the counter is shared, skipping a splash early makes the next one last longer.
#include "menus/intro.h"

#include "engine/assets.h"
#include "engine/draw.h"
#include "platform/buttons.h"
#include "platform/platform.h"

int intro_logo;

void intro() {
    SDL_Surface *const splashes[5] = {introducao1, introducao2, introducao3, introducao4,
                                      introducao5};
    for (int k = 1; k <= 5; ++k) {
        bool done = false;
        while (!done) {
            ++intro_logo;
            done = intro_logo == 100 * k;
            SDL_Rect at = dst_rectintro;
            blit(splashes[k - 1], nullptr, screen, &at);
            platform_flip(screen);
            SDL_Event event;
            if (platform_poll(&event, SCREEN_INTRO) && event.type == SDL_KEYDOWN &&
                event.key.keysym.sym == BUTTON_A)
                done = true;
        }
    }
}
