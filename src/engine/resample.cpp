// Polyphase windowed-sinc resampling: one precomputed filter row per position fraction.
#include "engine/resample.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numeric>

namespace {

// Zero crossings of the sinc on each side of the centre: the filter's sharpness.
const int ZERO_CROSSINGS = 8;
// The pass band ends at this share of the lower rate's Nyquist frequency.
const double PASS_BAND = 0.9;
// Most filter rows kept; rates whose reduced output rate is larger share the nearest row.
const int PHASES_MAX = 1024;
const double PI = 3.14159265358979323846;

} // namespace

void resampler_init(Resampler &r, int in_rate, int out_rate) {
    r = Resampler();
    const int g = std::gcd(in_rate, out_rate);
    r.in_rate = in_rate / g;
    r.out_rate = out_rate / g;
    if (r.in_rate == r.out_rate) return;
    // Cut-off in cycles per input frame: below both rates' Nyquist frequencies.
    const double fc = 0.5 * PASS_BAND * std::min(1.0, static_cast<double>(r.out_rate) / r.in_rate);
    r.half = static_cast<int>(std::ceil(ZERO_CROSSINGS / (2.0 * fc)));
    r.phases = std::min(r.out_rate, PHASES_MAX);
    const int taps = 2 * r.half;
    r.kernel.resize(static_cast<size_t>(r.phases) * taps);
    for (int p = 0; p < r.phases; ++p) {
        float *row = &r.kernel[static_cast<size_t>(p) * taps];
        double sum = 0;
        for (int j = 0; j < taps; ++j) {
            // Distance of tap j's input frame from the output position, in input frames.
            const double t = (j - r.half + 1) - static_cast<double>(p) / r.phases;
            const double x = 2.0 * fc * t;
            const double sinc = x == 0 ? 1.0 : std::sin(PI * x) / (PI * x);
            const double w = t / r.half; // Blackman window over [-half, half]
            const double window =
                std::fabs(w) >= 1 ? 0 : 0.42 + 0.5 * std::cos(PI * w) + 0.08 * std::cos(2 * PI * w);
            row[j] = static_cast<float>(sinc * window);
            sum += row[j];
        }
        // Each row passes a constant unchanged.
        for (int j = 0; j < taps; ++j)
            row[j] = static_cast<float>(row[j] / sum);
    }
    // History before the first frame is silence; the first output sits on input frame 0.
    const int capacity = taps + RESAMPLE_BLOCK * r.in_rate / r.out_rate + 2;
    r.input.assign(static_cast<size_t>(capacity) * 2, 0.0f);
    r.filled = r.half - 1;
    r.pos = r.half - 1;
}

void resampler_run(Resampler &r, float *out, int count,
                   void (*pull)(void *context, float *dst, int frames), void *context) {
    count = std::min(count, RESAMPLE_BLOCK);
    if (r.half == 0) {
        pull(context, out, count);
        return;
    }
    // Pull at once every input frame the block's last output frame reaches.
    const long long last =
        r.pos + (r.frac + static_cast<long long>(count - 1) * r.in_rate) / r.out_rate;
    const int need = static_cast<int>(last) + r.half + 1;
    if (need > r.filled) {
        pull(context, &r.input[static_cast<size_t>(r.filled) * 2], need - r.filled);
        r.filled = need;
    }
    const int taps = 2 * r.half;
    for (int i = 0; i < count; ++i) {
        const int row = static_cast<int>(r.frac * r.phases / r.out_rate);
        const float *k = &r.kernel[static_cast<size_t>(row) * taps];
        const float *x = &r.input[static_cast<size_t>(r.pos - r.half + 1) * 2];
        float left = 0, right = 0;
        for (int j = 0; j < taps; ++j) {
            left += k[j] * x[2 * j];
            right += k[j] * x[2 * j + 1];
        }
        out[2 * i] = left;
        out[2 * i + 1] = right;
        r.frac += r.in_rate;
        r.pos += static_cast<int>(r.frac / r.out_rate);
        r.frac %= r.out_rate;
    }
    // Keep only the history the next output frame's filter reaches back to.
    const int drop = std::min(r.pos - r.half + 1, r.filled);
    std::memmove(r.input.data(), r.input.data() + static_cast<size_t>(drop) * 2,
                 static_cast<size_t>(r.filled - drop) * 2 * sizeof(float));
    r.filled -= drop;
    r.pos -= drop;
}
