// libFuzzer target: a song folder whose notes.chart holds any bytes.
#include "fuzz_file.h"
#include "fuzz_song.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    fuzz_input_file("notes.chart", data, size);
    SongFolder song;
    check_song_folder(read_song_folder(fuzz_scratch_path("."), song), song);
    return 0;
}
