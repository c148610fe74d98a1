// Presses against the click track, and the median rule that measures the sound's delay.
#include "game/sync.h"

#include <algorithm>
#include <cmath>

namespace {

// The median of `values` (not empty), the mean of the middle two for an even count.
double median(std::vector<int> values) {
    std::sort(values.begin(), values.end());
    size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2.0;
}

} // namespace

bool sync_press_offset(int press_ms, int &offset) {
    int from_first = press_ms - SYNC_FIRST_CLICK_MS + SYNC_EARLY_MS;
    if (from_first < 0) return false;
    int click = from_first / SYNC_CLICK_PERIOD_MS;
    if (click >= SYNC_CLICKS) return false;
    offset = press_ms - sync_click_ms(click);
    return true;
}

bool measure_sync_delay(const std::vector<int> &offsets, int &delay) {
    if (offsets.size() < static_cast<size_t>(SYNC_MIN_PRESSES)) return false;
    std::vector<int> kept, others;
    for (size_t i = 0; i < offsets.size(); ++i) {
        others = offsets;
        others.erase(others.begin() + static_cast<long>(i));
        if (std::fabs(offsets[i] - median(others)) <= SYNC_OUTLIER_MS) kept.push_back(offsets[i]);
    }
    if (kept.size() < static_cast<size_t>(SYNC_MIN_PRESSES)) return false;
    delay = static_cast<int>(std::lround(median(kept)));
    return true;
}
