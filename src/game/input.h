// The button mapping that assigns each of the handheld's ten buttons to one of the five
// lanes.
#pragma once
#include "platform/buttons.h"

#include <SDL.h>

// Lane code of each button: 1..5 lanes 1..5, 6..10 lanes 1..5 again (alternative buttons).
// Held in memory only; every run starts from the defaults.
extern int KEY_Y, KEY_B, KEY_X, KEY_A, KEY_L, KEY_R, KEY_UP, KEY_DOWN, KEY_LEFT, KEY_RIGHT;

// Lane flags, 1 while the song loop considers the lane pressed: lanes 1..5.
extern int GP2X_Y, GP2X_B, GP2X_A, GP2X_X, GP2X_R;

// Step of the key configuration, 0..10.
extern int key_conf;

// The flag of lane 1..5, or nullptr.
int *lane_flag(int lane);
// The mapping global of one of the ten mapped buttons, or nullptr for any other key.
int *button_code(SDLKey key);
// Lane of a code: ((code - 1) mod 5) + 1 for 1..10, 0 for any other code.
int lane_of_code(int code);

// A key press during a song: sets the flag of the lane the key maps to, through the
// mapping for the ten buttons, fixed for the keyboard keys a, s, d, f, g.
void lane_press(SDLKey key);
// A key release during a song: clears all five lane flags, whichever key it was.
void lane_release();
// One step of the key configuration: a mapped button gets code key_conf + 1 and the
// configuration moves on by one step. Other keys change nothing. Returns true if taken.
bool key_config_step(SDLKey key);
// Restores the default mapping and clears the lane flags.
void reset_mapping();
