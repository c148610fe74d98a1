// libFuzzer target: the song.ini reader on any bytes; every text it keeps is UTF-8
// without control characters and within its length, every number within its range.
#include "songs/songini.h"
#include "songs/songtext.h"

#include <cstdint>
#include <cstdlib>

namespace {

void check_text(const std::string &text) {
    if (text.size() > SONG_TEXT_MAX) std::abort();
    for (unsigned char c : text)
        if (c < 0x20 || c == 0x7F) std::abort();
    // Already UTF-8: taking it again changes nothing.
    if (text_as_utf8(text.data(), text.size()) != text) std::abort();
}

void check_number(long long value, long long low, long long high) {
    if (value != -1 && (value < low || value > high)) std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    SongMeta meta;
    parse_song_ini(reinterpret_cast<const char *>(data), size, meta);
    for (const std::string *text : {&meta.name, &meta.artist, &meta.album, &meta.genre, &meta.year,
                                    &meta.charter, &meta.loading_phrase, &meta.icon})
        check_text(*text);
    const long long hour = 3600LL * 1000;
    check_number(meta.song_length_ms, 0, 10 * hour);
    check_number(meta.preview_start_ms, 0, 10 * hour);
    check_number(meta.diff_guitar, 0, 6);
    if (meta.delay_ms < -hour || meta.delay_ms > hour) std::abort();
    return 0;
}
