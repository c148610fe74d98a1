// The stem mixer: stems of one rate are summed, then brought to the device rate by one
// resampler per rate, and the sum goes out through SDL_mixer's music hook.
//
// Threads: stems_mix runs on SDL's audio thread. The stem set is built before the hook is
// installed and torn down after Mix_HookMusic has taken it out again (which waits for the
// audio lock), so the audio thread never sees it change. The miss flag and the frame count
// are atomics; pause and volume are read from SDL_mixer's own music state, as its music
// player does in the same callback.
#include "engine/stems.h"

#include "engine/resample.h"
#include "engine/sound.h"
#include "engine/stemdecode.h"

#include <SDL_mixer.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// The rate stems play at when no audio device is open: the one the game asks for.
const int DEFAULT_RATE = 22050;
// Frames decoded from one stem at once.
const int DECODE_BLOCK = 1024;

struct Stem {
    StemStream stream;
    std::string path;
    bool guitar = false;
    bool ended = false; // at its end, or left out after a decoding error
};

// Stems of one rate and the resampler that brings their sum to the device rate.
struct RateGroup {
    int rate = 0;
    Resampler resampler;
    std::vector<int> stems; // indexes into `stems`
};

std::vector<Stem> stems;
std::vector<RateGroup> groups;
int device_rate = DEFAULT_RATE;
bool hooked;

std::atomic<bool> guitar_missed{false};
std::atomic<long long> frames_mixed{0};

// Touched by the audio thread only while the hook is in (and by stems_start before it).
float guitar_gain = 1.0f;
std::vector<float> decoded, group_out, mix;

// Adds `frames` frames of stem `s` to `dst`; the guitar's gain moves from where it was to
// where the miss flag wants it across the frames, so a change does not click.
void add_stem(Stem &s, float *dst, int frames) {
    const float from = s.guitar ? guitar_gain : 1.0f;
    const float to =
        s.guitar ? (guitar_missed.load(std::memory_order_relaxed) ? STEM_MISS_GAIN : 1.0f) : 1.0f;
    int done = 0;
    while (done < frames && !s.ended) {
        const int got =
            s.stream.read(s.stream.handle, decoded.data(), std::min(frames - done, DECODE_BLOCK));
        if (got <= 0) {
            if (got < 0)
                std::fprintf(stderr, "fretfall: %s cannot be decoded further: left out\n",
                             s.path.c_str());
            s.ended = true;
            break;
        }
        for (int i = 0; i < got; ++i) {
            const float gain =
                from + (to - from) * static_cast<float>(done + i + 1) / static_cast<float>(frames);
            dst[2 * (done + i)] += gain * decoded[2 * i];
            dst[2 * (done + i) + 1] += gain * decoded[2 * i + 1];
        }
        done += got;
    }
    if (s.guitar) guitar_gain = to;
}

// The resampler's source: the sum of a rate group's stems, silence past their ends.
void pull_group(void *context, float *dst, int frames) {
    const RateGroup &group = *static_cast<const RateGroup *>(context);
    std::fill(dst, dst + 2 * frames, 0.0f);
    for (int index : group.stems)
        add_stem(stems[static_cast<size_t>(index)], dst, frames);
}

// Takes the hook out of the mixer; once Mix_HookMusic returns, the audio thread is out of it.
void unhook() {
    if (hooked) Mix_HookMusic(nullptr, nullptr);
    hooked = false;
}

const char *base_name(const std::string &path) {
    const size_t slash = path.find_last_of('/');
    return path.c_str() + (slash == std::string::npos ? 0 : slash + 1);
}

} // namespace

