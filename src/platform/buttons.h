// The handheld's buttons as SDL keys: the keys its SDL port delivers for them, which the
// desktop keyboard and gamepads press as well.
#pragma once
#include <SDL.h>

constexpr SDLKey BUTTON_Y = SDLK_LSHIFT;
constexpr SDLKey BUTTON_B = SDLK_LALT; // back on menus
constexpr SDLKey BUTTON_X = SDLK_SPACE;
constexpr SDLKey BUTTON_A = SDLK_LCTRL; // confirm on menus
constexpr SDLKey BUTTON_L = SDLK_TAB;
constexpr SDLKey BUTTON_R = SDLK_BACKSPACE;
constexpr SDLKey BUTTON_START = SDLK_RETURN;  // pause and resume a song
constexpr SDLKey BUTTON_SELECT = SDLK_ESCAPE; // leave a song from pause, leave key config
