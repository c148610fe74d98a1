// Rate conversion of stereo float frames with a windowed-sinc low-pass filter, exact in
// its stepping: output frame n always sits at input position n * in_rate / out_rate.
#pragma once
#include <vector>

// Frames one call of resampler_run may produce.
const int RESAMPLE_BLOCK = 1024;

struct Resampler {
    int in_rate = 0, out_rate = 0; // reduced by their greatest common divisor
    int half = 0;                  // filter taps on each side of the position
    int phases = 0;                // rows of `kernel`: one per position fraction used
    std::vector<float> kernel;     // phases rows of 2 * half taps
    std::vector<float> input;      // stereo frames: filter history, then frames pulled ahead
    int filled = 0;                // frames in `input`
    int pos = 0;                   // input frame at or before the next output's position
    long long frac = 0;            // that position's fraction past `pos`, in 1/out_rate
};

// Prepares `r` for `in_rate` to `out_rate`; equal rates pass frames through unfiltered.
void resampler_init(Resampler &r, int in_rate, int out_rate);
// Writes `count` (at most RESAMPLE_BLOCK) output frames to `out`, asking `pull` for the
// input frames it needs; `pull` fills every frame it is asked for (silence past its end).
void resampler_run(Resampler &r, float *out, int count,
                   void (*pull)(void *context, float *dst, int frames), void *context);
