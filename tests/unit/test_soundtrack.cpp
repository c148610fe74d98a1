// The song recordings: chart notes as onsets in their lane's pitch, Vorbis, reproducible.
#include <gtest/gtest.h>

#include "common/song_styles.h"
#include "game/sync.h"
#include "songs/charts.h"
#include "soundtrack/clicks.h"
#include "soundtrack/onsets.h"
#include "soundtrack/parts.h"
#include "soundtrack/render.h"
#include "soundtrack/songs.h"
#include "soundtrack/timing.h"
#include "soundtrack/voices.h"
#include "soundtrack/vorbis_out.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <vector>

using namespace soundtrack;

namespace {

constexpr double kToleranceMs = 15.0;

// A short song with everything that makes onsets hard: two- and three-lane
// chords, one lane struck every 100 ms, notes right on the snare and a lane
// starting while its neighbour still rings.
SongSound stand_in_song(Groove groove, Timbre timbre, bool minor) {
    SongSound s{};
    s.title = "stand-in";
    s.bpm = 150.0;
    s.origin_ms = 400.0;
    s.beats_per_bar = 4;
    s.swing = 0.5;
    s.bass_tonic = 40;
    s.minor = minor;
    s.end_ms = 10000;
    s.groove = groove;
    s.timbre = timbre;
    s.parts = {{0, PartKind::Intro, 1}, {2, PartKind::Verse, 2}, {4, PartKind::Chorus, 3}};
    s.verse_chords = {0, 0, -2, 0};
    s.chorus_chords = {0, -4, -2, 0};
    s.bridge_chords = {5, 5, 3, 7};
    s.seed = 7;
    return s;
}

std::vector<LeadNote> stand_in_notes() {
    // clang-format off
    std::vector<LeadNote> notes = {
        {1, 1000}, {3, 1400}, {2, 1800}, {4, 1800},            // a chord
        {5, 2200}, {1, 2400}, {3, 2400}, {5, 2400},            // three lanes at once
        {2, 3000}, {2, 3100}, {2, 3200}, {2, 3300}, {2, 3400}, // one lane every 100 ms
        {1, 3600}, {2, 3650}, {3, 3700}, {4, 3750}, {5, 3800}, // a fast run up the lanes
        {4, 4000}, {3, 4200}, {1, 4400}, {5, 4800}, {1, 5200}, {4, 5600},
    };
    // clang-format on
    // Every beat of the chorus (bars 4 and 5), where kick and snare sound too.
    for (int beat = 0; beat < 8; ++beat)
        notes.push_back({1 + beat % 5, 400.0 + (16 + beat) * 400.0});
    return notes;
}

struct OnsetCheck {
    std::vector<double> errors; // per note: distance to the nearest onset in its lane's pitch
    int strays = 0;             // onsets in the pitch of a lane with notes that match none of them
};

// Finds the lead onsets of every lane in `samples` and compares them with `notes`.
OnsetCheck check_onsets(const std::vector<float> &samples, int rate, const SongSound &song,
                        const std::vector<LeadNote> &notes) {
    OnsetCheck check;
    std::map<int, std::vector<double>> onsets, wanted;
    for (const LeadNote &n : notes)
        wanted[n.lane].push_back(file_ms(n.heard_ms));
    for (auto &lane : wanted) {
        std::sort(lane.second.begin(), lane.second.end());
        onsets[lane.first] = tone_onsets(samples, rate, lane_frequency(song, lane.first));
        for (double t : onsets[lane.first])
            if (std::fabs(nearest_onset(lane.second, t) - t) > kToleranceMs) ++check.strays;
    }
    for (const LeadNote &n : notes) {
        const double want = file_ms(n.heard_ms);
        check.errors.push_back(std::fabs(nearest_onset(onsets[n.lane], want) - want));
    }
    return check;
}

double largest(const std::vector<double> &v) {
    double m = 0.0;
    for (double x : v)
        m = std::max(m, x);
    return m;
}

std::string read_file(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string game_path(const char *relative) {
    return std::string(FRETFALL_GAME_DIR) + "/" + relative;
}

} // namespace

TEST(SoundtrackOnsets, FinderTimesToneBurstsAndIgnoresOtherPitches) {
    // Hard-edged bursts of 700 Hz, two of them 25 ms apart, and one of 786 Hz
    // (two semitones up), over low noise: only the 700 Hz bursts are onsets at
    // 700 Hz, each found within a millisecond.
    const int rate = kSampleRate;
    std::vector<float> x(static_cast<size_t>(rate * 3), 0.0f);
    Rng rng(3);
    for (float &s : x)
        s = 0.02f * rng.next();
    const double starts[] = {300.0, 800.0, 925.0, 1700.0};
    for (double start : starts)
        for (int i = 0; i < rate / 10; ++i)
            x[static_cast<size_t>(start * rate / 1000.0) + static_cast<size_t>(i)] +=
                0.5f * static_cast<float>(std::sin(2.0 * M_PI * 700.0 * i / rate));
    for (int i = 0; i < rate / 5; ++i)
        x[static_cast<size_t>(1.2 * rate) + static_cast<size_t>(i)] +=
            0.5f * static_cast<float>(std::sin(2.0 * M_PI * 786.0 * i / rate));

    const std::vector<double> found = tone_onsets(x, rate, 700.0);
    ASSERT_EQ(found.size(), 4u);
    for (size_t i = 0; i < found.size(); ++i)
        EXPECT_NEAR(found[i], starts[i], 1.0);
    const std::vector<double> above = tone_onsets(x, rate, 786.0);
    ASSERT_EQ(above.size(), 1u) << "the 700 Hz bursts do not count at 786 Hz";
    EXPECT_NEAR(above[0], 1200.0, 1.0);
}

TEST(SoundtrackLanes, PitchesRiseByLaneAndStayApart) {
    // The lanes must be told apart by pitch alone: rising from lane 1, at least
    // two semitones apart, and within one octave so that no lane sits on
    // another's harmonic.
    for (const SongStyle &style : kSongStyles) {
        SCOPED_TRACE(style.name());
        const SongSound song = sound_for_style(style);
        EXPECT_GE(lane_frequency(song, 1), 440.0);
        for (int lane = 2; lane <= 5; ++lane)
            EXPECT_GE(lane_frequency(song, lane) / lane_frequency(song, lane - 1), 1.12);
        EXPECT_LT(lane_frequency(song, 5), 1.95 * lane_frequency(song, 1));
    }
}

TEST(SoundtrackSynth, EveryGrooveAndTimbreStartsEachNoteOnTime) {
    const Groove grooves[] = {Groove::Drive,  Groove::Rock,  Groove::Thrash,
                              Groove::Gallop, Groove::Heavy, Groove::Simple};
    const Timbre timbres[] = {Timbre::Fuzz, Timbre::Crunch, Timbre::Square,
                              Timbre::Twin, Timbre::Bell,   Timbre::Pluck};
    const std::vector<LeadNote> notes = stand_in_notes();
    for (int i = 0; i < 6; ++i) {
        SCOPED_TRACE("groove and timbre " + std::to_string(i));
        const SongSound song = stand_in_song(grooves[i], timbres[i], i % 2 == 0);
        const std::vector<float> mix = render_song(song, notes);
        ASSERT_EQ(static_cast<long>(mix.size()), song_samples(song));
        const OnsetCheck check = check_onsets(mix, kSampleRate, song, notes);
        EXPECT_EQ(check.strays, 0) << "onsets that are no note of their lane";
        const std::vector<double> &errors = check.errors;
        for (size_t n = 0; n < notes.size(); ++n)
            EXPECT_LE(errors[n], 5.0) << "lane " << notes[n].lane << " at " << notes[n].heard_ms;
    }
}

TEST(SoundtrackRhythm, DrumsAndBassKeepToTheGridAndMarkThePartChanges) {
    const Groove grooves[] = {Groove::Drive,  Groove::Rock,  Groove::Thrash,
                              Groove::Gallop, Groove::Heavy, Groove::Simple};
    for (int i = 0; i < 6; ++i) {
        SCOPED_TRACE("groove " + std::to_string(i));
        SongSound song = stand_in_song(grooves[i], Timbre::Pluck, true);
        song.swing = i % 2 == 1 ? 2.0 / 3.0 : 0.5;
        // bars of 1600 ms from 400 ms; the bridge (bars 10 and 11) is silent
        song.parts = {{0, PartKind::Intro, 1},
                      {2, PartKind::Verse, 2},
                      {6, PartKind::Chorus, 3},
                      {10, PartKind::Bridge, 0},
                      {12, PartKind::Outro, 2}};
        song.end_ms = 21900;
        const double beat = 400.0, bar = 1600.0, origin = 400.0;
        const RhythmEvents ev = rhythm_events(song);
        EXPECT_DOUBLE_EQ(ev.final_ms, 22000.0) << "first beat at or after the end time";

        const double sixteenths[] = {0.0, song.swing / 2, song.swing, (1.0 + song.swing) / 2};
        auto on_grid = [&](double t) {
            const double pos = (t - origin) / beat, frac = pos - std::floor(pos);
            for (double s : sixteenths)
                if (std::fabs(frac - s) < 1e-6 || std::fabs(frac - s - 1.0) < 1e-6) return true;
            return false;
        };
        auto bar_of = [&](double t) { return static_cast<int>(std::floor((t - origin) / bar)); };
        std::set<int> crash_bars, fill_bars;
        for (const DrumHit &h : ev.drums) {
            EXPECT_TRUE(on_grid(h.heard_ms)) << h.heard_ms;
            EXPECT_LE(h.heard_ms, ev.final_ms);
            const int b = bar_of(h.heard_ms);
            if (b < 0) {
                EXPECT_EQ(h.drum, Drum::Hat) << "only the count-in before bar 0";
            }
            EXPECT_FALSE(b == 10 || b == 11) << "silent part";
            if (h.drum == Drum::Crash && h.heard_ms == origin + b * bar) crash_bars.insert(b);
            const bool last_beat = h.heard_ms >= origin + (b + 1) * bar - beat;
            if (last_beat && (h.drum == Drum::TomHigh || h.drum == Drum::TomFloor ||
                              (grooves[i] == Groove::Simple && h.drum == Drum::Snare)))
                fill_bars.insert(b);
        }
        for (int b : {2, 6, 12})
            EXPECT_TRUE(crash_bars.count(b)) << "crash opening bar " << b;
        for (int b : {1, 5, 9})
            EXPECT_TRUE(fill_bars.count(b)) << "fill closing bar " << b;

        bool verse_root = false;
        for (const BassNote &n : ev.bass) {
            EXPECT_TRUE(on_grid(n.heard_ms)) << n.heard_ms;
            EXPECT_FALSE(bar_of(n.heard_ms) == 10 || bar_of(n.heard_ms) == 11) << "silent part";
            EXPECT_LE(n.heard_ms + n.gate_ms, ev.final_ms + 1500.0);
            if (n.heard_ms == origin + 2 * bar) verse_root = n.midi == song.bass_tonic;
        }
        EXPECT_TRUE(verse_root) << "the verse opens on the tonic";
    }
}

TEST(SoundtrackSynth, LevelsStayInRangeAndSilenceBeforeTheMusic) {
    SongSound song = stand_in_song(Groove::Drive, Timbre::Fuzz, true);
    song.origin_ms = 2000.0; // nothing but the count-in before bar 0 at 2 s
    song.parts = {{0, PartKind::Verse, 2}};
    const std::vector<float> mix = render_song(song, {{1, 3000}});
    float peak = 0.0f, before = 0.0f;
    for (size_t i = 0; i < mix.size(); ++i) {
        peak = std::max(peak, std::fabs(mix[i]));
        if (static_cast<long>(i) < file_sample(song.origin_ms - 550.0))
            before = std::max(before, std::fabs(mix[i]));
    }
    EXPECT_LE(peak, 0.9f);
    EXPECT_GT(peak, 0.5f);
    EXPECT_LT(before, 0.25f * peak) << "only count-in ticks before the first bar";
}

TEST(SoundtrackVorbis, EncodesReproduciblyAndKeepsOnsets) {
    const SongSound song = stand_in_song(Groove::Gallop, Timbre::Twin, true);
    const std::vector<LeadNote> notes = stand_in_notes();
    const std::vector<float> mix = render_song(song, notes);
    const std::string a = testing::TempDir() + "soundtrack_a.ogg";
    const std::string b = testing::TempDir() + "soundtrack_b.ogg";
    std::string error;
    ASSERT_TRUE(write_ogg_vorbis(a, mix, kSampleRate, 0.1f, 1234, "a", error)) << error;
    ASSERT_TRUE(write_ogg_vorbis(b, mix, kSampleRate, 0.1f, 1234, "a", error)) << error;
    EXPECT_EQ(read_file(a), read_file(b)) << "same input, same bytes";

    Audio audio;
    ASSERT_TRUE(read_ogg_vorbis(a, audio, error)) << error;
    EXPECT_EQ(audio.rate, kSampleRate);
    EXPECT_EQ(audio.samples.size(), mix.size());
    const OnsetCheck check = check_onsets(audio.samples, audio.rate, song, notes);
    EXPECT_LE(largest(check.errors), kToleranceMs);
    EXPECT_EQ(check.strays, 0);

    EXPECT_FALSE(write_ogg_vorbis(testing::TempDir() + "no/such/dir/x.ogg", mix, kSampleRate, 0.1f,
                                  1, "x", error));
    EXPECT_FALSE(read_ogg_vorbis(testing::TempDir() + "no_such_file.ogg", audio, error));
    std::remove(a.c_str());
    std::remove(b.c_str());
}

TEST(SoundtrackRecordings, AllSixAreVorbisAtTheMixerRateAndOutlastTheirSong) {
    for (const BuiltinSong &song : builtin_songs) {
        SCOPED_TRACE(song.music_path);
        const double length = ogg_duration_ms(game_path(song.music_path));
        ASSERT_GT(length, 0.0) << "missing or unreadable";
        EXPECT_GE(length, song.end_ms + 1000.0);
        EXPECT_LE(length, song.end_ms + 10000.0);
    }
}

// Each recording decoded: every chart note of the song must start a lead tone in its lane's
// pitch within 15 ms of the middle of its hit window (less the output latency), and no
// tone may start in a lane's pitch where that lane has no note.
class SoundtrackChartTiming : public testing::TestWithParam<int> {};

TEST_P(SoundtrackChartTiming, EveryNoteStartsMidWindowInItsLanesPitch) {
    const int song = GetParam();
    const Chart *chart = builtin_chart(song);
    const SongStyle *style = song_style_for(song);
    ASSERT_TRUE(chart && style && builtin_song(song));
    const std::string path = game_path(builtin_song(song)->music_path);
    Audio audio;
    std::string error;
    ASSERT_TRUE(read_ogg_vorbis(path, audio, error)) << error;
    ASSERT_EQ(audio.rate, kSampleRate);

    const SongSound sound = sound_for_style(*style);
    const std::vector<LeadNote> notes = lead_notes(*chart);
    ASSERT_EQ(static_cast<int>(notes.size()), chart->count);
    const OnsetCheck check = check_onsets(audio.samples, audio.rate, sound, notes);
    EXPECT_EQ(check.strays, 0);
    for (size_t i = 0; i < notes.size(); ++i)
        EXPECT_LE(check.errors[i], kToleranceMs)
            << "lane " << notes[i].lane << ", spawn " << chart->notes[i].spawn;
    std::printf("%s: %zu notes, largest onset error %.1f ms\n", style->name(), notes.size(),
                largest(check.errors));
}

INSTANTIATE_TEST_SUITE_P(AllSongs, SoundtrackChartTiming, testing::Values(0, 1, 2, 3, 4, 99),
                         [](const testing::TestParamInfo<int> &info) {
                             const SongStyle *style = song_style_for(info.param);
                             return std::string(style ? style->name() : "unknown");
                         });

// The sync calibration's clicks start exactly where a chart note's tone would, at the
// click's time less the output latency, and the file keeps them there.
TEST(SoundtrackClicks, EachClickStartsWhereAChartNoteWouldSound) {
    const std::vector<float> clicks = render_clicks();
    for (int i = 0; i < SYNC_CLICKS; ++i) {
        // A spawn one second before the click crosses the middle of its window at the click.
        ASSERT_EQ(heard_time_ms(sync_click_ms(i) - kChartLeadMs), sync_click_ms(i));
        const long at = file_sample(sync_click_ms(i));
        ASSERT_LT(at + 1, static_cast<long>(clicks.size()));
        EXPECT_EQ(clicks[static_cast<size_t>(at)], 0.0f);
        EXPECT_NE(clicks[static_cast<size_t>(at + 1)], 0.0f);
        // Silence from well after the click before.
        const long quiet = at - (SYNC_CLICK_PERIOD_MS - 100L) * kSampleRate / 1000;
        for (long k = std::max(0L, quiet); k < at; ++k)
            ASSERT_EQ(clicks[static_cast<size_t>(k)], 0.0f) << "click " << i;
    }
    // The encoded file: every onset where the rendered one is (the finder times a strike
    // that falls this fast some 2 ms early, in both alike).
    Audio audio;
    std::string error;
    ASSERT_TRUE(read_ogg_vorbis(game_path(SYNC_CLICKS_PATH), audio, error)) << error;
    ASSERT_EQ(audio.rate, kSampleRate);
    const std::vector<double> rendered = tone_onsets(clicks, kSampleRate, kClickHz);
    const std::vector<double> decoded = tone_onsets(audio.samples, audio.rate, kClickHz);
    ASSERT_EQ(rendered.size(), static_cast<size_t>(SYNC_CLICKS));
    ASSERT_EQ(decoded.size(), rendered.size());
    for (size_t i = 0; i < decoded.size(); ++i)
        EXPECT_NEAR(decoded[i], rendered[i], 0.5) << "click " << i;
    EXPECT_EQ(audio.samples.size(), clicks.size());
}
