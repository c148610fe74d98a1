// WAV and AIFF headers read chunk by chunk with bounded reads, samples read a block at a time.
#include "engine/pcmfile.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace {

// Chunks looked at before the sample data must have been found.
const int CHUNKS_MAX = 256;
// Frames of raw samples read at once.
const int BLOCK_FRAMES = 1024;

uint32_t le32(const unsigned char *p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
}
uint32_t be32(const unsigned char *p) {
    return (static_cast<uint32_t>(p[0]) << 24) | (p[1] << 16) | (p[2] << 8) | p[3];
}
unsigned le16(const unsigned char *p) { return p[0] | (p[1] << 8); }
unsigned be16(const unsigned char *p) { return (p[0] << 8) | p[1]; }

bool read_exact(std::FILE *f, unsigned char *buf, size_t n) { return std::fread(buf, 1, n, f) == n; }

// AIFF gives its rate as an 80-bit extended float: sign and 15-bit exponent, 64-bit mantissa.
double extended80(const unsigned char *p) {
    int exponent = ((p[0] & 0x7f) << 8) | p[1];
    uint64_t mantissa = 0;
    for (int i = 2; i < 10; ++i) mantissa = (mantissa << 8) | p[i];
    if (exponent == 0 || exponent == 0x7fff || (p[0] & 0x80)) return 0;
    return std::ldexp(static_cast<double>(mantissa), exponent - 16383 - 63);
}

bool check_format(PcmFile &pcm, int bits, std::string &reason) {
    if (pcm.channels < 1 || pcm.channels > PCM_CHANNELS_MAX) {
        reason = "unsupported channel count";
        return false;
    }
    if (pcm.rate < PCM_RATE_MIN || pcm.rate > PCM_RATE_MAX) {
        reason = "unsupported sample rate";
        return false;
    }
    if (pcm.is_float ? bits != 32 : (bits < 1 || bits > 32)) {
        reason = "unsupported sample size";
        return false;
    }
    pcm.bytes = (bits + 7) / 8;
    return true;
}

// The RIFF chunks after "RIFF" size "WAVE": "fmt " before "data"; chunks are padded to even sizes.
bool read_wav(PcmFile &pcm, long file_size, std::string &reason) {
    bool have_format = false;
    int bits = 0;
    for (int n = 0; n < CHUNKS_MAX; ++n) {
        unsigned char head[8];
        if (!read_exact(pcm.file, head, 8)) break;
        const uint32_t size = le32(head + 4);
        const long body = std::ftell(pcm.file);
        if (std::memcmp(head, "fmt ", 4) == 0) {
            unsigned char fmt[40] = {};
            if (size < 16 || !read_exact(pcm.file, fmt, size < 40 ? size : 40)) {
                reason = "broken WAV format chunk";
                return false;
            }
            unsigned tag = le16(fmt);
            // The extensible format names the real one in the first two bytes of its GUID.
            if (tag == 0xfffe && size >= 40) tag = le16(fmt + 24);
            if (tag != 1 && tag != 3) {
                reason = "compressed WAV data";
                return false;
            }
            pcm.is_float = tag == 3;
            pcm.channels = static_cast<int>(le16(fmt + 2));
            pcm.rate = static_cast<int>(le32(fmt + 4) > PCM_RATE_MAX ? 0 : le32(fmt + 4));
            bits = static_cast<int>(le16(fmt + 14));
            if (!check_format(pcm, bits, reason)) return false;
            pcm.unsigned8 = pcm.bytes == 1;
            have_format = true;
        } else if (std::memcmp(head, "data", 4) == 0) {
            if (!have_format) break;
            // Streams written live often leave the size unset: the file's end decides.
            pcm.frames = std::min<long long>(size, file_size - body) / (pcm.bytes * pcm.channels);
            return true;
        }
        // A chunk said to run past the end of the file ends the walk.
        if (size > static_cast<unsigned long>(file_size - body) ||
            std::fseek(pcm.file, body + static_cast<long>(size) + (size & 1), SEEK_SET) != 0)
            break;
    }
    reason = have_format ? "no WAV sample data" : "no WAV format chunk";
    return false;
}

