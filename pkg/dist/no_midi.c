/* The bundle's libfluidsynth.so.3: the MIDI synthesizer SDL_mixer links to, which the game
 * never uses (its music is Ogg Vorbis and MP3). The real one brings a dozen more with it
 * (JACK, GLib, Berkeley DB, readline, ...), a seventh of the bundle. These are the functions
 * SDL_mixer calls, each failing as the real one does when no synthesizer can be made, so
 * SDL_mixer reports MIDI music as unloadable and everything else works as before. */
#include <stddef.h>

#define FLUID_FAILED (-1)
#define FLUID_PLAYER_DONE 2

void *new_fluid_settings(void) { return NULL; }
int delete_fluid_settings(void *settings) {
    (void)settings;
    return 0;
}
int fluid_settings_setnum(void *settings, const char *name, double value) {
    (void)settings, (void)name, (void)value;
    return FLUID_FAILED;
}

void *new_fluid_synth(void *settings) {
    (void)settings;
    return NULL;
}
int delete_fluid_synth(void *synth) {
    (void)synth;
    return 0;
}
void *fluid_synth_get_settings(void *synth) {
    (void)synth;
    return NULL;
}
void fluid_synth_set_gain(void *synth, float gain) { (void)synth, (void)gain; }
int fluid_synth_sfload(void *synth, const char *file, int reset_presets) {
    (void)synth, (void)file, (void)reset_presets;
    return FLUID_FAILED;
}
int fluid_synth_write_s16(void *synth, int len, void *lout, int loff, int lincr, void *rout,
                          int roff, int rincr) {
    (void)synth, (void)len, (void)lout, (void)loff, (void)lincr, (void)rout, (void)roff,
        (void)rincr;
    return FLUID_FAILED;
}

void *new_fluid_player(void *synth) {
    (void)synth;
    return NULL;
}
int delete_fluid_player(void *player) {
    (void)player;
    return 0;
}
int fluid_player_add(void *player, const char *file) {
    (void)player, (void)file;
    return FLUID_FAILED;
}
int fluid_player_add_mem(void *player, const void *data, size_t size) {
    (void)player, (void)data, (void)size;
    return FLUID_FAILED;
}
int fluid_player_play(void *player) {
    (void)player;
    return FLUID_FAILED;
}
int fluid_player_stop(void *player) {
    (void)player;
    return FLUID_FAILED;
}
int fluid_player_set_loop(void *player, int loop) {
    (void)player, (void)loop;
    return FLUID_FAILED;
}
int fluid_player_get_status(void *player) {
    (void)player;
    return FLUID_PLAYER_DONE;
}
