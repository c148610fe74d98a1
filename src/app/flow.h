// The program's spine: the menu cycle start, the main menu entry and which screen runs next.
#pragma once
#include "game/next.h"

#include <string>

// A library song folder to start the run with, as if chosen in the library (the headless
// driver's --song), at flow_start_difficulty; "" for the intro.
extern std::string flow_start_song;
extern int flow_start_difficulty;

// Runs the intro (or starts flow_start_song) and then the screens for ever; leaves only
// through the exit entry.
[[noreturn]] void run_flow();

// The two re-entry points, without their screens (used by tests as well).
void menu_cycle_start();
void main_menu_entry_reset();
