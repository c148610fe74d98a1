// Soak scripts as timed key commands, cut at any moment so a run can go on with the rest.
#pragma once
#include <string>
#include <vector>

// The comment line that ends the opening tour of a generated script.
const char *const TOUR_END = "# opening tour ends";

struct TimedCommand {
    unsigned long time; // virtual ms at which the command is queued
    std::string text;   // "down KEY", "up KEY" or "tap KEY"
};

struct TimedScript {
    std::vector<TimedCommand> commands; // in order
    unsigned long end_time = 0;         // the clock at which the script ends
    unsigned long tour_end = 0;         // the clock at TOUR_END, 0 without a tour
    long events() const;                // key presses and releases (a tap is two)
};

// Reads the driver's script language (wait, down, up, tap, shot, end, # comments);
// screenshots are dropped. False with `error` set on a line it cannot read.
bool read_timed_script(const std::string &text, TimedScript &out, std::string &error);

// A script for a fresh start of the game: the opening tour, then the part of `script`
// queued after `from` ms (at or after it when `inclusive`), moved to follow the tour.
// From script time tour_end on, a run of it is at script time from + (clock - tour_end).
std::string script_resumed(const TimedScript &script, unsigned long from, bool inclusive);