// The IFF chunks after "FORM" size "AIFF"/"AIFC": "COMM" before "SSND", big-endian sizes.
bool read_aiff(PcmFile &pcm, bool aifc, long file_size, std::string &reason) {
    bool have_format = false;
    for (int n = 0; n < CHUNKS_MAX; ++n) {
        unsigned char head[8];
        if (!read_exact(pcm.file, head, 8)) break;
        const uint32_t size = be32(head + 4);
        const long body = std::ftell(pcm.file);
        if (std::memcmp(head, "COMM", 4) == 0) {
            unsigned char comm[22] = {};
            if (size < 18 || !read_exact(pcm.file, comm, size < 22 ? size : 22)) {
                reason = "broken AIFF format chunk";
                return false;
            }
            pcm.channels = static_cast<int>(be16(comm));
            const int bits = static_cast<int>(be16(comm + 6));
            const double rate = extended80(comm + 8);
            pcm.rate = rate >= PCM_RATE_MIN && rate <= PCM_RATE_MAX ? static_cast<int>(rate + 0.5) : 0;
            pcm.big_endian = true;
            if (aifc) {
                if (size < 22) {
                    reason = "broken AIFF format chunk";
                    return false;
                }
                if (std::memcmp(comm + 18, "sowt", 4) == 0) {
                    pcm.big_endian = false;
                } else if (std::memcmp(comm + 18, "fl32", 4) == 0 || std::memcmp(comm + 18, "FL32", 4) == 0) {
                    pcm.is_float = true;
                } else if (std::memcmp(comm + 18, "NONE", 4) != 0) {
                    reason = "compressed AIFF data";
                    return false;
                }
            }
            if (!check_format(pcm, bits, reason)) return false;
            have_format = true;
        } else if (std::memcmp(head, "SSND", 4) == 0) {
            unsigned char offset[8];
            if (!have_format || size < 8 || !read_exact(pcm.file, offset, 8)) break;
            const uint32_t skip = be32(offset);
            if (skip > size - 8 || std::fseek(pcm.file, static_cast<long>(skip), SEEK_CUR) != 0) break;
            const long long bytes = std::max<long long>(
                0, std::min<long long>(size - 8 - skip, file_size - std::ftell(pcm.file)));
            pcm.frames = bytes / (pcm.bytes * pcm.channels);
            return true;
        }
        // A chunk said to run past the end of the file ends the walk.
        if (size > static_cast<unsigned long>(file_size - body) ||
            std::fseek(pcm.file, body + static_cast<long>(size) + (size & 1), SEEK_SET) != 0)
            break;
    }
    reason = have_format ? "no AIFF sample data" : "no AIFF format chunk";
    return false;
}

// One sample at `p` as a float in [-1, 1).
float sample_at(const PcmFile &pcm, const unsigned char *p) {
    uint32_t v = 0;
    for (int i = 0; i < pcm.bytes; ++i)
        v |= static_cast<uint32_t>(p[pcm.big_endian ? pcm.bytes - 1 - i : i]) << (8 * i);
    if (pcm.is_float) {
        float f;
        std::memcpy(&f, &v, sizeof f);
        // Past full scale would clip at the output anyway; clipping here keeps sums finite.
        return std::isfinite(f) ? std::clamp(f, -1.0f, 1.0f) : 0.0f;
    }
    if (pcm.unsigned8) return (static_cast<int>(v) - 128) / 128.0f;
    // Left-aligned in 32 bits, the sign lands where int32_t has it.
    const int32_t s = static_cast<int32_t>(v << (32 - 8 * pcm.bytes));
    return static_cast<float>(s) * (1.0f / 2147483648.0f);
}

} // namespace

bool pcm_file_open(const char *path, PcmFile &pcm, std::string &reason) {
    pcm = PcmFile();
    pcm.file = std::fopen(path, "rb");
    if (!pcm.file) {
        reason = "cannot open the file";
        return false;
    }
    long file_size = -1;
    if (std::fseek(pcm.file, 0, SEEK_END) == 0) file_size = std::ftell(pcm.file);
    std::rewind(pcm.file);
    unsigned char head[12];
    bool ok = false;
    if (file_size < 12 || !read_exact(pcm.file, head, 12)) {
        reason = "not a WAV or AIFF file";
    } else if (std::memcmp(head, "RIFF", 4) == 0 && std::memcmp(head + 8, "WAVE", 4) == 0) {
        ok = read_wav(pcm, file_size, reason);
    } else if (std::memcmp(head, "FORM", 4) == 0 &&
               (std::memcmp(head + 8, "AIFF", 4) == 0 || std::memcmp(head + 8, "AIFC", 4) == 0)) {
        ok = read_aiff(pcm, head[11] == 'C', file_size, reason);
    } else {
        reason = "not a WAV or AIFF file";
    }
    if (!ok) {
        pcm_file_close(pcm);
        return false;
    }
    pcm.left = pcm.frames;
    pcm.block.resize(static_cast<size_t>(BLOCK_FRAMES * pcm.bytes * pcm.channels));
    return true;
}

int pcm_file_read(PcmFile &pcm, float *out, int count) {
    if (!pcm.file || count <= 0) return 0;
    unsigned char *raw = pcm.block.data();
    const int frame_bytes = pcm.bytes * pcm.channels;
    const int step = pcm.channels > 1 ? pcm.bytes : 0; // the right channel's offset
    int done = 0;
    while (done < count && pcm.left > 0) {
        long long want = std::min<long long>(count - done, pcm.left);
        want = std::min<long long>(want, BLOCK_FRAMES);
        const size_t got = std::fread(raw, static_cast<size_t>(frame_bytes), static_cast<size_t>(want), pcm.file);
        for (size_t i = 0; i < got; ++i) {
            const unsigned char *frame = raw + i * static_cast<size_t>(frame_bytes);
            out[2 * done] = sample_at(pcm, frame);
            out[2 * done + 1] = sample_at(pcm, frame + step);
            ++done;
        }
        pcm.left -= static_cast<long long>(got);
        if (got < static_cast<size_t>(want)) pcm.left = 0; // the file ended early
    }
    return done;
}

void pcm_file_close(PcmFile &pcm) {
    if (pcm.file) std::fclose(pcm.file);
    pcm.file = nullptr;
    pcm.left = 0;
}
