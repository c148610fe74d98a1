// The six songs and what each index stands for.
#include "songs/catalogue.h"

#include "engine/assets.h"
#include "game/notes.h"

int count_song;

namespace {

const SongEntry songs[SONG_COUNT + 1] = {
    {"PARANOID", "Album: Paranoid(1970)", "Band: Black Sabbath", &capa1, &Paranoid,
     "song/Paranoid.ogg", paranoid, &chart_paranoid, 170000, "data/DATA0.dat"},
    {"HIGHWAY TO HELL", "Album: Highway To Hell (1979)", "Band: AC/DC", &capa5, &HighwayToHell,
     "song/HighwayToHell.ogg", highwaytohell, &chart_highwaytohell, 211000, "data/DATA1.dat"},
    {"ACE OF SPADES", "Album: Ace Of Spades (1980)", "Band: Motorhead", &capa4, &AceOfSpads,
     "song/AceOfSpads.ogg", aceofspades, &chart_aceofspades, 188000, "data/DATA2.dat"},
    {"RUN TO THE HILLS", "Album: The Number Of the Beast (1982)", "Band: Iron Maiden", &capa2,
     &RunToTheHills, "song/RunToTheHills.ogg", runtothehills, &chart_runtothehills, 238000,
     "data/DATA3.dat"},
    {"FOR WHOM THE BELLS TOOLS", "Album: Ride the Lightning (1984)", "Band: Metallica", &capa6,
     &ForWhomTheBellsTools, "song/ForWhomTheBellsTools.ogg", forwhomthebellstolls,
     &chart_forwhomthebellstolls, 309000, "data/DATA4.dat"},
    // The tutorial has no selection page; its highscores go to DATA6.
    {"", "", "", nullptr, &Tutorial, "song/tutorial/Tutorial.ogg", tutorial, &chart_tutorial,
     146000, "data/DATA6.dat"},
};

} // namespace

const SongEntry *song_entry(int song) {
    if (song >= 0 && song < SONG_COUNT) return &songs[song];
    if (song == TUTORIAL_SONG) return &songs[SONG_COUNT];
    return nullptr;
}
