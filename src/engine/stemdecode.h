// One audio file of a song (Ogg Vorbis, Opus, MP3, WAV or AIFF) opened by its content and
// decoded a block at a time into stereo float frames.
#pragma once
#include <string>

struct StemStream {
    void *handle = nullptr; // the decoder's own state
    int rate = 0;           // frames per second of the decoded audio
    long long frames = -1;  // length in frames at `rate`; -1 when the file does not say
    // Decodes up to `count` frames into `out` (left, right interleaved). Returns the frames
    // decoded, 0 at the end, -1 when the data cannot be decoded.
    int (*read)(void *handle, float *out, int count) = nullptr;
    // Moves to frame `frame` (past the end: the end). Returns false when the file cannot seek.
    bool (*seek)(void *handle, long long frame) = nullptr;
    void (*close)(void *handle) = nullptr;
};

// Opens `path`, choosing the decoder by the file's first bytes, not its name, and decodes
// its first block to be sure it plays. Returns false with a short reason ("not an audio
// file this game plays", "broken Ogg Vorbis data", "it holds no sound", ...).
bool stem_stream_open(const char *path, StemStream &stream, std::string &reason);
void stem_stream_close(StemStream &stream);
