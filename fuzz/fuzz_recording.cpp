// libFuzzer target: the recording reader on any bytes. A refused recording gives a
// one-line reason; a read one encodes again into bytes that read back the same.
#include "headless/recording.h"
#include "fuzz_file.h"
#include "songs/catalogue.h"

#include <cstdlib>
#include <iterator>

// The starting files are the catalogue's highscore files. The catalogue brings in every
// chart and SDL handle; this target knows the built-in songs' files alone.
int song_count() { return static_cast<int>(std::size(builtin_songs)); }

const SongEntry *song_at(int i) {
    static SongEntry entries[std::size(builtin_songs)];
    if (i < 0 || i >= song_count()) return nullptr;
    entries[i].index = builtin_songs[i].index;
    entries[i].highscore_file = builtin_songs[i].highscore_file;
    return &entries[i];
}

namespace {

bool same_records(const Record &a, const Record &b) {
    return a.kind == b.kind && a.value == b.value && a.type == b.type && a.key == b.key;
}

bool same_recordings(const Recording &a, const Recording &b) {
    if (a.files.size() != b.files.size()) return false;
    for (size_t i = 0; i < a.files.size(); ++i)
        if (a.files[i].exists != b.files[i].exists || a.files[i].size != b.files[i].size ||
            a.files[i].bytes != b.files[i].bytes)
            return false;
    if (a.records.size() != b.records.size()) return false;
    for (size_t i = 0; i < a.records.size(); ++i)
        if (!same_records(a.records[i], b.records[i])) return false;
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    Recording read;
    std::string error;
    if (!read_recording(fuzz_input_file("recording", data, size), read, error)) {
        if (error.empty() || error.find('\n') != std::string::npos) std::abort();
        return 0;
    }
    for (const Record &r : read.records)
        if (describe_record(r).empty()) std::abort();
    Recording again;
    if (!parse_recording(encode_recording(read), again, error) || !same_recordings(read, again))
        std::abort();
    return 0;
}
