// The sync calibration's click track: a short, sharp click on every click of the
// calibration, each heard where a chart note in the middle of its hit window would be.
#pragma once

#include <vector>

namespace soundtrack {

// Pitch of the click's tone, for finding its onsets again.
constexpr double kClickHz = 1568.0; // G6, above every lane's lead note

// Mono samples at kSampleRate in [-1, 1]: silence but for the clicks, up to a little past
// the calibration's end. The same samples on every run.
std::vector<float> render_clicks();

} // namespace soundtrack
