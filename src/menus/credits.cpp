// Credits roll: a tall image scrolled upward over the credits backdrop.
#include "menus/credits.h"

#include "engine/assets.h"
#include "engine/draw.h"
#include "platform/buttons.h"
#include "platform/platform.h"
#include "engine/sound.h"

SDL_Rect camera_credits = {0, 0, 320, 2048};

namespace {

const int ROLL_STEP = 2;   // rows per pass, with no frame delay
const int ROLL_END = 2048; // the scroll at which the roll has run through

} // namespace

Next credits() {
    for (;;) {
        SDL_Rect origin = {0, 0, 0, 0};
        blit(my_surfMenu4, nullptr, screen, &origin);
        SDL_Rect window = camera_credits, top = {0, 0, 0, 0};
        key_magenta(credits_tela);
        blit(credits_tela, &window, screen, &top);
        camera_credits.y = static_cast<Sint16>(camera_credits.y + ROLL_STEP);
        if (camera_credits.y >= ROLL_END) {
            // Run through: back to the menu at once, without showing this pass.
            camera_credits.y = 0;
            return TO_MAIN_MENU_ENTRY;
        }
        platform_flip(screen);
        SDL_Event event;
        if (platform_poll(&event, SCREEN_CREDITS) && event.type == SDL_KEYDOWN &&
            event.key.keysym.sym == BUTTON_B) {
            play_effect(CANCELA);
            camera_credits.y = 0;
            return TO_MAIN_MENU_ENTRY;
        }
    }
}
