/* The bundle's libmikmod.so.3: the tracker-module player SDL_mixer links to, which the game
 * never uses (its music is Ogg Vorbis and MP3); the real one brings OpenAL and sndio with
 * it. SDL_mixer sets these variables and calls these functions when audio opens; MikMod_Init
 * fails, so SDL_mixer leaves module music out and everything else works as before. */
#include <stddef.h>

/* Sized as libmikmod's own; SDL_mixer writes the settings before it calls MikMod_Init. */
unsigned short md_device, md_mixfreq = 44100, md_mode;
unsigned char md_volume = 128, md_musicvolume = 128, md_sndfxvolume = 128, md_reverb,
              md_pansep = 128;
int MikMod_errno, MikMod_critical;
/* SDL_mixer only passes its address to MikMod_RegisterDriver; room for the real driver
 * record on every architecture. */
void *drv_nos[32];

static const char NOT_HERE[] = "module music is not part of this build";

char *MikMod_InfoDriver(void) { return NULL; }
char *MikMod_InfoLoader(void) { return NULL; }
void MikMod_RegisterDriver(void *driver) { (void)driver; }
void MikMod_RegisterAllLoaders(void) {}
int MikMod_Init(const char *params) {
    (void)params;
    MikMod_errno = 1;
    return 1;
}
const char *MikMod_strerror(int code) {
    (void)code;
    return NOT_HERE;
}
void MikMod_Exit(void) {}

void *Player_LoadGeneric(void *reader, int channels, int curious) {
    (void)reader, (void)channels, (void)curious;
    MikMod_errno = 1;
    return NULL;
}
void Player_Free(void *module) { (void)module; }
void Player_Start(void *module) { (void)module; }
void Player_Stop(void) {}
int Player_Active(void) { return 0; }
void Player_SetPosition(unsigned short position) { (void)position; }
void Player_SetVolume(short volume) { (void)volume; }
unsigned long VC_WriteBytes(signed char *buffer, unsigned long todo) {
    (void)buffer, (void)todo;
    return 0;
}
