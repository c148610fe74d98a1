// Standard MIDI Files: the lead guitar track of a notes.mid and the tempo map.
#pragma once
#include "songs/tickchart.h"

#include <cstddef>
#include <cstdint>
#include <string>

// Most tracks a MIDI chart may hold; real ones have a few dozen.
const size_t MIDI_TRACKS_MAX = 1024;

// Reads a Standard MIDI File held in `data` (format 1, or 0; ticks per quarter note):
// the tempo map of the first track and the guitar notes of the track named "PART GUITAR"
// or "T1 GEMS" (in old files the unnamed second track). Sustains shorter than
// `cutoff_ticks` (a third of a quarter note when negative) become plain notes. Returns
// false with a one-line `reason` for a file that is not such a file, is cut short or
// breaks the limits in tickchart.h.
bool read_midi(const uint8_t *data, size_t size, long long cutoff_ticks, TickChart &chart,
               std::string &reason);
