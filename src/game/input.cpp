// Button mapping: ten buttons to five lanes, plus the fixed keyboard lane keys.
#include "game/input.h"

#include "game/lanes.h"

int KEY_Y = 1, KEY_B = 2, KEY_X = 4, KEY_A = 3, KEY_L = 5, KEY_R = 5;
int KEY_UP = 4, KEY_DOWN = 2, KEY_LEFT = 1, KEY_RIGHT = 3;
int GP2X_Y, GP2X_B, GP2X_A, GP2X_X, GP2X_R;
int key_conf;

namespace {

struct Button {
    SDLKey key;
    int *code;
    int default_code;
};

const Button buttons[] = {
    {BUTTON_Y, &KEY_Y, 1},       {BUTTON_B, &KEY_B, 2},     {BUTTON_X, &KEY_X, 4},
    {BUTTON_A, &KEY_A, 3},       {BUTTON_L, &KEY_L, 5},     {BUTTON_R, &KEY_R, 5},
    {SDLK_UP, &KEY_UP, 4},       {SDLK_DOWN, &KEY_DOWN, 2}, {SDLK_LEFT, &KEY_LEFT, 1},
    {SDLK_RIGHT, &KEY_RIGHT, 3},
};

// The keyboard's own lane keys, not configurable: a s d f g for lanes 1 to 5.
const SDLKey keyboard_lanes[LANE_COUNT] = {SDLK_a, SDLK_s, SDLK_d, SDLK_f, SDLK_g};

} // namespace

int *lane_flag(int lane) {
    const Lane *l = lane_at(lane);
    return l ? l->pressed : nullptr;
}

int *button_code(SDLKey key) {
    for (const Button &b : buttons)
        if (b.key == key) return b.code;
    return nullptr;
}

int lane_of_code(int code) { return code >= 1 && code <= 10 ? (code - 1) % 5 + 1 : 0; }

void lane_press(SDLKey key) {
    int lane = 0;
    if (int *code = button_code(key)) lane = lane_of_code(*code);
    for (int i = 0; i < LANE_COUNT; ++i)
        if (keyboard_lanes[i] == key) lane = i + 1;
    if (int *flag = lane_flag(lane)) *flag = 1;
}

void lane_release() {
    for (const Lane &l : lane_table)
        *l.pressed = 0;
}

bool key_config_step(SDLKey key) {
    int *code = button_code(key);
    if (!code || key_conf < 0 || key_conf >= 10) return false;
    *code = key_conf + 1;
    ++key_conf;
    return true;
}

void reset_mapping() {
    for (const Button &b : buttons)
        *b.code = b.default_code;
    lane_release();
}
