// Options menu: buttons, game look, sound, save and load.
#pragma once
#include "app/flow.h"

Next options_menu();
