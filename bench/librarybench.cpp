// The song library's cost: writes a library of generated song folders, and loads one as
// the game's start does, printing the CPU milliseconds the load took.
//
//   fretfall-librarybench make DIR COUNT   #
//   DIR/songs/<artist>/<song>/{song.ini,notes.chart,song.ogg} fretfall-librarybench load DIR # in
//   DIR: songs/ with data/library.cache
#include "store/librarycache.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Artist names, some with accented letters, as a player's library has them.
const char *const artists[] = {"Amber Vale",    "\xC3\x89lan Noir", "Mot\xC3\xB6rcade",
                               "the Low Tides", "Zinc Theory",      "\xC3\x98ster Hus",
                               "Brass Comet",   "Iron Lantern"};

bool write_file(const std::string &path, const std::string &text) {
    FILE *f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    bool ok = std::fwrite(text.data(), 1, text.size(), f) == text.size();
    return std::fclose(f) == 0 && ok;
}

// A .chart of `notes` expert notes (eighths at 150 BPM, a chord every eighth note and a
// sustain every sixth) and half as many at hard, medium and easy.
std::string chart_text(unsigned seed, int notes) {
    std::string out = "[Song]\n{\n  Resolution = 192\n  Offset = 0\n}\n[SyncTrack]\n{\n  0 = TS "
                      "4\n  0 = B 150000\n}\n"
                      "[Events]\n{\n  0 = E \"section Intro\"\n}\n";
    const char *const sections[] = {"ExpertSingle", "HardSingle", "MediumSingle", "EasySingle"};
    char line[64];
    for (int d = 0; d < 4; ++d) {
        out += "[" + std::string(sections[d]) + "]\n{\n";
        int count = d == 0 ? notes : notes / 2;
        int step = d == 0 ? 96 : 192;
        for (int i = 0; i < count; ++i) {
            seed = seed * 1103515245u + 12345u;
            int lane = static_cast<int>(seed >> 16) % 5;
            int tick = 768 + i * step;
            std::snprintf(line, sizeof line, "  %d = N %d %d\n", tick, lane, i % 6 == 0 ? 144 : 0);
            out += line;
            if (i % 8 == 3) {
                std::snprintf(line, sizeof line, "  %d = N %d 0\n", tick, (lane + 2) % 5);
                out += line;
            }
        }
        out += "}\n";
    }
    return out;
}

int make(const std::string &dir, int count) {
    std::string songs = dir + "/songs";
    mkdir(dir.c_str(), 0755);
    mkdir((dir + "/data").c_str(), 0755);
    mkdir(songs.c_str(), 0755);
    if (!write_file(dir + "/audio.ogg", "not audio")) return 1;
    const int per_artist = 10;
    for (int i = 0; i < count; ++i) {
        int a = i / per_artist;
        char artist[96], folder[256], ini[512];
        std::snprintf(artist, sizeof artist, "%s %d", artists[a % 8], a / 8);
        std::snprintf(folder, sizeof folder, "%s/%s", songs.c_str(), artist);
        if (i % per_artist == 0) mkdir(folder, 0755);
        std::snprintf(folder, sizeof folder, "%s/%s/Song %d", songs.c_str(), artist,
                      i % per_artist);
        mkdir(folder, 0755);
        std::snprintf(
            ini, sizeof ini,
            "[song]\nname = Song %d\nartist = %s\nalbum = Album %d\ngenre = Rock\nyear = %d\n"
            "charter = bench\ndiff_guitar = 3\npreview_start_time = 30000\ndelay = 0\n",
            i % per_artist, artist, a, 1970 + i % 50);
        if (!write_file(std::string(folder) + "/song.ini", ini) ||
            !write_file(std::string(folder) + "/notes.chart",
                        chart_text(static_cast<unsigned>(i), 300)) ||
            symlink((dir + "/audio.ogg").c_str(), (std::string(folder) + "/song.ogg").c_str()) != 0)
            return 1;
    }
    return 0;
}

// User and system CPU milliseconds of this process so far.
void cpu_ms(double &user, double &system) {
    rusage usage;
    getrusage(RUSAGE_SELF, &usage);
    user = usage.ru_utime.tv_sec * 1000.0 + usage.ru_utime.tv_usec / 1000.0;
    system = usage.ru_stime.tv_sec * 1000.0 + usage.ru_stime.tv_usec / 1000.0;
}

// Prints the CPU milliseconds of the load (user + system, user, system), the entries and
// the playable ones.
int load(const std::string &dir) {
    if (chdir(dir.c_str()) != 0) return 1;
    double user0, system0, user1, system1;
    cpu_ms(user0, system0);
    std::vector<LibraryEntry> entries = load_library({"songs"}, LIBRARY_CACHE_FILE, nullptr);
    cpu_ms(user1, system1);
    int playable = 0;
    for (const LibraryEntry &e : entries)
        playable += e.reason.empty();
    std::printf("%.1f %.1f %.1f %zu %d\n", user1 - user0 + system1 - system0, user1 - user0,
                system1 - system0, entries.size(), playable);
    return 0;
}

} // namespace

int main(int argc, char **argv) {
    if (argc == 4 && std::strcmp(argv[1], "make") == 0) return make(argv[2], std::atoi(argv[3]));
    if (argc == 3 && std::strcmp(argv[1], "load") == 0) return load(argv[2]);
    std::fprintf(stderr, "usage: fretfall-librarybench make DIR COUNT | load DIR\n");
    return 2;
}
