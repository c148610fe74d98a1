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

bool read_exact(std::FILE *f, unsigned char *buf, size_t n) {
    return std::fread(buf, 1, n, f) == n;
}

// AIFF gives its rate as an 80-bit extended float: sign and 15-bit exponent, 64-bit mantissa.
double extended80(const unsigned char *p) {
    int exponent = ((p[0] & 0x7f) << 8) | p[1];
    uint64_t mantissa = 0;
    for (int i = 2; i < 10; ++i)
        mantissa = (mantissa << 8) | p[i];
    if (exponent == 0 || exponent == 0x7fff || (p[0] & 0x80)) return 0;
    return std::ldexp(static_cast<double>(mantissa), exponent - 16383 - 63);
}

// A chunk of a RIFF or IFF file: four-letter name, body size, where the body starts.
struct Chunk {
    unsigned char id[4];
    uint32_t size;
    long body;
};

// Reads the header of the chunk at the file's position; false at the end of the file.
bool next_chunk(std::FILE *f, bool big_endian, Chunk &c) {
    unsigned char head[8];
    if (!read_exact(f, head, 8)) return false;
    std::memcpy(c.id, head, 4);
    c.size = big_endian ? be32(head + 4) : le32(head + 4);
    c.body = std::ftell(f);
    return c.body >= 0;
}

bool is_chunk(const Chunk &c, const char *id) { return std::memcmp(c.id, id, 4) == 0; }

// Reads the first bytes of a chunk's body into `buf` (`max` bytes, zero past the body);
// false when the body is shorter than `min`.
bool read_body(std::FILE *f, const Chunk &c, unsigned char *buf, uint32_t min, uint32_t max) {
    return c.size >= min && read_exact(f, buf, c.size < max ? c.size : max);
}

// Moves past a chunk's body, padded to an even size; false when the chunk is said to run
// past the end of the file.
bool skip_chunk(std::FILE *f, const Chunk &c, long file_size) {
    return c.size <= static_cast<unsigned long>(file_size - c.body) &&
           std::fseek(f, c.body + static_cast<long>(c.size) + (c.size & 1), SEEK_SET) == 0;
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
    Chunk c;
    for (int n = 0; n < CHUNKS_MAX && next_chunk(pcm.file, false, c); ++n) {
        if (is_chunk(c, "fmt ")) {
            unsigned char fmt[40] = {};
            if (!read_body(pcm.file, c, fmt, 16, 40)) {
                reason = "broken WAV format chunk";
                return false;
            }
            unsigned tag = le16(fmt);
            // The extensible format names the real one in the first two bytes of its GUID.
            if (tag == 0xfffe && c.size >= 40) tag = le16(fmt + 24);
            if (tag != 1 && tag != 3) {
                reason = "compressed WAV data";
                return false;
            }
            pcm.is_float = tag == 3;
            pcm.channels = static_cast<int>(le16(fmt + 2));
            pcm.rate = static_cast<int>(le32(fmt + 4) > PCM_RATE_MAX ? 0 : le32(fmt + 4));
            if (!check_format(pcm, static_cast<int>(le16(fmt + 14)), reason)) return false;
            pcm.unsigned8 = pcm.bytes == 1;
            have_format = true;
        } else if (is_chunk(c, "data")) {
            if (!have_format) break;
            // Streams written live often leave the size unset: the file's end decides.
            pcm.frames =
                std::min<long long>(c.size, file_size - c.body) / (pcm.bytes * pcm.channels);
            return true;
        }
        if (!skip_chunk(pcm.file, c, file_size)) break;
    }
    reason = have_format ? "no WAV sample data" : "no WAV format chunk";
    return false;
}

// The IFF chunks after "FORM" size "AIFF"/"AIFC": "COMM" before "SSND", big-endian sizes.
bool read_aiff(PcmFile &pcm, bool aifc, long file_size, std::string &reason) {
    bool have_format = false;
    Chunk c;
    for (int n = 0; n < CHUNKS_MAX && next_chunk(pcm.file, true, c); ++n) {
        if (is_chunk(c, "COMM")) {
            unsigned char comm[22] = {};
            if (!read_body(pcm.file, c, comm, aifc ? 22 : 18, 22)) {
                reason = "broken AIFF format chunk";
                return false;
            }
            pcm.channels = static_cast<int>(be16(comm));
            const double rate = extended80(comm + 8);
            pcm.rate =
                rate >= PCM_RATE_MIN && rate <= PCM_RATE_MAX ? static_cast<int>(rate + 0.5) : 0;
            pcm.big_endian = true;
            if (aifc) {
                if (std::memcmp(comm + 18, "sowt", 4) == 0) {
                    pcm.big_endian = false;
                } else if (std::memcmp(comm + 18, "fl32", 4) == 0 ||
                           std::memcmp(comm + 18, "FL32", 4) == 0) {
                    pcm.is_float = true;
                } else if (std::memcmp(comm + 18, "NONE", 4) != 0) {
                    reason = "compressed AIFF data";
                    return false;
                }
            }
            if (!check_format(pcm, static_cast<int>(be16(comm + 6)), reason)) return false;
            have_format = true;
        } else if (is_chunk(c, "SSND")) {
            unsigned char offset[8];
            if (!have_format || !read_body(pcm.file, c, offset, 8, 8)) break;
            const uint32_t skip = be32(offset);
            if (skip > c.size - 8 || std::fseek(pcm.file, static_cast<long>(skip), SEEK_CUR) != 0)
                break;
            const long long bytes = std::max<long long>(
                0, std::min<long long>(c.size - 8 - skip, file_size - std::ftell(pcm.file)));
            pcm.frames = bytes / (pcm.bytes * pcm.channels);
            return true;
        }
        if (!skip_chunk(pcm.file, c, file_size)) break;
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
    pcm.data = std::ftell(pcm.file);
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
        const size_t got =
            std::fread(raw, static_cast<size_t>(frame_bytes), static_cast<size_t>(want), pcm.file);
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

bool pcm_file_seek(PcmFile &pcm, long long frame) {
    if (!pcm.file || frame < 0) return false;
    frame = std::min(frame, pcm.frames);
    if (std::fseek(pcm.file, pcm.data + static_cast<long>(frame * pcm.bytes * pcm.channels),
                   SEEK_SET) != 0)
        return false;
    pcm.left = pcm.frames - frame;
    return true;
}

void pcm_file_close(PcmFile &pcm) {
    if (pcm.file) std::fclose(pcm.file);
    pcm.file = nullptr;
    pcm.left = 0;
}
