// Reading a recording back and finding where tones of a given pitch start, to check that
// the lead's notes land where the chart wants them heard.
#pragma once

#include <string>
#include <vector>

namespace soundtrack {

struct Audio {
    int rate = 0;
    std::vector<float> samples; // mono: the channels of a stereo file are averaged
};

// Decodes a whole Ogg Vorbis file. Returns false with a message in `error`.
bool read_ogg_vorbis(const std::string &path, Audio &out, std::string &error);

// Length of an Ogg Vorbis file in ms without decoding it; negative if it cannot be read.
double ogg_duration_ms(const std::string &path);

// Level of the part of `x` near `freq_hz`, one value per `hop` samples (value k belongs to
// sample k * hop). The signal is shifted down by `freq_hz` and smoothed by three cascaded
// 13 ms moving averages: a symmetric window about 40 ms wide that passes about 70 Hz
// around the frequency and keeps tones two semitones away some 25 dB down. Being
// symmetric, it shows a tone switched on at time t at half its final level exactly at t.
std::vector<float> tone_level(const std::vector<float> &x, int rate, double freq_hz, int hop);

// Start times (ms) of the tones near `freq_hz`: every rise of tone_level by at least
// 10 dB to a peak of at least a fifth of the loudest, timed where the level passes
// half-way between the low before and the peak.
std::vector<double> tone_onsets(const std::vector<float> &x, int rate, double freq_hz);

// The onset in `onsets` (sorted) nearest to `ms`; `ms` + 1e9 if there is none.
double nearest_onset(const std::vector<double> &onsets, double ms);

} // namespace soundtrack