int stems_open(const std::vector<std::string> &paths, int guitar, std::string &reason) {
    stems_stop();
    // A run that ends while a song plays closes its stems before the mixer closes (an exit
    // handler registered after start-up's Mix_CloseAudio runs before it).
    static const bool closed_at_exit = std::atexit(stems_stop) == 0;
    (void)closed_at_exit;
    int freq = 0, channels = 0;
    Uint16 format = 0;
    device_rate = Mix_QuerySpec(&freq, &format, &channels) ? freq : DEFAULT_RATE;
    std::string first_failure;
    for (size_t i = 0; i < paths.size(); ++i) {
        Stem s;
        std::string why;
        if (!stem_stream_open(paths[i].c_str(), s.stream, why)) {
            std::fprintf(stderr, "fretfall: leaving out %s: %s\n", paths[i].c_str(), why.c_str());
            if (first_failure.empty())
                first_failure = std::string(base_name(paths[i])) + ": " + why;
            continue;
        }
        s.path = paths[i];
        s.guitar = static_cast<int>(i) == guitar;
        stems.push_back(std::move(s));
    }
    for (size_t i = 0; i < stems.size(); ++i) {
        auto group = std::find_if(groups.begin(), groups.end(), [&](const RateGroup &g) {
            return g.rate == stems[i].stream.rate;
        });
        if (group == groups.end()) {
            groups.emplace_back();
            group = groups.end() - 1;
            group->rate = stems[i].stream.rate;
            resampler_init(group->resampler, group->rate, device_rate);
        }
        group->stems.push_back(static_cast<int>(i));
    }
    decoded.assign(2 * DECODE_BLOCK, 0.0f);
    group_out.assign(2 * RESAMPLE_BLOCK, 0.0f);
    mix.assign(2 * RESAMPLE_BLOCK, 0.0f);
    if (stems.empty())
        reason = paths.empty() ? "no audio files" : "no playable audio (" + first_failure + ")";
    return static_cast<int>(stems.size());
}

void stems_start(int from_ms) {
    unhook();
    guitar_missed = false;
    guitar_gain = 1.0f;
    frames_mixed = 0;
    for (Stem &s : stems) {
        s.ended = !s.stream.seek(s.stream.handle, static_cast<long long>(std::max(from_ms, 0)) *
                                                      s.stream.rate / 1000);
        if (s.ended) std::fprintf(stderr, "fretfall: %s cannot seek: left out\n", s.path.c_str());
    }
    // Filters start from silence, so every rate group starts on the same output frame.
    for (RateGroup &group : groups)
        resampler_init(group.resampler, group.rate, device_rate);
    int freq = 0, channels = 0;
    Uint16 format = 0;
    if (stems.empty() || !audio_open || !Mix_QuerySpec(&freq, &format, &channels)) return;
    if (format != AUDIO_S16SYS || channels != 2) {
        std::fprintf(
            stderr,
            "fretfall: the audio device is not 16-bit stereo: the song's stems stay silent\n");
        return;
    }
    Mix_HaltMusic();
    // A song left from the pause screen may have left the music paused.
    Mix_ResumeMusic();
    Mix_HookMusic(stems_mix, nullptr);
    hooked = true;
}

void stems_stop() {
    unhook();
    for (Stem &s : stems)
        stem_stream_close(s.stream);
    stems.clear();
    groups.clear();
}

void stems_miss() { guitar_missed = true; }
void stems_hit() { guitar_missed = false; }

bool stems_guitar_ducked() { return guitar_missed.load(std::memory_order_relaxed); }

long long stems_frames_mixed() { return frames_mixed; }

int stems_length_ms() {
    long long ms = 0;
    for (const Stem &s : stems)
        if (s.stream.frames > 0) ms = std::max(ms, s.stream.frames * 1000 / s.stream.rate);
    return static_cast<int>(std::min<long long>(ms, 0x7fffffff));
}

void stems_mix(void *, Uint8 *stream, int len) {
    const int frames = len / 4;
    auto *out = reinterpret_cast<Sint16 *>(stream);
    if (stems.empty() || Mix_PausedMusic()) {
        std::memset(stream, 0, static_cast<size_t>(len));
        return;
    }
    const float volume = 32767.0f * static_cast<float>(Mix_VolumeMusic(-1)) / MIX_MAX_VOLUME;
    for (int done = 0; done < frames;) {
        const int n = std::min(frames - done, RESAMPLE_BLOCK);
        std::fill(mix.begin(), mix.begin() + 2 * n, 0.0f);
        for (RateGroup &group : groups) {
            resampler_run(group.resampler, group_out.data(), n, pull_group, &group);
            for (int i = 0; i < 2 * n; ++i)
                mix[static_cast<size_t>(i)] += group_out[static_cast<size_t>(i)];
        }
        for (int i = 0; i < 2 * n; ++i) {
            const float v = mix[static_cast<size_t>(i)] * volume;
            out[2 * done + i] = static_cast<Sint16>(std::lrint(std::clamp(v, -32768.0f, 32767.0f)));
        }
        done += n;
        frames_mixed += n;
    }
}
