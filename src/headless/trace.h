// The headless driver's trace: one JSON line per poll of a screen loop.
#pragma once
#include "platform/platform.h"

#include <cstdio>

// Writes the state seen by one poll of `screen` at virtual time `t`.
void trace_poll(FILE *out, Uint32 t, ScreenId screen);
// The screen's name in the trace ("main_menu", "song", ...).
const char *screen_name(ScreenId screen);
