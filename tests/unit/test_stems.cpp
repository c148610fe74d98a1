// The stem mixer: stems of every format play in step at the device rate, the guitar ducks
// on a miss, pause and volume follow the music's, broken stems are left out.
#include <gtest/gtest.h>

#include "engine/sound.h"
#include "engine/stems.h"
#include "harness.h"
#include "platform/platform.h"
#include "stemgen/stemgen.h"

#include <SDL_mixer.h>

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

namespace {

const int RATE = 44100;
const int DEVICE_RATE = 22050;

// Writes a one-second tone as `name` (its extension picks the format).
std::string stem(const GameDir &dir, const std::string &name, double hz, float amplitude,
                 int rate = RATE) {
    std::string error;
    const std::string path = dir.file(name);
    EXPECT_TRUE(stemgen::write_stem(path, stemgen::tone(rate, 1.0, hz, amplitude), rate, 1, error))
        << error;
    return path;
}

// `frames` frames of the stems' mix, as the mixer's music hook makes them.
std::vector<Sint16> mixed(int frames) {
    std::vector<Sint16> out(static_cast<size_t>(frames) * 2);
    for (int done = 0; done < frames; done += 1024) {
        const int n = std::min(1024, frames - done);
        stems_mix(nullptr, reinterpret_cast<Uint8 *>(&out[static_cast<size_t>(done) * 2]), n * 4);
    }
    return out;
}

// Root mean square of the left channel over frames [from, to), as a share of full scale.
double rms(const std::vector<Sint16> &s, int from, int to) {
    double sum = 0;
    for (int i = from; i < to; ++i)
        sum += std::pow(s[static_cast<size_t>(i) * 2] / 32768.0, 2);
    return std::sqrt(sum / (to - from));
}

// Opens the stems at full music volume, whatever an earlier test left.
int opened(const std::vector<std::string> &paths, int guitar = -1) {
    Mix_VolumeMusic(MIX_MAX_VOLUME);
    std::string reason;
    const int n = stems_open(paths, guitar, reason);
    EXPECT_TRUE(n > 0 || !reason.empty());
    return n;
}

} // namespace

// A tone in any format cancels against the same tone inverted in a WAV file only when both
// start on the same sample: Opus (48 kHz) and the others (44.1 kHz) alike. Each plays at the
// device rate: a one-second stem gives 22050 frames of sound at the same pitch.
TEST(Stems, EveryFormatPlaysSampleLockedAtTheDeviceRate) {
    GameDir dir(false);
    const std::string inverted = stem(dir, "inverted.wav", 441, -0.5f);
    const double tone_rms = 0.5 / std::sqrt(2.0);
    for (const char *name : {"song.wav", "song.aiff", "song.ogg", "song.opus", "song.mp3"}) {
        SCOPED_TRACE(name);
        if (!stemgen::writes_opus && std::strstr(name, ".opus")) continue;
        const std::string path = stem(dir, name, 441, 0.5f);
        ASSERT_EQ(opened({path}), 1);
        EXPECT_NEAR(stems_length_ms(), 1000, 30);
        std::vector<Sint16> alone = mixed(DEVICE_RATE + 2048);
        EXPECT_NEAR(rms(alone, 2000, 20000), tone_rms, 0.02);
        // 441 Hz: 882 sign changes a second, whatever the file's rate.
        int crossings = 0;
        for (int i = 1; i < DEVICE_RATE; ++i)
            crossings += (alone[2 * i - 2] < 0) != (alone[2 * i] < 0);
        EXPECT_NEAR(crossings, 882, 4);
        EXPECT_LT(rms(alone, DEVICE_RATE + 100, DEVICE_RATE + 2048), 0.001); // then silence

        ASSERT_EQ(opened({path, inverted}), 2);
        // One sample apart would leave 6 % of the tone; lossy formats leave their own error.
        EXPECT_LT(rms(mixed(DEVICE_RATE), 2000, 20000), 0.02 * tone_rms);
    }
    // Above the device's Nyquist frequency a tone is filtered out, not folded down to 7 kHz.
    ASSERT_EQ(opened({stem(dir, "hiss.wav", 15000, 0.5f)}), 1);
    EXPECT_LT(rms(mixed(8192), 1024, 8192), 0.01 * tone_rms);
    // Two stems of one file add up exactly.
    const std::string wav = dir.file("song.wav");
    ASSERT_EQ(opened({wav}), 1);
    const std::vector<Sint16> once = mixed(4096);
    ASSERT_EQ(opened({wav, wav}), 2);
    const std::vector<Sint16> twice = mixed(4096);
    for (size_t i = 0; i < once.size(); ++i)
        ASSERT_NEAR(twice[i], 2 * once[i], 1) << i;
    stems_stop();
}

