// The game look and the volume: their bounds, what the screens show, where they take effect.
#include "engine/sound.h"
#include "harness.h"
#include "menus/volume.h"
#include "screens.h"
#include "shots.h"

#include <SDL_mixer.h>
#include <gtest/gtest.h>

namespace {

std::string shot_line(const GameDir &dir, const std::string &name) {
    return "shot " + dir.file(name) + "\nwait 40\n";
}

// The three values as the game look screen shows them.
bool shows_values(const GameDir &dir, const std::string &name, const char *bg, const char *flame,
                  const char *neck) {
    Shot shot(dir.file(name));
    EXPECT_TRUE(shot.loaded()) << name;
    return shows_text(shot, 268, 68, 10, bg) && shows_text(shot, 268, 103, 10, flame) &&
           shows_text(shot, 268, 136, 10, neck);
}

const Rgb BACKDROP_COLOURS[4] = {{200, 40, 40}, {40, 200, 40}, {40, 40, 200}, {200, 200, 40}};
const Rgb NECK_COLOURS[4] = {{0, 0, 0}, {248, 248, 248}, {120, 0, 120}, {0, 120, 120}};

// A neck drawn with alpha 200 over a backdrop.
Rgb blend(Rgb neck, Rgb backdrop) {
    auto mix = [](int n, int b) { return (n * 200 + b * 55) / 255; };
    return {mix(neck.r, backdrop.r), mix(neck.g, backdrop.g), mix(neck.b, backdrop.b)};
}

} // namespace

TEST(GameLook, OpensOnTheFlameEntryAndKeepsEveryValueWithinZeroToThree) {
    GameDir dir;
    put_solid_image(dir, "img/menus/menu_configuregame.png", 320, 240, BLACK);
    std::string script = after_intro() + taps("DOWN DOWN LCTRL DOWN LCTRL") +
                         shot_line(dir, "start.png") + taps("RIGHT RIGHT RIGHT RIGHT RIGHT") +
                         shot_line(dir, "flame.png") +
                         taps("UP LEFT LEFT RIGHT DOWN DOWN LEFT DOWN") +
                         shot_line(dir, "mixed.png") + taps("DOWN RIGHT LEFT DOWN") +
                         shot_line(dir, "back.png") + taps("UP LCTRL DOWN LCTRL") + "wait 100\n";
    ReplayRun run = run_script(dir, script);
    auto polls = run.polls("game_look");
    ASSERT_FALSE(polls.empty()) << run.errors;
    EXPECT_EQ(polls.front().num("cursor"), 1);
    EXPECT_TRUE(shows_values(dir, "start.png", "0", "0", "0"));
    EXPECT_TRUE(shows_values(dir, "flame.png", "0", "3", "0")); // no higher than 3
    EXPECT_TRUE(shows_values(dir, "mixed.png", "1", "3", "0")); // bg: 0, 0, 1; neck: not below 0
    EXPECT_TRUE(shows_values(dir, "back.png", "1", "3", "0"));  // the back entry has no value
    for (const TraceLine &l : polls) {
        EXPECT_GE(l.num("cursor"), 0);
        EXPECT_LE(l.num("cursor"), 3);
    }
    // LCTRL on entry 2 did nothing; the screen was left only from the back entry.
    EXPECT_EQ(polls.back().num("cursor"), 3);
    EXPECT_EQ(run.sounds().back(), "ACEITA");
    EXPECT_EQ(run.last_poll().text("screen"), "main_menu");
    EXPECT_EQ(run.last_poll().num("cursor"), 0);
    // Value changes are silent; every cursor move clicks, even at the ends.
    EXPECT_EQ(run.sound_times("BATIDA").size(), 3u + 8u);
}

TEST(GameLook, TheChosenBackdropAndNeckDrawTheNextSong) {
    auto play = [](const std::string &look_keys, GameDir &dir) {
        for (int i = 0; i < 4; ++i) {
            put_solid_image(dir, "img/bg/backdrop0" + std::to_string(i) + ".png", 320, 240,
                            BACKDROP_COLOURS[i]);
            put_solid_image(dir, "img/necks/neck" + std::to_string(i) + ".png", 240, 1080,
                            NECK_COLOURS[i]);
        }
        std::string script = after_intro() + taps("DOWN DOWN LCTRL DOWN LCTRL") + taps(look_keys) +
                             taps("LCTRL LCTRL DOWN DOWN LCTRL") + "wait 8000\nshot " +
                             dir.file("song.png") + "\nwait 200\n";
        return run_script(dir, script);
    };
    GameDir chosen;
    // Backdrop 3 and neck 2; the cursor ends on the back entry.
    ReplayRun run = play("UP RIGHT RIGHT RIGHT RIGHT DOWN DOWN RIGHT RIGHT DOWN", chosen);
    if (run.polls("song").empty()) GTEST_SKIP() << "the song loop does not run yet";
    Shot shot(chosen.file("song.png"));
    ASSERT_TRUE(shot.loaded());
    EXPECT_TRUE(same_colour(shot.at(10, 230), BACKDROP_COLOURS[3]));
    EXPECT_TRUE(same_colour(shot.at(300, 200), blend(NECK_COLOURS[2], BACKDROP_COLOURS[3]), 16));

    GameDir plain;
    ReplayRun defaults = play("DOWN DOWN", plain);
    Shot first(plain.file("song.png"));
    ASSERT_TRUE(first.loaded());
    EXPECT_TRUE(same_colour(first.at(10, 230), BACKDROP_COLOURS[0]));
    EXPECT_TRUE(same_colour(first.at(300, 200), blend(NECK_COLOURS[0], BACKDROP_COLOURS[0]), 16));
}

