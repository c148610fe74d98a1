// Self-check of a finished chart: every property of its target, verified from the rows alone.
#pragma once

#include <string>
#include <vector>

#include "chart_targets.h"
#include "songs/charts.h"

// Returns one line per violated property; empty when the chart may be written.
std::vector<std::string> check_chart(const std::vector<ChartNote> &rows, const ChartTarget &target,
                                     const SongStyle &style);

// Largest distance (ms) between a note's heard time and the nearest grid step.
double worst_grid_error(const std::vector<ChartNote> &rows, const SongStyle &style);
