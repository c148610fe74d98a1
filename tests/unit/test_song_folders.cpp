// Song folders: song.ini, .chart and MIDI charts written here, read into notes in
// milliseconds, broken folders giving their reason, and the driver's --notes listing.
#include "harness.h"
#include "songs/songfolder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

// Notes as "lane,time,length" strings, the way --notes prints them.
std::vector<std::string> listed(const std::vector<SongNote> &notes) {
    std::vector<std::string> out;
    for (const SongNote &n : notes)
        out.push_back(std::to_string(n.lane) + "," + std::to_string(n.time_ms) + "," +
                      std::to_string(n.length_ms));
    return out;
}

// A song folder inside the test's directory (under "songs/", away from its asset links).
std::string folder(const GameDir &dir, const std::string &name,
                   const std::vector<std::pair<std::string, std::string>> &files) {
    mkdir(dir.file("songs").c_str(), 0755);
    EXPECT_EQ(mkdir(dir.file("songs/" + name).c_str(), 0755), 0);
    for (const auto &f : files)
        dir.write("songs/" + name + "/" + f.first, f.second);
    return dir.file("songs/" + name);
}

// MIDI bytes: big-endian numbers, variable-length quantities, chunks.
std::string be(uint32_t v, int bytes) {
    std::string out;
    for (int i = bytes - 1; i >= 0; --i)
        out += static_cast<char>(v >> (8 * i) & 0xFF);
    return out;
}
std::string vlq(uint32_t v) {
    std::string out(1, static_cast<char>(v & 0x7F));
    while (v >>= 7)
        out.insert(out.begin(), static_cast<char>(0x80 | (v & 0x7F)));
    return out;
}
std::string track(const std::string &events) {
    return "MTrk" + be(static_cast<uint32_t>(events.size() + 4), 4) + events +
           std::string("\0\xFF\x2F\0", 4);
}
std::string midi(int tracks, const std::string &body, int format = 1, int division = 480) {
    return "MThd" + be(6, 4) + be(format, 2) + be(tracks, 2) + be(division, 2) + body;
}
std::string name_event(const std::string &name) {
    return std::string("\0\xFF\x03", 3) + vlq(name.size()) + name;
}
std::string note(uint32_t delta, int status, int pitch, int velocity) {
    return vlq(delta) + std::string{static_cast<char>(status), static_cast<char>(pitch),
                                    static_cast<char>(velocity)};
}

const char *CHART =
    "\xEF\xBB\xBF[Song]\r\n{\r\n  Name = \"Chart Name\"\r\n  Artist = \"Chart Artist\"\r\n"
    "  Resolution = 192\r\n  Offset = 0.5\r\n}\r\n"
    "[SyncTrack]\r\n{\r\n  0 = TS 4\r\n  0 = A 500000\r\n  0 = B 120000\r\n  768 = B "
    "240000\r\n}\r\n"
    "[Events]\r\n{\r\n  0 = E \"section Intro\"\r\n  1152 = E \"end\"\r\n}\r\n"
    "[ExpertDrums]\r\n{\r\n  100 = N 0 0\r\n}\r\n"
    "[ExpertSingle]\r\n{\r\n"
    "  192 = N 2 96\r\n  192 = N 0 0\r\n  192 = N 5 0\r\n"  // chord, a marker
    "  384 = N 7 0\r\n  384 = N 6 0\r\n  384 = S 2 192\r\n" // open, tap marker
    "  960 = N 4 10\r\n  960 = E solo\r\n}\r\n";

} // namespace

TEST(SongIni, KeysTextAndEncodings) {
    SongMeta meta;
    const std::string ini =
        "\xEF\xBB\xBF; a comment\r\n[Song]\r\nNAME = <color=#FF0000>Red</color> Song <3\r\n"
        "# another\r\nArtist=Band\r\ncharter = New\r\nfrets = Old\r\nyear = , 2002\r\n"
        "diff_guitar = -1\r\ndelay = -200.4\r\npreview_start_time = x\r\n"
        "[other]\r\nalbum = not this\r\n";
    parse_song_ini(ini.data(), ini.size(), meta);
    EXPECT_EQ(meta.name, "Red Song <3");
    EXPECT_EQ(meta.artist, "Band");
    EXPECT_EQ(meta.charter, "New");
    EXPECT_EQ(meta.year, "2002");
    EXPECT_EQ(meta.album, "");
    EXPECT_EQ(meta.diff_guitar, -1);
    EXPECT_EQ(meta.delay_ms, -200);
    EXPECT_EQ(meta.preview_start_ms, -1);

    // Latin-1 bytes (Windows quotes too) come out as UTF-8; `frets` names the charter
    // when `charter` is absent.
    SongMeta latin;
    const std::string old = "[song]\nartist = Mot\xF6rhead\nname = Don\x92t\nfrets = Old\n";
    parse_song_ini(old.data(), old.size(), latin);
    EXPECT_EQ(latin.artist, "Mot\xC3\xB6rhead");
    EXPECT_EQ(latin.name, "Don\xE2\x80\x99t");
    EXPECT_EQ(latin.charter, "Old");
}

