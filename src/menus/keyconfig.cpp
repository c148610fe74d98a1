// Key configuration: ten steps, each lighting the fret of the lane it asks a button for.
#include "menus/keyconfig.h"

#include "engine/assets.h"
#include "engine/draw.h"
#include "game/input.h"
#include "platform/platform.h"
#include "engine/sound.h"
#include "game/judge.h"
#include "game/lane_layout.h"
#include "game/playfield.h"

namespace {

// The prompt of each step: steps 0 to 4 ask for the first button of lanes 1 to 5,
// steps 5 to 9 for the alternative button, with a longer text placed further left.
struct KeyStep {
    const char *prompt;
    int x, y;
};
const KeyStep key_steps[10] = {
    {"PRESS BUTTONS TO FRET 1", 80, 100},
    {"PRESS BUTTONS TO FRET 2", 80, 100},
    {"PRESS BUTTONS TO FRET 3", 80, 100},
    {"PRESS BUTTONS TO FRET 4", 80, 100},
    {"PRESS BUTTONS TO FRET 5", 80, 100},
    {"PRESS BUTTONS TO ALTERNATIVE FRET 1", 40, 100},
    {"PRESS BUTTONS TO ALTERNATIVE FRET 2", 40, 100},
    {"PRESS BUTTONS TO ALTERNATIVE FRET 3", 40, 100},
    {"PRESS BUTTONS TO ALTERNATIVE FRET 4", 40, 100},
    {"PRESS BUTTONS TO ALTERNATIVE FRET 5", 40, 100},
};

// Backdrop, fret row, the lit fret of the lane asked for and the prompt of `step`.
SDL_Surface *draw_step(int step) {
    SDL_Rect origin = {0, 0, 0, 0};
    blit(menu_keys, nullptr, screen, &origin);
    key_magenta(my_surfFrets);
    blit(my_surfFrets, &src_rectFrets, screen, &dst_rectFrets);
    // The lane's pressed-fret frame at its target, as a song draws it (so the targets take
    // the size a song's first press would give them). Lane 5's frame is 163 wide; the blit
    // cuts it at the edge of the sheet and the screen.
    draw_pressed_fret(step % LANE_COUNT + 1);
    const KeyStep &s = key_steps[step];
    return draw_text_at(font_small1, s.prompt, color_white, s.x, s.y);
}

} // namespace

Next key_configuration() {
    key_conf = 0;
    SDL_Surface *prompt = nullptr;
    for (;;) {
        free_text(prompt);
        if (key_conf < 0 || key_conf >= 10) {
            // All ten buttons given: nothing more to show.
            play_effect(CANCELA);
            return TO_MAIN_MENU_ENTRY;
        }
        prompt = draw_step(key_conf);
        platform_flip(screen);
        SDL_Event event;
        if (!platform_poll(&event, SCREEN_KEY_CONFIG) || event.type != SDL_KEYDOWN) continue;
        if (event.key.keysym.sym == BUTTON_SELECT) {
            free_text(prompt);
            play_effect(CANCELA);
            return TO_MAIN_MENU_ENTRY;
        }
        key_config_step(event.key.keysym.sym); // other keys are not buttons and do nothing
    }
}