// A preview starts every stem at the same point: still in step, with the rest of the
// stems to play.
TEST(Stems, StartLaterStaysInStep) {
    ASSERT_FALSE(audio_open); // the mix is taken here, not by the audio thread
    GameDir dir(false);
    ASSERT_EQ(opened({stem(dir, "song.mp3", 441, 0.5f),
                      stem(dir, stemgen::writes_opus ? "guitar.opus" : "guitar.ogg", 441, -0.5f)},
                     1),
              2);
    stems_start(600);
    const std::vector<Sint16> rest = mixed(DEVICE_RATE / 2);
    EXPECT_LT(rms(rest, 1000, 8000), 0.02 * 0.5 / std::sqrt(2.0));
    ASSERT_EQ(opened({dir.file("song.mp3")}), 1);
    stems_start(600);
    const std::vector<Sint16> alone = mixed(DEVICE_RATE / 2);
    EXPECT_GT(rms(alone, 1000, 8000), 0.3);
    EXPECT_LT(rms(alone, 9000, DEVICE_RATE / 2), 0.001); // 400 ms were left
    stems_stop();
}

// A miss turns the guitar stem, and only it, down to a fifth; the next hit brings it back.
// The music volume scales the whole mix.
TEST(Stems, GuitarDucksOnAMissAndTheVolumeApplies) {
    GameDir dir(false);
    const std::string song = stem(dir, "song.wav", 441, 0.25f);
    const std::string guitar = stem(dir, "guitar.wav", 441, -0.5f);
    ASSERT_EQ(opened({song, guitar}, 1), 2);
    const double level = rms(mixed(2048), 1024, 2048); // 0.25 left of the song after the guitar
    stems_miss();
    mixed(1024); // the change is spread over one block
    EXPECT_NEAR(rms(mixed(2048), 0, 2048), 0.15 / std::sqrt(2.0), 0.005); // 0.25 - 0.5 / 5
    stems_hit();
    mixed(1024);
    EXPECT_NEAR(rms(mixed(2048), 0, 2048), level, 0.005);
    Mix_VolumeMusic(MIX_MAX_VOLUME / 2);
    EXPECT_NEAR(rms(mixed(2048), 0, 2048), level / 2, 0.005);
    Mix_VolumeMusic(MIX_MAX_VOLUME);
    stems_stop();
}

// Through the real mixer: the stems take the music slot, stand still while the music is
// paused and go on after resuming; starting music gives the slot back.
TEST(Stems, PauseAndResumeThroughTheMixer) {
    GameDir dir(false);
    const std::string song = stem(dir, "song.ogg", 441, 0.5f);
    open_audio();
    if (!audio_open) GTEST_SKIP() << "no audio device, not even the dummy one";
    ASSERT_EQ(opened({song}), 1);
    stems_start();
    while (stems_frames_mixed() == 0)
        platform_delay(5);
    Mix_PauseMusic();
    platform_delay(100); // a block being mixed as the pause came is let through
    const long long paused_at = stems_frames_mixed();
    platform_delay(200);
    EXPECT_EQ(stems_frames_mixed(), paused_at);
    Mix_ResumeMusic();
    while (stems_frames_mixed() == paused_at)
        platform_delay(5);
    EXPECT_GT(stems_frames_mixed(), paused_at);
    play_music(nullptr, "none", 0);
    const long long stopped_at = stems_frames_mixed();
    platform_delay(200);
    EXPECT_EQ(stems_frames_mixed(), stopped_at);
    Mix_CloseAudio();
    audio_open = false;
}

// Files that are not audio, or are missing, are left out; with none left the reason names
// the first one.
TEST(Stems, BrokenStemsAreLeftOut) {
    GameDir dir(false);
    dir.write("guitar.ogg", "OggS this is not a stream");
    dir.write("bass.mp3", std::string(4000, 'x'));
    dir.write("drums.wav", std::string("RIFF\x24\0\0\0WAVEfmt ", 16)); // cut in its header
    const std::string song = stem(dir, stemgen::writes_opus ? "song.opus" : "song.ogg", 441, 0.5f);
    dir.write("vocals.ogg",
              dir.read(song.substr(song.rfind('/') + 1)).substr(0, 4000)); // cut short
    std::string reason;
    EXPECT_EQ(stems_open({dir.file("guitar.ogg"), dir.file("bass.mp3"), dir.file("drums.wav"),
                          dir.file("vocals.ogg"), song},
                         0, reason),
              1);
    EXPECT_EQ(stems_open({dir.file("guitar.ogg"), dir.file("missing.ogg")}, 0, reason), 0);
    EXPECT_EQ(reason, "no playable audio (guitar.ogg: broken Ogg Vorbis data)");
    EXPECT_EQ(stems_open({}, -1, reason), 0);
    EXPECT_EQ(reason, "no audio files");
    std::vector<Sint16> silent = mixed(1024);
    EXPECT_EQ(rms(silent, 0, 1024), 0.0);
}
