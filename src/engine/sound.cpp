// Effects and music through SDL_mixer; every start is noted in the headless trace.
#include "engine/sound.h"

#include "engine/stems.h"
#include "platform/platform.h"

#include <cstdio>
#include <unistd.h>

Mix_Chunk *effects[EFFECT_COUNT];
int effect_starts[EFFECT_COUNT];
Mix_Music *music_menu;
int VOL = 30;
bool audio_open;

namespace {

const char *const effect_stems[EFFECT_COUNT] = {
    "ERRO4", "ESTRELA_MAIS", "PTPOWER", "PTRUIM", "BATIDA", "ACEITA", "CANCELA", "EXPLOSAO",
};

const char *const MENU_MUSIC = "audio/menu1.mp3";

} // namespace

void open_audio() {
    audio_open = Mix_OpenAudio(22050, AUDIO_S16LSB, 2, 1024) == 0;
    apply_volume();
}

void apply_volume() {
    if (!audio_open) return;
    Mix_Volume(-1, VOL);
    Mix_VolumeMusic(VOL);
}

void load_effects() {
    for (int i = 0; i < EFFECT_COUNT; ++i) {
        char path[64];
        snprintf(path, sizeof path, "audio/%s.wav", effect_stems[i]);
        effects[i] = audio_open && access(path, R_OK) == 0
                         ? Mix_LoadWAV_RW(SDL_RWFromFile(path, "rb"), 1)
                         : nullptr;
    }
}

void play_effect(Effect e) {
    if (e < 0 || e >= EFFECT_COUNT) return;
    ++effect_starts[e];
    platform_trace_sound(effect_stems[e]);
    if (effects[e]) Mix_PlayChannelTimed(-1, effects[e], 0, -1);
}

Mix_Music *load_music(const char *path) {
    if (!audio_open || access(path, R_OK) != 0) return nullptr;
    Mix_Music *music = Mix_LoadMUS(path);
    if (!music) std::fprintf(stderr, "fretfall: cannot play %s: %s\n", path, Mix_GetError());
    return music;
}

void play_music(Mix_Music *music, const char *path, int loops) {
    platform_trace_music(path);
    stems_stop(); // a library song's stems hold the music slot until music starts again
    if (music) Mix_PlayMusic(music, loops);
}

void play_stems(const char *name) {
    platform_trace_music(name);
    stems_start(0);
}

void start_menu_music() {
    music_menu = load_music(MENU_MUSIC);
    play_music(music_menu, MENU_MUSIC, 5);
}

void free_menu_music() { free_music(music_menu); }

void free_music(Mix_Music *&music) {
    if (music) Mix_FreeMusic(music);
    music = nullptr;
}
