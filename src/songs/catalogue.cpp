// The song catalogue: the built-in songs' rows and the lookups every screen makes by index.
#include "songs/catalogue.h"

#include "engine/assets.h"
#include "engine/sound.h"

#include <deque>

int count_song;

Mix_Music *Tutorial, *Paranoid, *RunToTheHills, *AceOfSpads, *HighwayToHell, *ForWhomTheBellsTools;

namespace {

// What the game adds to a built-in song's facts (songs/builtin_songs.h).
struct BuiltinPage {
    int index;
    const char *title;
    const char *album;
    const char *band;
    SDL_Surface **cover;
    Mix_Music **music;
    const char *page_title; // page 3 is named after the album of song 3, not the song
};

const BuiltinPage builtin_pages[] = {
    {0, "PARANOID", "Album: Paranoid(1970)", "Band: Black Sabbath", &capa1, &Paranoid,
     "<             PARANOID              >"},
    {1, "HIGHWAY TO HELL", "Album: Highway To Hell (1979)", "Band: AC/DC", &capa5, &HighwayToHell,
     "<          HIGHWAY TO HELL          >"},
    {2, "ACE OF SPADES", "Album: Ace Of Spades (1980)", "Band: Motorhead", &capa4, &AceOfSpads,
     "<        ACE OF SPADES        >"},
    {3, "RUN TO THE HILLS", "Album: The Number Of the Beast (1982)", "Band: Iron Maiden", &capa2,
     &RunToTheHills, "<        THE NUMBER OF THE BEAST        >"},
    {4, "FOR WHOM THE BELLS TOOLS", "Album: Ride the Lightning (1984)", "Band: Metallica", &capa6,
     &ForWhomTheBellsTools, "<        FOR WHOM THE BELLS TOOLS        >"},
    {TUTORIAL_SONG, "", "", "", nullptr, &Tutorial, "<        TUTORIAL        >"},
};

// An entry that brings no music handle gets the one in its entry.
void append(std::deque<SongEntry> &table, const SongEntry &entry) {
    table.push_back(entry);
    SongEntry &added = table.back();
    if (!added.music) added.music = &added.recording;
}

// A deque: appending leaves the entries handed out where they are.
std::deque<SongEntry> &songs() {
    static std::deque<SongEntry> table = [] {
        std::deque<SongEntry> built;
        for (const BuiltinPage &p : builtin_pages) {
            const BuiltinSong *facts = builtin_song(p.index);
            if (!facts) continue;
            append(built, {p.index, p.title, p.album, p.band, p.cover, p.music, facts->music_path,
                           builtin_chart(p.index), facts->end_ms, facts->highscore_file,
                           p.page_title, facts->tutorial});
        }
        return built;
    }();
    return table;
}

// The song played from outside the list (a library song), once there is one.
SongEntry unlisted{};
bool has_unlisted = false;

} // namespace

int song_count() { return static_cast<int>(songs().size()); }

const SongEntry *song_at(int i) { return i >= 0 && i < song_count() ? &songs()[i] : nullptr; }

const SongEntry *song_entry(int song) {
    for (const SongEntry &entry : songs())
        if (entry.index == song) return &entry;
    return has_unlisted && unlisted.index == song ? &unlisted : nullptr;
}

const Chart *chart_for_song(int song) {
    const SongEntry *entry = song_entry(song);
    return entry ? entry->chart : nullptr;
}

int tutorial_song() {
    for (const SongEntry &entry : songs())
        if (entry.tutorial) return entry.index;
    return -1;
}

bool add_song(const SongEntry &entry) {
    if (song_entry(entry.index) || !entry.highscore_file) return false;
    append(songs(), entry);
    return true;
}

bool set_unlisted_song(const SongEntry &entry) {
    for (const SongEntry &listed : songs())
        if (listed.index == entry.index) return false;
    if (!entry.highscore_file) return false;
    unlisted = entry;
    unlisted.recording = nullptr;
    if (!unlisted.music) unlisted.music = &unlisted.recording;
    has_unlisted = true;
    return true;
}

void load_song_music() {
    for (const SongEntry &entry : songs())
        if (entry.music) *entry.music = load_music(entry.music_path);
}

int print_chart(int song, FILE *out) {
    const Chart *chart = chart_for_song(song);
    if (!chart) return 2;
    for (int i = 0; i < chart->count; i++) {
        const ChartNote &n = chart->notes[i];
        std::fprintf(out, "%d,%d,%d\n", n.lane, n.spawn, n.slot);
    }
    return 0;
}
