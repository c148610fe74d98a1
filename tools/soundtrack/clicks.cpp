// The click track: one struck tone per click, placed as the lead places a chart note.
#include "clicks.h"

#include "timing.h"
#include "voices.h"

#include "game/sync.h"

namespace soundtrack {

std::vector<float> render_clicks() {
    Mix mix;
    // The track runs on past the last click's presses, so the music never stops early.
    mix.samples.assign(static_cast<size_t>(file_sample(SYNC_END_MS + 1000.0)), 0.0f);
    // A woodblock-like strike: an instant attack and a fast fall, so the onset is sharp.
    const std::vector<Partial> partials = {{1, 1.0f, 0}, {2.0, 0.35f, 30}, {3.01, 0.2f, 60}};
    const Envelope envelope = {0.5f, 25.0f, 0.0f, 10.0f};
    for (int i = 0; i < SYNC_CLICKS; ++i)
        add_tone(mix, file_sample(sync_click_ms(i)), kClickHz, partials, envelope, 60.0, 0.8f,
                 0.45 * kSampleRate);
    return mix.samples;
}

} // namespace soundtrack
