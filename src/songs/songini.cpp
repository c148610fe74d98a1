// song.ini: the [song] section's keys, cleaned and checked.
#include "songs/songini.h"

#include "songs/songtext.h"

namespace {

const long long HOUR_MS = 3600LL * 1000;

// A number key: a whole number in [low, high]; -1 and anything unreadable leave `field`
// as it is.
void read_number(const std::string &value, long long low, long long high, long long &field) {
    long long n = 0;
    if (parse_whole(value, low, high, n) && n != -1) field = n;
}

} // namespace

void parse_song_ini(const char *data, size_t size, SongMeta &meta) {
    std::string text = text_as_utf8(data, size < SONG_INI_READ_LIMIT ? size : SONG_INI_READ_LIMIT);
    bool in_song = false;
    std::string frets;
    for (size_t pos = 0; pos < text.size();) {
        size_t end = text.find_first_of("\r\n", pos);
        if (end == std::string::npos) end = text.size();
        std::string line = trim(text.substr(pos, end - pos));
        pos = end + 1;
        if (line.empty() || line[0] == ';' || line[0] == '#') continue;
        if (line[0] == '[') {
            in_song = ascii_lower(line) == "[song]";
            continue;
        }
        size_t eq = line.find('=');
        if (!in_song || eq == std::string::npos) continue;
        std::string key = ascii_lower(trim(line.substr(0, eq)));
        std::string value = line.substr(eq + 1);
        if (key == "name")
            meta.name = clean_song_text(value);
        else if (key == "artist")
            meta.artist = clean_song_text(value);
        else if (key == "album")
            meta.album = clean_song_text(value);
        else if (key == "genre")
            meta.genre = clean_song_text(value);
        else if (key == "year")
            meta.year = clean_song_year(value);
        else if (key == "charter")
            meta.charter = clean_song_text(value);
        else if (key == "frets")
            frets = clean_song_text(value);
        else if (key == "loading_phrase")
            meta.loading_phrase = clean_song_text(value);
        else if (key == "icon")
            meta.icon = clean_song_text(value);
        else if (key == "song_length")
            read_number(value, 0, 10 * HOUR_MS, meta.song_length_ms);
        else if (key == "preview_start_time")
            read_number(value, 0, 10 * HOUR_MS, meta.preview_start_ms);
        else if (key == "delay")
            read_number(value, -HOUR_MS, HOUR_MS, meta.delay_ms);
        else if (key == "diff_guitar")
            read_number(value, 0, 6, meta.diff_guitar);
        else if (key == "sustain_cutoff_threshold")
            read_number(value, 0, 1LL << 31, meta.sustain_cutoff_ticks);
    }
    // Older folders name the charter `frets`; `charter` wins where both are given.
    if (meta.charter.empty()) meta.charter = frets;
}

void merge_song_meta(SongMeta &meta, const SongMeta &other) {
    for (auto field :
         {&SongMeta::name, &SongMeta::artist, &SongMeta::album, &SongMeta::genre, &SongMeta::year,
          &SongMeta::charter, &SongMeta::loading_phrase, &SongMeta::icon})
        if ((meta.*field).empty()) meta.*field = other.*field;
    for (auto field : {&SongMeta::song_length_ms, &SongMeta::preview_start_ms,
                       &SongMeta::diff_guitar, &SongMeta::sustain_cutoff_ticks})
        if (meta.*field == -1) meta.*field = other.*field;
}
