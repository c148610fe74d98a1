// The settings file: what reads, what counts as damaged, and writing that keeps other keys.
#include "harness.h"
#include "store/settings.h"

#include <gtest/gtest.h>

TEST(SettingsFile, ReadsKeysAndGivesTheDefaultsForAMissingEmptyOrDamagedFile) {
    struct Case {
        const char *content; // nullptr: no file
        SettingsRead status;
        int delay;
    };
    const Case cases[] = {
        {nullptr, SETTINGS_MISSING, 0},
        {"", SETTINGS_EMPTY, 0},
        {"sync_delay_ms 20\n", SETTINGS_READ, 20},
        {"# by hand\r\n\r\n  sync_delay_ms\t-100 \r\nsync_delay_ms 400", SETTINGS_READ, 400},
        {"colour blue\nsync_delay_ms 35\n", SETTINGS_READ, 35},
        {"sync_delay_ms 401\n", SETTINGS_DAMAGED, 0},
        {"sync_delay_ms 2x\n", SETTINGS_DAMAGED, 0},
        {"sync_delay_ms=20\n", SETTINGS_DAMAGED, 0},
        {"sync_delay_ms\n", SETTINGS_DAMAGED, 0},
        {"sync_delay_ms 30\n\x01\xff junk\n", SETTINGS_DAMAGED, 0},
    };
    GameDir dir;
    const std::string path = dir.file("settings");
    for (const Case &c : cases) {
        std::remove(path.c_str());
        if (c.content) dir.write("settings", c.content);
        Settings s;
        std::string why;
        EXPECT_EQ(read_settings(path.c_str(), s, why), c.status)
            << (c.content ? c.content : "none");
        EXPECT_EQ(s.sync_delay_ms, c.delay) << (c.content ? c.content : "none");
        EXPECT_EQ(why.empty(), c.status == SETTINGS_READ) << why;
    }
    // Longer than any settings file: damaged, however it starts.
    dir.write("settings", "sync_delay_ms 20\n" + std::string(5000, '#'));
    Settings s;
    std::string why;
    EXPECT_EQ(read_settings(path.c_str(), s, why), SETTINGS_DAMAGED);
}

TEST(SettingsFile, IsWrittenAsWholeLinesAndKeepsTheKeysOfOthers) {
    GameDir dir;
    const std::string path = dir.file("settings");
    dir.write("settings", "volume   80\nsync_delay_ms 10\n# note\nlook 2");
    Settings s;
    std::string why;
    ASSERT_EQ(read_settings(path.c_str(), s, why), SETTINGS_READ);
    s.sync_delay_ms = -35;
    ASSERT_TRUE(write_settings(path.c_str(), s));
    EXPECT_EQ(dir.read("settings"), "sync_delay_ms -35\nvolume 80\nlook 2\n");
    EXPECT_FALSE(dir.exists("settings.new"));
}
