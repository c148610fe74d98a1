// The program's spine: the menu cycle start, the main menu entry and which screen runs next.
#pragma once
#include "game/next.h"

// Runs the intro and then the screens for ever; leaves only through the exit entry.
[[noreturn]] void run_flow();

// The two re-entry points, without their screens (used by tests as well).
void menu_cycle_start();
void main_menu_entry_reset();
