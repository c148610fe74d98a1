// The decoders behind StemStream: libvorbisfile, libopusfile, libmpg123 and the WAV/AIFF reader.
#include "engine/stemdecode.h"

#include "engine/pcmfile.h"

#include <mpg123.h>
#include <opusfile.h>
#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

// Frames asked of a decoder at once when it fills a caller's block.
const int DECODE_FRAMES = 1024;
// Gaps in an Ogg stream passed over in one read before the data counts as broken.
const int HOLES_MAX = 64;

// A decoder's length in frames, -1 for the negative codes of a stream that does not say.
long long length(long long frames) { return frames >= 0 ? frames : -1; }
// A seek target no further than a known length.
long long within(long long frame, long long total) {
    return total >= 0 && frame > total ? total : frame;
}

// ---- Ogg Vorbis

int vorbis_read(void *handle, float *out, int count) {
    auto *vf = static_cast<OggVorbis_File *>(handle);
    const vorbis_info *info = ov_info(vf, -1);
    const bool mono = info && info->channels == 1;
    int done = 0, holes = 0;
    while (done < count) {
        float **pcm = nullptr;
        int section = 0;
        const long got = ov_read_float(vf, &pcm, count - done, &section);
        // A gap in the stream: the decoder carries on after it.
        if (got == OV_HOLE && ++holes < HOLES_MAX) continue;
        if (got < 0) return done > 0 ? done : -1;
        if (got == 0) break;
        for (long i = 0; i < got; ++i, ++done) {
            out[2 * done] = pcm[0][i];
            out[2 * done + 1] = pcm[mono ? 0 : 1][i];
        }
    }
    return done;
}

bool vorbis_seek(void *handle, long long frame) {
    auto *vf = static_cast<OggVorbis_File *>(handle);
    return ov_pcm_seek(vf, within(frame, ov_pcm_total(vf, -1))) == 0;
}

void vorbis_close(void *handle) {
    auto *vf = static_cast<OggVorbis_File *>(handle);
    ov_clear(vf);
    delete vf;
}

bool open_vorbis(const char *path, StemStream &s, std::string &reason) {
    auto *vf = new OggVorbis_File;
    if (ov_fopen(path, vf) != 0) {
        delete vf;
        reason = "broken Ogg Vorbis data";
        return false;
    }
    const vorbis_info *info = ov_info(vf, -1);
    const int rate = info ? static_cast<int>(info->rate) : 0;
    s = {vf, rate, length(ov_pcm_total(vf, -1)), vorbis_read, vorbis_seek, vorbis_close};
    return true;
}

// ---- Opus: always 48 kHz; opusfile mixes any channel layout down to stereo itself.

int opus_read(void *handle, float *out, int count) {
    auto *of = static_cast<OggOpusFile *>(handle);
    int done = 0, holes = 0;
    while (done < count) {
        const int got = op_read_float_stereo(of, out + 2 * done, 2 * (count - done));
        if (got == OP_HOLE && ++holes < HOLES_MAX) continue;
        if (got < 0) return done > 0 ? done : -1;
        if (got == 0) break;
        done += got;
    }
    return done;
}

bool opus_seek(void *handle, long long frame) {
    auto *of = static_cast<OggOpusFile *>(handle);
    return op_pcm_seek(of, within(frame, op_pcm_total(of, -1))) == 0;
}

void opus_close(void *handle) { op_free(static_cast<OggOpusFile *>(handle)); }

bool open_opus(const char *path, StemStream &s, std::string &reason) {
    int error = 0;
    OggOpusFile *of = op_open_file(path, &error);
    if (!of) {
        reason = "broken Opus data";
        return false;
    }
    s = {of, 48000, length(op_pcm_total(of, -1)), opus_read, opus_seek, opus_close};
    return true;
}

// ---- MP3: 16-bit output, which every build of libmpg123 gives.

struct Mp3 {
    mpg123_handle *mh = nullptr;
    int channels = 2;
    std::vector<short> block = std::vector<short>(2 * DECODE_FRAMES);
};

int mp3_read(void *handle, float *out, int count) {
    auto *mp3 = static_cast<Mp3 *>(handle);
    int done = 0;
    while (done < count) {
        const int want = std::min(count - done, DECODE_FRAMES);
        size_t bytes = 0;
        const int err =
            mpg123_read(mp3->mh, reinterpret_cast<unsigned char *>(mp3->block.data()),
                        static_cast<size_t>(want * mp3->channels) * sizeof(short), &bytes);
        const int got = static_cast<int>(bytes / (sizeof(short) * mp3->channels));
        for (int i = 0; i < got; ++i, ++done) {
            const short *frame = mp3->block.data() + i * mp3->channels;
            out[2 * done] = frame[0] * (1.0f / 32768.0f);
            out[2 * done + 1] = frame[mp3->channels - 1] * (1.0f / 32768.0f);
        }
        if (err == MPG123_DONE) break;
        if (err == MPG123_NEW_FORMAT) {
            long rate = 0;
            int encoding = 0;
            mpg123_getformat(mp3->mh, &rate, &mp3->channels, &encoding);
            continue;
        }
        if (err != MPG123_OK) return done > 0 ? done : -1;
        if (got == 0) break;
    }
    return done;
}

