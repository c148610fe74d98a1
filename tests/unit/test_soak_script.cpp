// The soak runner's bookkeeping: restarting a script after an exit, and judging memory.
#include "soak_memory.h"
#include "soak_script.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A generated script in miniature: a tour of three key events, then the random part.
const char *const TOURED = "# fretfall-soakgen --seed 1 --events 6\n"
                           "tap LCTRL\n"
                           "wait 100\n"
                           "down UP\n"
                           "wait 50\n"
                           "# opening tour ends\n"
                           "up UP\n"
                           "wait 1000\n"
                           "tap a\n"
                           "wait 500\n"
                           "down s\n"
                           "wait 500\n"
                           "up s\n"
                           "wait 100\n"
                           "end\n"
                           "tap q\n"; // after the end: never played

TimedScript read_ok(const std::string &text) {
    TimedScript script;
    std::string error;
    EXPECT_TRUE(read_timed_script(text, script, error)) << error;
    return script;
}

std::vector<std::string> timeline(const TimedScript &script) {
    std::vector<std::string> out;
    for (const TimedCommand &c : script.commands)
        out.push_back(std::to_string(c.time) + " " + c.text);
    return out;
}

} // namespace

TEST(SoakScript, ReadsTimesTheTourAndTheEnd) {
    TimedScript script = read_ok(TOURED);
    EXPECT_EQ(timeline(script),
              (std::vector<std::string>{"0 tap LCTRL", "100 down UP", "150 up UP", "1150 tap a",
                                        "1650 down s", "2150 up s"}));
    EXPECT_EQ(script.tour_end, 150u);
    EXPECT_EQ(script.end_time, 2250u);
    EXPECT_EQ(script.events(), 8); // a tap is a press and a release

    TimedScript bad;
    std::string error;
    EXPECT_FALSE(read_timed_script("tap a\nwait soon\n", bad, error));
    EXPECT_NE(error.find("line 2"), std::string::npos);
    EXPECT_FALSE(read_timed_script("press a\n", bad, error));
}

TEST(SoakScript, ARestartPlaysTheTourThenWhatFollowsTheExit) {
    TimedScript script = read_ok(TOURED);
    // The first run is the script itself.
    TimedScript first = read_ok(script_resumed(script, script.tour_end, true));
    EXPECT_EQ(timeline(first), timeline(script));
    EXPECT_EQ(first.end_time, script.end_time);

    // The program left at script time 1650, just as "down s" was taken: the next run
    // plays the tour, then what came after, moved to follow the tour.
    TimedScript next = read_ok(script_resumed(script, 1650, false));
    EXPECT_EQ(timeline(next),
              (std::vector<std::string>{"0 tap LCTRL", "100 down UP", "150 up UP", "650 up s"}));
    EXPECT_EQ(next.end_time, 750u); // as much time left as the script had
    // The runner maps the new run's clock back: 650 is script time 1650 + (650 - 150).
    EXPECT_EQ(1650 + (next.commands.back().time - script.tour_end), 2150u);

    // Leaving at the very end leaves only the tour and no time.
    TimedScript last = read_ok(script_resumed(script, script.end_time, false));
    EXPECT_EQ(last.commands.size(), 3u);
    EXPECT_EQ(last.end_time, script.tour_end);
}

TEST(SoakScript, WithoutATourARestartStartsRightAfterTheExit) {
    TimedScript script = read_ok("tap LCTRL\nwait 200\ntap DOWN\nwait 300\ntap UP\nwait 10\n");
    EXPECT_EQ(script.tour_end, 0u);
    EXPECT_EQ(timeline(read_ok(script_resumed(script, 0, true))), timeline(script));
    TimedScript next = read_ok(script_resumed(script, 200, false));
    EXPECT_EQ(timeline(next), (std::vector<std::string>{"300 tap UP"}));
    EXPECT_EQ(next.end_time, 310u);
}

TEST(SoakMemory, TenthsTakeMediansSoBriefPeaksDoNotCountButGrowthDoes) {
    std::vector<RssSample> flat, leaking;
    for (int i = 0; i <= 1000; ++i) {
        double t = i * 0.1;
        // A screen that holds 3 MB more for a moment, in the first and the last tenth.
        long peak = (i % 25 == 0) ? 3000 : 0;
        flat.push_back({t, 50000 + peak});
        leaking.push_back({t, 50000 + peak + 30 * i / 10}); // 3 MB over the run
    }
    RssTenths steady = rss_tenths(flat);
    EXPECT_EQ(steady.first_kb, 50000);
    EXPECT_EQ(steady.growth_kb(), 0);
    RssTenths growing = rss_tenths(leaking);
    EXPECT_GT(growing.growth_kb(), 2000);
    EXPECT_LT(growing.growth_kb(), 3000);
    EXPECT_EQ(rss_tenths({}).first_kb, -1);
}
