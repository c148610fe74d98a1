// Writes samples as an Ogg Vorbis file with libvorbisenc.
#pragma once

#include <string>
#include <vector>

namespace soundtrack {

// Encodes `samples` ([-1, 1]; `channels` interleaved, mono by default) at `rate` Hz with
// VBR `quality` (-0.1 .. 1.0) into `path`, through a temporary file renamed into place, so
// a failed run never leaves a truncated recording behind. The stream serial number is
// fixed by the caller, which makes the file the same on every run. Returns false with a
// message in `error`.
bool write_ogg_vorbis(const std::string &path, const std::vector<float> &samples, int rate,
                      float quality, int serial, const std::string &title, std::string &error,
                      int channels = 1);

} // namespace soundtrack
