// The stem writers: our own 16-bit WAV and AIFF files, libvorbisenc, libopusenc and LAME.
#include "stemgen/stemgen.h"

#include "soundtrack/vorbis_out.h"

#include <lame/lame.h>
#ifdef FRETFALL_OPUSENC
#include <opus/opusenc.h>
#endif

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>

namespace stemgen {

namespace {

int16_t pcm16(float v) {
    return static_cast<int16_t>(std::lrint(std::fmax(-1.0f, std::fmin(1.0f, v)) * 32767.0f));
}

void put(std::string &out, uint32_t v, int bytes, bool big_endian) {
    for (int i = 0; i < bytes; ++i)
        out += static_cast<char>(v >> (8 * (big_endian ? bytes - 1 - i : i)));
}

bool write_file(const std::string &path, const std::string &bytes, std::string &error) {
    std::FILE *f = std::fopen(path.c_str(), "wb");
    bool ok = f && std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    if (f && std::fclose(f) != 0) ok = false;
    if (!ok) error = "cannot write " + path;
    return ok;
}

bool write_wav(const std::string &path, const std::vector<float> &s, int rate, int channels,
               std::string &error) {
    const uint32_t data = static_cast<uint32_t>(s.size() * 2);
    std::string out = "RIFF";
    put(out, 36 + data, 4, false);
    out += "WAVEfmt ";
    put(out, 16, 4, false);
    put(out, 1, 2, false); // PCM
    put(out, static_cast<uint32_t>(channels), 2, false);
    put(out, static_cast<uint32_t>(rate), 4, false);
    put(out, static_cast<uint32_t>(rate * channels * 2), 4, false);
    put(out, static_cast<uint32_t>(channels * 2), 2, false);
    put(out, 16, 2, false);
    out += "data";
    put(out, data, 4, false);
    for (float v : s)
        put(out, static_cast<uint16_t>(pcm16(v)), 2, false);
    return write_file(path, out, error);
}

bool write_aiff(const std::string &path, const std::vector<float> &s, int rate, int channels,
                std::string &error) {
    const uint32_t data = static_cast<uint32_t>(s.size() * 2);
    std::string out = "FORM";
    put(out, 4 + 26 + 16 + data, 4, true);
    out += "AIFFCOMM";
    put(out, 18, 4, true);
    put(out, static_cast<uint32_t>(channels), 2, true);
    put(out, static_cast<uint32_t>(s.size() / static_cast<size_t>(channels)), 4, true);
    put(out, 16, 2, true);
    // The rate as an 80-bit extended float: exponent, then the mantissa with its top bit set.
    int exponent = 0;
    while ((static_cast<uint64_t>(rate) >> exponent) > 1)
        ++exponent;
    put(out, static_cast<uint32_t>(16383 + exponent), 2, true);
    const uint64_t mantissa = static_cast<uint64_t>(rate) << (63 - exponent);
    put(out, static_cast<uint32_t>(mantissa >> 32), 4, true);
    put(out, static_cast<uint32_t>(mantissa), 4, true);
    out += "SSND";
    put(out, 8 + data, 4, true);
    put(out, 0, 4, true);
    put(out, 0, 4, true);
    for (float v : s)
        put(out, static_cast<uint16_t>(pcm16(v)), 2, true);
    return write_file(path, out, error);
}

bool write_opus(const std::string &path, const std::vector<float> &s, int rate, int channels,
                std::string &error) {
#ifndef FRETFALL_OPUSENC
    (void)s, (void)rate, (void)channels;
    error = "this build has no Opus encoder for " + path;
    return false;
#else
    OggOpusComments *comments = ope_comments_create();
    int err = 0;
    OggOpusEnc *enc = comments
                          ? ope_encoder_create_file(path.c_str(), comments, rate, channels, 0, &err)
                          : nullptr;
    bool ok =
        enc && ope_encoder_ctl(enc, OPE_SET_SERIALNO(1)) == OPE_OK &&
        ope_encoder_write_float(enc, s.data(), static_cast<int>(s.size()) / channels) == OPE_OK &&
        ope_encoder_drain(enc) == OPE_OK;
    if (enc) ope_encoder_destroy(enc);
    if (comments) ope_comments_destroy(comments);
    if (!ok) error = "the Opus encoder failed on " + path;
    return ok;
#endif
}

bool write_mp3(const std::string &path, const std::vector<float> &s, int rate, int channels,
               std::string &error) {
    lame_global_flags *gf = lame_init();
    lame_set_in_samplerate(gf, rate);
    lame_set_num_channels(gf, channels);
    lame_set_mode(gf, channels == 1 ? MONO : JOINT_STEREO);
    lame_set_brate(gf, 320);
    lame_set_quality(gf, 7);      // fast: the stems are for the decoder, not for listening
    lame_set_bWriteVbrTag(gf, 1); // the tag that tells decoders the encoder's delay and padding
    std::FILE *f = lame_init_params(gf) < 0 ? nullptr : std::fopen(path.c_str(), "w+b");
    bool ok = f != nullptr;
    const int frames = static_cast<int>(s.size()) / channels;
    std::vector<unsigned char> mp3(static_cast<size_t>(frames) * 5 / 4 + 7200 + 16384);
    std::vector<float> left(static_cast<size_t>(frames)), right(left.size());
    for (int i = 0; i < frames; ++i) {
        left[i] = s[static_cast<size_t>(i * channels)] * 32767.0f;
        right[i] = s[static_cast<size_t>(i * channels + channels - 1)] * 32767.0f;
    }
    if (ok) {
        const int n = lame_encode_buffer_float(gf, left.data(), right.data(), frames, mp3.data(),
                                               static_cast<int>(mp3.size()));
        const int m =
            n < 0 ? -1 : lame_encode_flush(gf, mp3.data() + n, static_cast<int>(mp3.size()) - n);
        ok = m >= 0 && std::fwrite(mp3.data(), 1, static_cast<size_t>(n + m), f) ==
                           static_cast<size_t>(n + m);
        if (ok) lame_mp3_tags_fid(gf, f);
    }
    if (f && std::fclose(f) != 0) ok = false;
    lame_close(gf);
    if (!ok) error = "the MP3 encoder failed on " + path;
    return ok;
}

bool ends_with(const std::string &s, const char *tail) {
    const std::string t(tail);
    return s.size() >= t.size() && s.compare(s.size() - t.size(), t.size(), t) == 0;
}

} // namespace

#ifdef FRETFALL_OPUSENC
const bool writes_opus = true;
#else
const bool writes_opus = false;
#endif

std::vector<float> tone(int rate, double seconds, double hz, float amplitude, int channels) {
    const size_t frames = static_cast<size_t>(seconds * rate);
    std::vector<float> s(frames * static_cast<size_t>(channels));
    const double step = 2.0 * 3.14159265358979323846 * hz / rate;
    for (size_t i = 0; i < frames; ++i)
        for (int c = 0; c < channels; ++c)
            s[i * static_cast<size_t>(channels) + static_cast<size_t>(c)] =
                amplitude * static_cast<float>(std::sin(step * static_cast<double>(i)));
    return s;
}

std::vector<float> band(int rate, double seconds, int seed) {
    const size_t frames = static_cast<size_t>(seconds * rate);
    std::vector<float> s(frames * 2);
    const double pi = 3.14159265358979323846;
    const double root = 82.41 * (1 + seed % 5);               // E2 and its multiples
    const double ratios[4] = {1.0, 1.26, 1.5, 2.0};           // a major chord and the octave
    const size_t beat = static_cast<size_t>(rate * 60 / 128); // 128 beats a minute
    uint32_t noise = 12345u + static_cast<uint32_t>(seed);
    // Four beats are synthesized and repeated: long stems are made quickly.
    const size_t loop = std::min(frames, 4 * beat);
    for (size_t i = 0; i < loop; ++i) {
        const double t = static_cast<double>(i) / rate;
        const double envelope =
            std::exp(-3.0 * static_cast<double>(i % beat) / static_cast<double>(beat));
        double left = 0, right = 0;
        for (int v = 0; v < 4; ++v) {
            const double f = root * ratios[v];
            const double voice = std::sin(2 * pi * f * t) + 0.5 * std::sin(4 * pi * f * t) +
                                 0.25 * std::sin(6 * pi * f * t);
            left += voice * (v % 2 ? 0.7 : 1.0);
            right += voice * (v % 2 ? 1.0 : 0.7);
        }
        noise = noise * 1664525u + 1013904223u;
        const double hiss = (static_cast<double>(noise >> 8) / 16777216.0 - 0.5) * 0.02;
        s[2 * i] = static_cast<float>(0.08 * envelope * left + hiss);
        s[2 * i + 1] = static_cast<float>(0.08 * envelope * right + hiss);
    }
    for (size_t i = loop; i < frames; ++i) {
        s[2 * i] = s[2 * (i - loop)];
        s[2 * i + 1] = s[2 * (i - loop) + 1];
    }
    return s;
}

bool write_stem(const std::string &path, const std::vector<float> &samples, int rate, int channels,
                std::string &error, float quality) {
    if (ends_with(path, ".wav")) return write_wav(path, samples, rate, channels, error);
    if (ends_with(path, ".aiff")) return write_aiff(path, samples, rate, channels, error);
    if (ends_with(path, ".opus")) return write_opus(path, samples, rate, channels, error);
    if (ends_with(path, ".mp3")) return write_mp3(path, samples, rate, channels, error);
    if (ends_with(path, ".ogg"))
        return soundtrack::write_ogg_vorbis(path, samples, rate, quality, 1, "stem", error,
                                            channels);
    error = "no stem format for " + path;
    return false;
}

} // namespace stemgen