bool mp3_seek(void *handle, long long frame) {
    return mpg123_seek(static_cast<Mp3 *>(handle)->mh, static_cast<off_t>(frame), SEEK_SET) >= 0;
}

void mp3_close(void *handle) {
    auto *mp3 = static_cast<Mp3 *>(handle);
    if (mp3->mh) {
        mpg123_close(mp3->mh);
        mpg123_delete(mp3->mh);
    }
    delete mp3;
}

bool open_mp3(const char *path, StemStream &s, std::string &reason) {
    static const bool library = mpg123_init() == MPG123_OK; // needed before 1.27, harmless after
    reason = "not an audio file this game plays";
    if (!library) return false;
    auto *mp3 = new Mp3;
    mp3->mh = mpg123_new(nullptr, nullptr);
    if (!mp3->mh) {
        delete mp3;
        return false;
    }
    mpg123_param(mp3->mh, MPG123_ADD_FLAGS, MPG123_QUIET | MPG123_GAPLESS, 0);
    // Any rate and channel count, always 16-bit samples.
    mpg123_format_none(mp3->mh);
    const long *rates = nullptr;
    size_t rate_count = 0;
    mpg123_rates(&rates, &rate_count);
    for (size_t i = 0; i < rate_count; ++i)
        mpg123_format(mp3->mh, rates[i], MPG123_MONO | MPG123_STEREO, MPG123_ENC_SIGNED_16);
    long rate = 0;
    int encoding = 0;
    if (mpg123_open(mp3->mh, path) != MPG123_OK ||
        mpg123_getformat(mp3->mh, &rate, &mp3->channels, &encoding) != MPG123_OK ||
        encoding != MPG123_ENC_SIGNED_16 || mp3->channels < 1 || mp3->channels > 2) {
        mp3_close(mp3);
        return false;
    }
    const long long frames = length(mpg123_length(mp3->mh));
    s = {mp3, static_cast<int>(rate), frames, mp3_read, mp3_seek, mp3_close};
    return true;
}

// ---- WAV and AIFF

int pcm_read(void *handle, float *out, int count) {
    return pcm_file_read(*static_cast<PcmFile *>(handle), out, count);
}

bool pcm_seek(void *handle, long long frame) {
    return pcm_file_seek(*static_cast<PcmFile *>(handle), frame);
}

void pcm_close(void *handle) {
    auto *pcm = static_cast<PcmFile *>(handle);
    pcm_file_close(*pcm);
    delete pcm;
}

bool open_pcm(const char *path, StemStream &s, std::string &reason) {
    auto *pcm = new PcmFile;
    if (!pcm_file_open(path, *pcm, reason)) {
        delete pcm;
        return false;
    }
    s = {pcm, pcm->rate, pcm->frames, pcm_read, pcm_seek, pcm_close};
    return true;
}

} // namespace

bool stem_stream_open(const char *path, StemStream &stream, std::string &reason) {
    stream = StemStream();
    std::FILE *f = std::fopen(path, "rb");
    if (!f) {
        reason = "cannot open the file";
        return false;
    }
    // The first Ogg page holds the codec's identification header.
    unsigned char head[64] = {};
    const size_t got = std::fread(head, 1, sizeof head, f);
    std::fclose(f);
    bool ok;
    if (got >= 4 && std::memcmp(head, "OggS", 4) == 0) {
        const bool opus = memmem(head, got, "OpusHead", 8) != nullptr;
        ok = opus ? open_opus(path, stream, reason) : open_vorbis(path, stream, reason);
    } else if (got >= 4 &&
               (std::memcmp(head, "RIFF", 4) == 0 || std::memcmp(head, "FORM", 4) == 0)) {
        ok = open_pcm(path, stream, reason);
    } else {
        ok = open_mp3(path, stream, reason);
    }
    if (!ok) return false;
    if (stream.rate < PCM_RATE_MIN || stream.rate > PCM_RATE_MAX) {
        reason = "unsupported sample rate";
        ok = false;
    } else {
        // A file whose headers read well may still hold no sound that decodes.
        std::vector<float> probe(2 * DECODE_FRAMES);
        const int got = stream.read(stream.handle, probe.data(), DECODE_FRAMES);
        ok = got > 0 && stream.seek(stream.handle, 0);
        if (got <= 0)
            reason = got < 0 ? "its sound cannot be decoded" : "it holds no sound";
        else if (!ok)
            reason = "it cannot be played from its start";
    }
    if (!ok) stem_stream_close(stream);
    return ok;
}

void stem_stream_close(StemStream &stream) {
    if (stream.close && stream.handle) stream.close(stream.handle);
    stream = StemStream();
}