TEST(Volume, TheBarGrowsWithEachStepAndStopsAtBothEnds) {
    GameDir dir;
    put_solid_image(dir, "img/menus/menu_sound1.png", 320, 240, BLACK);
    put_solid_image(dir, "img/sprite/audio1.png", 120, 66, GREEN); // wider than the widest frame
    std::string script = after_intro() + taps("DOWN DOWN LCTRL DOWN DOWN LCTRL") +
                         shot_line(dir, "v30.png") + taps("LEFT LEFT LEFT LEFT") +
                         shot_line(dir, "v0.png");
    for (int v = 10; v <= 100; v += 10)
        script += taps("RIGHT") + shot_line(dir, "v" + std::to_string(v) + ".png");
    script += taps("RIGHT") + shot_line(dir, "over.png") + taps("LALT") + "wait 100\n";
    ReplayRun run = run_script(dir, script);
    auto polls = run.polls("volume");
    ASSERT_FALSE(polls.empty()) << run.errors;
    EXPECT_EQ(polls.front().num("cursor"), 30);
    for (const TraceLine &l : polls) {
        EXPECT_GE(l.num("cursor"), 0);
        EXPECT_LE(l.num("cursor"), 100);
    }
    const int widths[11] = {0, 35, 43, 51, 59, 67, 75, 83, 91, 98, 109};
    for (int step = 0; step <= 10; ++step) {
        std::string name = "v" + std::to_string(step * 10) + ".png";
        Shot shot(dir.file(name));
        ASSERT_TRUE(shot.loaded()) << name;
        EXPECT_EQ(shot.count_in_row(130, 0, 320, GREEN), widths[step]) << name;
        if (step > 0) {
            EXPECT_TRUE(same_colour(shot.at(105, 105), GREEN)) << name;
            EXPECT_EQ(shot.count_in_column(106, 0, 240, GREEN), 66) << name;
            EXPECT_EQ(shot.first_in_column(106, 0, GREEN), 105) << name;
        }
        EXPECT_TRUE(shows_text(shot, 100, 180, 18, "VOLUME: " + std::to_string(step * 10))) << name;
    }
    Shot over(dir.file("over.png"));
    EXPECT_EQ(over.count_in_row(130, 0, 320, GREEN), 109);
    Shot start(dir.file("v30.png"));
    EXPECT_EQ(start.count_in_row(130, 0, 320, GREEN), 51);
    EXPECT_TRUE(shows_text(start, (320 - text_width(10, "Press B back to MENU")) / 2, 220, 10,
                           "Press B back to MENU"));
    // Volume changes are silent; B leaves to the main menu, whose cursor is still on options.
    EXPECT_EQ(run.sounds().back(), "CANCELA");
    EXPECT_EQ(run.sound_times("BATIDA").size(), 4u);
    EXPECT_EQ(run.last_poll().text("screen"), "main_menu");
    EXPECT_EQ(run.last_poll().num("cursor"), 2);
}

TEST(Volume, EveryStepReachesTheMixerAtOnce) {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    open_audio();
    if (!audio_open) GTEST_SKIP() << "no audio device, not even the dummy one";
    VOL = 30;
    {
        ScreenScript script(taps("RIGHT LALT", 20) + "wait 60000\n");
        ASSERT_TRUE(script.started()) << script.error();
        EXPECT_EQ(volume_screen(), TO_MAIN_MENU_ENTRY);
    }
    EXPECT_EQ(VOL, 40);
    EXPECT_EQ(Mix_VolumeMusic(-1), 40);
    EXPECT_EQ(Mix_Volume(-1, -1), 40);
    {
        ScreenScript script(taps("LEFT LEFT LEFT LEFT LEFT LEFT LALT", 20) + "wait 60000\n");
        ASSERT_TRUE(script.started()) << script.error();
        volume_screen();
    }
    EXPECT_EQ(VOL, 0); // silent, not below
    EXPECT_EQ(Mix_VolumeMusic(-1), 0);
    EXPECT_EQ(Mix_Volume(-1, -1), 0);
    Mix_CloseAudio();
    audio_open = false;
    VOL = 30;
}
