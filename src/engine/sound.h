// Sound effects, the menu music and the one volume that applies to both.
#pragma once
#include <SDL_mixer.h>

// The eight effects, named by their file stems under audio/.
enum Effect {
    ERRO4,        // a miss is shown
    ESTRELA_MAIS, // the streak steps up the multiplier
    PTPOWER,      // a song is won
    PTRUIM,       // a song is failed
    BATIDA,       // a menu cursor or selection moves
    ACEITA,       // a menu entry is confirmed
    CANCELA,      // a screen is left with the back button
    EXPLOSAO,     // the countdown starts
    EFFECT_COUNT
};

extern Mix_Chunk *effects[EFFECT_COUNT];
// How often each effect was started since start-up: a record tests can read.
extern int effect_starts[EFFECT_COUNT];
extern Mix_Music *music_menu;
// Volume of music and every effect channel, in mixer units (0..128; menus keep 0..100).
extern int VOL;
// False when no audio device could be opened: the game then runs silent.
extern bool audio_open;

// What the mixer's output buffer (1024 samples at 22050 Hz, 46.4 ms) delays a sound
// started with the song clock: the built-in recordings are written this much earlier than
// they are heard, and a library song's note is heard this much after its audio time.
const int OUTPUT_LATENCY_MS = 46;

// Opens the audio device (22050 Hz, 16-bit, stereo, 1024-sample chunks) and sets VOL.
void open_audio();
// Loads the eight effects in the order ERRO4, ESTRELA_MAIS, PTPOWER, PTRUIM, BATIDA,
// ACEITA, CANCELA, EXPLOSAO. A missing file leaves that effect silent.
void load_effects();
// Plays an effect once on the first free channel.
void play_effect(Effect e);
// Loads the music file at `path`; null when audio is closed or the file is missing, and
// null with a line on stderr when the file is there but cannot be decoded.
Mix_Music *load_music(const char *path);
// Starts `music` (loaded from `path`) with the mixer's loop count.
void play_music(Mix_Music *music, const char *path, int loops);
// Starts the stems opened with stems_open in the music slot, as play_music starts music.
void play_stems(const char *name);
// Applies VOL to every channel and to the music.
void apply_volume();

// Menu music: loaded afresh and started at every menu cycle start, released when a
// song is chosen.
void start_menu_music();
void free_menu_music();
// Stops `music` if it plays, releases it and empties the handle; an empty one is left alone.
void free_music(Mix_Music *&music);