// Tempo change, the chart's offset (notes later) and song.ini's delay (negative: sooner),
// a chord, sustains of any length, an open note counted and markers left out.
TEST(SongFolder, ChartWithTempoOffsetAndDelay) {
    GameDir dir;
    std::string path = folder(dir, "song",
                              {{"notes.chart", CHART},
                               {"song.ini", "[song]\nname = Ini Name\ndelay = -200\n"},
                               {"Guitar.ogg", "x"},
                               {"song.opus", "x"},
                               {"song.ogg", "x"},
                               {"drums.ogg", "x"},
                               {"drums_1.ogg", "x"},
                               {"album.png", "x"}});
    SongFolder song;
    ASSERT_TRUE(read_song_folder(path, song)) << song.reason;
    // 192 ticks at 120 BPM are 500 ms; +500 offset, -200 delay. Tick 960 lies 192 ticks
    // of 240 BPM past the change at 2000 ms.
    EXPECT_EQ(listed(song.notes[DIFF_EXPERT]),
              (std::vector<std::string>{"1,800,0", "3,800,250", "5,2550,13"}));
    EXPECT_EQ(song.open_notes[DIFF_EXPERT], 1);
    EXPECT_TRUE(song.notes[DIFF_EASY].empty());
    EXPECT_EQ(song.meta.name, "Ini Name");
    EXPECT_EQ(song.meta.artist, "Chart Artist");
    EXPECT_EQ(song.end_ms, 2800);
    ASSERT_EQ(song.sections.size(), 1u);
    EXPECT_EQ(song.sections[0].time_ms, 300);
    EXPECT_EQ(song.sections[0].name, "Intro");
    // Stems in any case of name, .opus before .ogg, numbered drums instead of plain ones.
    std::vector<std::string> stems;
    for (const SongStem &s : song.stems)
        stems.push_back(s.name + ":" + s.path.substr(path.size() + 1));
    EXPECT_EQ(stems, (std::vector<std::string>{"song:song.opus", "guitar:Guitar.ogg",
                                               "drums_1:drums_1.ogg"}));
    EXPECT_EQ(song.cover_path, path + "/album.png");
}

// The guitar track among others; sustains under a third of a beat cut; open notes by
// pitch and by SysEx phrase; running status after a meta event; a note-on of a sounding
// pitch, a note-off without note-on and a zero-length note.
TEST(SongFolder, MidiGuitarTrack) {
    std::string tempo = track(std::string("\0\xFF\x51\x03\x07\xA1\x20", 7) + vlq(1920) +
                              std::string("\xFF\x51\x03\x03\xD0\x90", 6));
    std::string drums =
        track(name_event("PART DRUMS") + note(480, 0x99, 97, 100) + note(10, 0x89, 97, 0));
    std::string open_on = std::string("\xF0\x08PS\0\0\x03\x01\x01\xF7", 10);
    std::string open_off = std::string("\xF0\x08PS\0\0\x03\x01\x00\xF7", 10);
    std::string guitar =
        track(name_event("PART GUITAR") + std::string("\0\xFF\x01\x10[ENHANCED_OPENS]", 20) +
              note(480, 0x90, 96, 100) + note(0, 0x90, 98, 100) + note(100, 0x80, 96, 0) +
              note(380, 0x80, 98, 0) + note(0, 0x90, 95, 100) + note(0, 0x90, 101, 100) +
              note(10, 0x80, 95, 0) + note(0, 0x80, 101, 0) + vlq(470) + open_on +
              note(0, 0x90, 96, 100) + note(60, 0x80, 96, 0) + vlq(0) + open_off +
              note(420, 0x90, 100, 100) + std::string("\0\xFF\x01\x01x", 5) + vlq(480) +
              "\x64\x64" + note(480, 0x80, 100, 0) + note(0, 0x80, 97, 0) + note(0, 0x90, 99, 100) +
              note(0, 0x90, 99, 0));
    GameDir dir;
    std::string path = folder(
        dir, "mid", {{"notes.mid", midi(4, tempo + drums + guitar)}, {"notes.chart", CHART}});
    SongFolder song;
    ASSERT_TRUE(read_song_folder(path, song)) << song.reason;
    EXPECT_EQ(song.chart_path, path + "/notes.mid");
    EXPECT_EQ(
        listed(song.notes[DIFF_EXPERT]),
        (std::vector<std::string>{"1,500,0", "3,500,500", "5,2000,250", "5,2250,250", "4,2500,0"}));
    EXPECT_EQ(song.open_notes[DIFF_EXPERT], 2);

    // song.ini's threshold replaces the third of a beat.
    path = folder(dir, "cutoff",
                  {{"notes.mid", midi(4, tempo + drums + guitar)},
                   {"song.ini", "[song]\nsustain_cutoff_threshold = 50\n"}});
    ASSERT_TRUE(read_song_folder(path, song)) << song.reason;
    EXPECT_EQ(listed(song.notes[DIFF_EXPERT])[0], "1,500,104");
}

