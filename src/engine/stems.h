// A song's audio split into stems (song, guitar, bass, drums, ...): every file streamed and
// mixed sample-locked into SDL_mixer's music slot, the guitar turned down after a miss.
#pragma once
#include <SDL.h>

#include <string>
#include <vector>

// The guitar stem's share of its volume between a miss and the next hit.
const float STEM_MISS_GAIN = 0.2f;

// Opens the stem files `paths` for playing at the audio device's rate (22050 Hz when no
// device is open), `guitar` being the index of the guitar stem or -1. A stem that cannot
// be opened is left out with one line on stderr. Returns the number of stems opened; with
// none, `reason` says why in one line and the song plays silently. Closes any stems open
// before.
int stems_open(const std::vector<std::string> &paths, int guitar, std::string &reason);
// Starts the open stems in the mixer's music slot, every one at `from_ms` into the song
// (0: a song's start, where its music would start, together with the song clock; later: a
// preview), with the guitar at full volume. A stem that cannot seek there is left out. The
// stems then follow the music's pause, resume and volume (Mix_PauseMusic, Mix_ResumeMusic,
// Mix_VolumeMusic) as a song's music does. Without an audio device nothing plays.
void stems_start(int from_ms = 0);
// Takes the stems out of the mixer and closes them; the music slot plays music again.
// Starting any music (play_music, start_menu_music) does this first.
void stems_stop();
// A miss turns the guitar stem down to STEM_MISS_GAIN, the next hit back up.
void stems_miss();
void stems_hit();

// True between a miss and the next hit: the guitar stem plays at STEM_MISS_GAIN.
bool stems_guitar_ducked();

// Frames mixed since stems_start, at the device rate.
long long stems_frames_mixed();
// The longest stem's length in milliseconds, from the files' headers; 0 when none says.
int stems_length_ms();
// The mixer's music hook: writes `len` bytes of 16-bit stereo at the device rate. Runs on
// SDL's audio thread, under SDL's audio lock; tests call it directly.
void stems_mix(void *unused, Uint8 *stream, int len);
