// Writes a finished chart as the C++ source file the game compiles.
#pragma once

#include <string>
#include <vector>

#include "songs/charts.h"

// Writes <dir>/chart_<name>.cpp; false if the file cannot be written.
bool write_chart_source(const std::string &dir, const char *name, int song,
                        const std::vector<ChartNote> &rows);