TEST(SongFolder, BrokenFoldersGiveTheirReason) {
    std::string many = "[ExpertSingle]\n{\n";
    for (size_t i = 0; i <= NOTES_MAX; ++i)
        many += std::to_string(i) + " = N 0 0\n";
    many += "}\n";
    const std::string guitar = "[ExpertSingle]\n{\n0 = N 0 0\n}\n";
    const struct {
        const char *file;
        std::string content;
        const char *reason;
    } cases[] = {
        {"song.ini", "[song]\nname = x\n", "no chart"},
        {"notes.chart", "", "chart is empty"},
        {"notes.chart", "[Song]\n{\nResolution = 0\n}\n" + guitar, "bad resolution"},
        {"notes.chart", "[SyncTrack]\n{\n0 = B 0\n}\n" + guitar, "bad tempo at line 3"},
        {"notes.chart", "[ExpertSingle]\n{\n-5 = N 0 0\n}\n", "bad tick at line 3"},
        {"notes.chart",
         "[Song]\n{\nResolution = 1\n}\n[SyncTrack]\n{\n0 = B 1000\n}\n"
         "[ExpertSingle]\n{\n4000000000 = N 0 0\n}\n",
         "notes past one hour"},
        {"notes.chart", "[ExpertSingle]\n{\n0 = N 0 0\n", "chart cut short"},
        {"notes.chart", "[ExpertDrums]\n{\n0 = N 0 0\n}\n", "no guitar part"},
        {"notes.chart", "[ExpertSingle]\n{\n0 = N 7 0\n}\n", "no guitar notes"},
        {"notes.chart", "just text", "not a chart"},
        {"notes.chart", many, "too many notes (over 100000 in one difficulty) at line 100003"},
        {"notes.mid", "hello", "not a MIDI file"},
        {"notes.mid", midi(1, "MTrk" + be(100, 4) + std::string("\0\x90", 2)), "chart cut short"},
        {"notes.mid", midi(1, track("\x80\x80\x80\x80\x01"), 1), "bad MIDI number"},
        {"notes.mid", midi(1, track(""), 2), "MIDI format 2 not supported"},
        {"notes.mid", midi(1, track(""), 1, 0), "bad resolution"},
        {"notes.mid", midi(1, track(std::string("\0\xFF\x51\x03\0\0\0", 7))), "bad tempo"},
    };
    GameDir dir;
    int n = 0;
    for (const auto &c : cases) {
        std::string path = folder(dir, "case" + std::to_string(n++), {{c.file, c.content}});
        SongFolder song;
        EXPECT_FALSE(read_song_folder(path, song)) << c.reason;
        EXPECT_EQ(song.reason, c.reason);
    }
    // A 100 MB chart is turned down by its size without being read.
    std::string path = folder(dir, "huge", {{"notes.chart", ""}});
    ASSERT_EQ(truncate((path + "/notes.chart").c_str(), 100 << 20), 0);
    SongFolder song;
    EXPECT_FALSE(read_song_folder(path, song));
    EXPECT_EQ(song.reason, "chart over 16 MB");
}

TEST(SongFolder, NotesListedByTheDriver) {
    GameDir dir;
    std::string path = folder(dir, "song", {{"notes.chart", CHART}});
    auto run = [](const std::string &args, std::string &out) {
        std::string cmd =
            std::string(FRETFALL_EMULATOR) + " '" + FRETFALL_REPLAY + "' --notes " + args;
        std::unique_ptr<FILE, int (*)(FILE *)> pipe(popen(cmd.c_str(), "r"), pclose);
        char buf[256];
        out.clear();
        while (fgets(buf, sizeof buf, pipe.get()))
            out += buf;
        int status = pclose(pipe.release());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    };
    std::string out;
    EXPECT_EQ(run("'" + path + "'", out), 0);
    EXPECT_EQ(out, "1,1000,0\n3,1000,250\n5,2750,13\n");
    EXPECT_EQ(run("'" + path + "' easy", out), 2);
    EXPECT_EQ(out, "no easy notes\n");
    EXPECT_EQ(run("'" + dir.file("missing") + "' hard", out), 2);
    EXPECT_EQ(out, "cannot open folder\n");
}
