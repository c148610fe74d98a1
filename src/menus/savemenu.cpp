// Save menu: save, load and clear the progress file, each confirmed by a short message.
#include "menus/savemenu.h"

#include "engine/assets.h"
#include "engine/draw.h"
#include "platform/buttons.h"
#include "platform/platform.h"
#include "engine/sound.h"
#include "menus/vmenu.h"
#include "game/results.h"
#include "store/progress.h"
#include "menus/menustate.h"

namespace {

const int BACK_ENTRY = 3;
const SDL_Rect dst_message = {140, 120, 0, 0};
const Uint32 MESSAGE_MS = 500; // how long a message stays before the menu returns

// The file operation of entries 0 to 2 and the message for its success and its failure:
// a failed save or clear, or a load with nothing to load, is not reported as done.
struct SaveAction {
    bool (*run)();
    const char *done;
    const char *failed;
};
const SaveAction save_actions[3] = {
    {save_game, "GAME SAVED", "SAVE FAILED"},
    {load_game, "GAME LOADED", "NO SAVED GAME"},
    {erase_game, "GAME CLEARED", "CLEAR FAILED"},
};

void run_action(int entry) {
    if (entry < 0 || entry >= BACK_ENTRY) return;
    const SaveAction &a = save_actions[entry];
    bool ok = a.run();
    SDL_Surface *message = draw_text_at(font_small1, ok ? a.done : a.failed, color_white,
                                        dst_message.x, dst_message.y);
    platform_flip(screen);
    platform_delay(MESSAGE_MS);
    // Clearing sets the counters in memory through the cleared file. A clear that failed
    // leaves the old file, which must not be loaded over the counters in its stead.
    if (entry == 2 && ok) load_game();
    free_text(message);
}

} // namespace

Next save_menu() {
    for (;;) {
        cursor_count = clamp_cursor(cursor_count, BACK_ENTRY);
        SDL_Rect origin = {0, 0, 0, 0};
        blit(menu_save, nullptr, screen, &origin);
        draw_cursor(cursor_count);
        platform_flip(screen);
        SDL_Event event;
        if (!platform_poll(&event, SCREEN_SAVE_MENU) || event.type != SDL_KEYDOWN) continue;
        switch (event.key.keysym.sym) {
        case SDLK_DOWN:
            play_effect(BATIDA);
            ++cursor_count;
            break;
        case SDLK_UP:
            play_effect(BATIDA);
            --cursor_count;
            break;
        case BUTTON_A:
            if (cursor_count == BACK_ENTRY) {
                play_effect(ACEITA);
                menu8 = 1;
                cursor_count = 0;
                return TO_MAIN_MENU_ENTRY;
            }
            run_action(cursor_count);
            break;
        default:
            break;
        }
    }
}
