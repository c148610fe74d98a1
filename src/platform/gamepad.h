// Game controllers as the handheld's buttons: every joystick event becomes the key press
// or release of the button it stands for, so the screens only ever see keys.
#pragma once

#include <SDL.h>

// Lays SDL's controller layout over the joysticks (A south, B east, X west, Y north,
// shoulders, Start, Back, d-pad as buttons 0 to 14, left stick as axes 0 and 1). Must run
// before any SDL subsystem starts.
void gamepad_prepare();
// Starts the joystick subsystem and opens every joystick.
void gamepad_start();
// Looks for controllers plugged in or pulled out since the last look, and opens them
// afresh if the count changed; every key a controller held is released first.
void gamepad_rescan();
// Turns a joystick event into the key events it stands for, queued for gamepad_take.
// Returns false for an event that is not a joystick's.
bool gamepad_translate(const SDL_Event &event);
// Takes the oldest queued key event into `event`; returns 0 when none is queued.
int gamepad_take(SDL_Event *event);
