// Uncompressed audio files (WAV and AIFF): a bounded header reader and a streaming reader
// that turns their samples into stereo float frames.
#pragma once
#include <cstdio>
#include <string>
#include <vector>

// Bounds on what a header may declare; anything outside is refused, not clamped.
const int PCM_CHANNELS_MAX = 16;
const int PCM_RATE_MIN = 1000;
const int PCM_RATE_MAX = 384000;

struct PcmFile {
    std::FILE *file = nullptr;
    int rate = 0;                     // frames per second
    int channels = 0;                 // 1..PCM_CHANNELS_MAX
    int bytes = 0;                    // bytes of one sample: 1, 2, 3 or 4
    bool is_float = false;            // 32-bit IEEE float samples
    bool big_endian = false;          // AIFF's byte order
    bool unsigned8 = false;           // WAV's 8-bit samples are unsigned
    long long frames = 0;             // frames in the data, cut to what the file holds
    long long left = 0;               // frames not read yet
    long data = 0;                    // where the data starts in the file
    std::vector<unsigned char> block; // raw samples of one read
};

// Opens `path` and reads its header: RIFF/WAVE (PCM, IEEE float, extensible) or
// FORM/AIFF and AIFC (uncompressed, byte-swapped or 32-bit float). Returns false with a
// one-line reason when the file is none of these or declares something out of bounds.
bool pcm_file_open(const char *path, PcmFile &pcm, std::string &reason);
// Reads up to `count` frames into `out` (2 * count floats: left, right; a mono file fills
// both, a file of more channels gives its first two). Returns the frames read; 0 at the
// end of the data or of the file.
int pcm_file_read(PcmFile &pcm, float *out, int count);
// Moves to frame `frame` of the data (past the end: the end). Returns false when the file
// cannot seek.
bool pcm_file_seek(PcmFile &pcm, long long frame);
void pcm_file_close(PcmFile &pcm);
