// The headless driver's script language: clocks, keys, shots and the end of a run.
#include "headless/script.h"

#include <gtest/gtest.h>

TEST(Script, CommandsQueueAtTheScriptClock) {
    Script s;
    std::string error;
    ASSERT_TRUE(parse_script("# comment\n\nwait 100\ntap LCTRL\ndown a\nwait 50\nup a\nshot x.png\n"
                             "wait 20\nend\nwait 999\n",
                             s, error))
        << error;
    ASSERT_EQ(s.events.size(), 4u);
    EXPECT_EQ(s.events[0].time, 100u);
    EXPECT_EQ(s.events[0].type, SDL_KEYDOWN);
    EXPECT_EQ(s.events[0].key, SDLK_LCTRL);
    EXPECT_EQ(s.events[1].type, SDL_KEYUP); // tap: press, then release at the same time
    EXPECT_EQ(s.events[2].key, SDLK_a);
    EXPECT_EQ(s.events[3].time, 150u);
    ASSERT_EQ(s.shots.size(), 1u);
    EXPECT_EQ(s.shots[0].time, 150u);
    EXPECT_EQ(s.end_time, 170u); // `end` wins over the lines after it
}

TEST(Script, WithoutEndTheLastLineEndsTheRun) {
    Script s;
    std::string error;
    ASSERT_TRUE(parse_script("wait 30\ntap q\nwait 12\n", s, error));
    EXPECT_EQ(s.end_time, 42u);
}

TEST(Script, BadLinesAreRejectedWithTheirNumber) {
    for (const char *bad : {"wait\n", "wait -5\n", "wait 12x\n", "tap NOPE\n", "down\n", "jump 3\n",
                            "end now\n", "tap a b\n"}) {
        Script s;
        std::string error;
        EXPECT_FALSE(parse_script(std::string("wait 1\n") + bad, s, error)) << bad;
        EXPECT_NE(error.find("line 2"), std::string::npos) << error;
    }
}

TEST(Script, KeyNamesFollowSdl) {
    EXPECT_EQ(key_from_name("RETURN"), SDLK_RETURN);
    EXPECT_EQ(key_from_name("BACKSPACE"), SDLK_BACKSPACE);
    EXPECT_EQ(key_from_name("g"), SDLK_g);
    EXPECT_EQ(key_from_name("7"), SDLK_7);
    EXPECT_EQ(key_from_name("G"), SDLK_UNKNOWN); // SDL names letters in lower case
    EXPECT_EQ(key_from_name(""), SDLK_UNKNOWN);
}
