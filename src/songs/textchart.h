// The .chart text format: sections of "key = value" lines.
#pragma once
#include "songs/tickchart.h"

#include <cstddef>
#include <string>

// Reads a .chart held in `data`: [Song] (resolution, offset, names), [SyncTrack] tempos
// and time signatures, [Events] sections and end, and the lead guitar's [EasySingle] ..
// [ExpertSingle]. Returns false with a one-line `reason` for a file that is not a chart
// or breaks the limits in tickchart.h.
bool read_chart_text(const char *data, size_t size, TickChart &chart, std::string &reason);
