// libFuzzer target: the WAV and AIFF reader on any bytes. A header it accepts declares
// bounded values and no more frames than the file holds, and every sample read is finite
// and within full scale.
#include "engine/pcmfile.h"
#include "fuzz_file.h"

#include <cmath>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    std::string input = fuzz_input_file("stem", data, size);
    PcmFile pcm;
    std::string reason;
    if (!pcm_file_open(input.c_str(), pcm, reason)) {
        if (reason.empty() || pcm.file) std::abort();
        return 0;
    }
    if (pcm.channels < 1 || pcm.channels > PCM_CHANNELS_MAX || pcm.rate < PCM_RATE_MIN ||
        pcm.rate > PCM_RATE_MAX || pcm.bytes < 1 || pcm.bytes > 4 || pcm.frames < 0 ||
        pcm.frames * pcm.bytes * pcm.channels > static_cast<long long>(size))
        std::abort();
    float out[2 * 300];
    long long total = 0;
    for (int got; (got = pcm_file_read(pcm, out, 300)) > 0;) {
        total += got;
        for (int i = 0; i < 2 * got; ++i)
            if (!std::isfinite(out[i]) || std::fabs(out[i]) > 1.0f) std::abort();
    }
    if (total > pcm.frames) std::abort();
    pcm_file_close(pcm);
    return 0;
}
