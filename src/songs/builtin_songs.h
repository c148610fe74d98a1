// The six built-in songs' fixed facts, one row each, read by the game's catalogue and by
// the generators that make their charts and recordings. Plain C++, no SDL.
#pragma once

// The tutorial's song index, reached from the play submenu rather than a selection page.
constexpr int TUTORIAL_SONG = 99;

// One row per built-in song, in catalogue order, passed to ROW as
//   ROW(index, name, music file, end ms, highscore file, is the tutorial)
// index: the song index (0..4 on the selection screen, TUTORIAL_SONG);
// name: the chart's name, which the chart composer writes as src/songs/chart_<name>.cpp
//   holding `const Chart chart_<name>`;
// music file: the recording, relative to the game directory;
// end ms: the song clock at which the song is won.
// clang-format off
#define BUILTIN_SONGS(ROW)                                                                        \
    ROW(0, paranoid, "song/Paranoid.ogg", 170000, "data/DATA0.dat", false)                       \
    ROW(1, highwaytohell, "song/HighwayToHell.ogg", 211000, "data/DATA1.dat", false)             \
    ROW(2, aceofspades, "song/AceOfSpads.ogg", 188000, "data/DATA2.dat", false)                  \
    ROW(3, runtothehills, "song/RunToTheHills.ogg", 238000, "data/DATA3.dat", false)             \
    ROW(4, forwhomthebellstolls, "song/ForWhomTheBellsTools.ogg", 309000, "data/DATA4.dat", false) \
    ROW(TUTORIAL_SONG, tutorial, "song/tutorial/Tutorial.ogg", 146000, "data/DATA6.dat", true)
// clang-format on

struct BuiltinSong {
    int index;
    const char *name;
    const char *music_path;
    int end_ms;
    const char *highscore_file;
    bool tutorial;
};

#define BUILTIN_SONG_FACTS(index, name, music, end_ms, highscore, tutorial)                        \
    {index, #name, music, end_ms, highscore, tutorial},
inline constexpr BuiltinSong builtin_songs[] = {BUILTIN_SONGS(BUILTIN_SONG_FACTS)};
#undef BUILTIN_SONG_FACTS

// The built-in song of song index `index`, or nullptr.
constexpr const BuiltinSong *builtin_song(int index) {
    for (const BuiltinSong &s : builtin_songs)
        if (s.index == index) return &s;
    return nullptr;
}
