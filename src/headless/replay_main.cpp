// fretfall-replay: the whole game, headless, on a virtual clock driven by a script, or on
// the clock and events of a recording of real play.
//
//   fretfall-replay [--dir DIR] [--trace FILE] [--presents FILE] [--hashes FILE]
//                   [--reference] [--record FILE] SCRIPT
//   fretfall-replay --play RECORDING [--dir DIR] [--trace FILE] [--presents FILE]
//                   [--hashes FILE] [--reference]
//   fretfall-replay --chart N
//   fretfall-replay --notes FOLDER [easy|medium|hard|expert]
//   fretfall-replay --song FOLDER[:easy|medium|hard|expert] [options] SCRIPT
//   fretfall-replay --export-songs DIR
//
// --presents notes the time of every present (for the benchmark), --hashes a hash of every
// presented screen (to compare two runs picture by picture), --reference draws everything
// through SDL's own blits and renders every text anew (the pictures the faster drawing
// paths must match).
#include "engine/draw.h"
#include "headless/session.h"
#include "platform/platform.h"
#include "headless/recording.h"
#include "headless/startfiles.h"
#include "app/flow.h"
#include "app/startup.h"
#include "headless/songexport.h"
#include "songs/catalogue.h"
#include "songs/songfolder.h"
#include "store/settings.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

int usage() {
    std::fprintf(stderr,
                 "usage: fretfall-replay [--dir DIR] [--trace FILE] [--presents FILE]\n"
                 "                      [--hashes FILE] [--reference] [--record FILE] SCRIPT\n"
                 "       fretfall-replay --play RECORDING [--dir DIR] [--trace FILE]\n"
                 "                      [--presents FILE] [--hashes FILE] [--reference]\n"
                 "       fretfall-replay --chart N\n"
                 "       fretfall-replay --notes FOLDER [easy|medium|hard|expert]\n"
                 "       fretfall-replay --song FOLDER[:DIFFICULTY] [options] SCRIPT\n"
                 "       fretfall-replay --export-songs DIR\n");
    return 2;
}

int fail(const std::string &message) {
    std::fprintf(stderr, "fretfall-replay: %s\n", message.c_str());
    return 2;
}

// The files of --presents and --hashes, named relative to where the driver was started,
// like the trace.
bool open_present_notes(const std::string &presents, const std::string &hashes,
                        std::string &error) {
    const std::string *unwritable = nullptr;
    if (!presents.empty() && !headless_note_presents(presents)) unwritable = &presents;
    if (!hashes.empty() && !headless_hash_presents(hashes)) unwritable = &hashes;
    if (unwritable) error = "cannot write " + *unwritable;
    return !unwritable;
}

// A song index as printed by --chart: a whole decimal number.
bool parse_index(const char *text, int &out) {
    char *end = nullptr;
    long v = std::strtol(text, &end, 10);
    if (!*text || *end || v < -1000000 || v > 1000000) return false;
    out = static_cast<int>(v);
    return true;
}

// The game directory: where this program lies.
std::string program_dir() {
    std::error_code ec;
    std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::string(".") : exe.parent_path().string();
}

// --song FOLDER[:DIFFICULTY]: the folder made absolute (the driver may enter --dir), and a
// difficulty name after the last colon, expert without one.
bool parse_song(const std::string &arg, std::string &folder, int &difficulty) {
    folder = arg;
    difficulty = DIFF_EXPERT;
    size_t colon = arg.rfind(':');
    if (colon != std::string::npos) {
        int named = difficulty_named(arg.substr(colon + 1).c_str());
        if (named >= 0) {
            folder = arg.substr(0, colon);
            difficulty = named;
        }
    }
    std::error_code ec;
    std::filesystem::path absolute = std::filesystem::absolute(folder, ec);
    if (!ec) folder = absolute.string();
    SongFolder song;
    if (!read_song_folder(folder, song)) return !fail(folder + ": " + song.reason);
    if (song.notes[difficulty].empty())
        return !fail(folder + ": no " + difficulty_names[difficulty] + " notes");
    return true;
}

// The replay's own directory when none is given, removed when the program ends.
std::string made_dir;
void remove_made_dir() {
    std::error_code ignored;
    if (!made_dir.empty()) std::filesystem::remove_all(made_dir, ignored);
}

// Links the asset tree beside this program into `dir` where `dir` lacks it.
bool link_assets(const std::string &dir, std::string &error) {
    std::filesystem::path from = program_dir();
    for (const char *entry : {"img", "song", "audio", "ariblk.ttf"}) {
        std::string target = (from / entry).string(), link = dir + "/" + entry;
        struct stat st;
        if (lstat(link.c_str(), &st) == 0 || access(target.c_str(), F_OK) != 0) continue;
        if (symlink(target.c_str(), link.c_str()) != 0) {
            error = "cannot link " + link + ": " + std::strerror(errno);
            return false;
        }
    }
    return true;
}

// Lays out the recording's starting files and assets in `dir` (a fresh temporary
// directory when empty), enters it and starts the replay.
int play(const std::string &recording_path, std::string dir, const std::string &trace,
         const std::string &presents, const std::string &hashes) {
    Recording recording;
    std::string error;
    if (!read_recording(recording_path, recording, error)) return fail(error);
    if (!recording.exact())
        std::fprintf(stderr,
                     "fretfall-replay: a starting file was larger than 1 MB and is laid out "
                     "cut; this replay may not be exact\n");
    if (dir.empty()) {
        const char *tmp = std::getenv("TMPDIR");
        std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/fretfall-replay-XXXXXX";
        if (!mkdtemp(&pattern[0])) return fail("cannot make a directory for the replay");
        made_dir = dir = pattern;
        std::atexit(remove_made_dir);
    }
    if (!lay_out_start_files(recording.files, dir, error) || !link_assets(dir, error))
        return fail(error);
    if (!headless_start_playback(std::move(recording), trace, error) ||
        !open_present_notes(presents, hashes, error))
        return fail(error);
    if (chdir(dir.c_str()) != 0) return fail("cannot enter " + dir);
    load_settings(false); // as recorded; the player's run has said what was amiss
    return fretfall_main();
}

} // namespace

int main(int argc, char **argv) {
    std::string dir, trace, presents, hashes, script, record, recording;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        bool has_value = i + 1 < argc;
        if (arg == "--chart" && has_value) {
            int song = 0;
            if (!parse_index(argv[i + 1], song)) return usage();
            return print_chart(song, stdout);
        } else if (arg == "--notes" && has_value && i + 3 >= argc) {
            int difficulty = i + 2 < argc ? difficulty_named(argv[i + 2]) : DIFF_EXPERT;
            return difficulty < 0 ? usage() : print_song_notes(argv[i + 1], difficulty, stdout);
        } else if (arg == "--export-songs" && has_value && i + 2 == argc) {
            std::string error;
            if (export_builtin_songs(argv[i + 1], program_dir(), error)) return 0;
            return fail(error);
        } else if (arg == "--song" && has_value) {
            if (!parse_song(argv[++i], flow_start_song, flow_start_difficulty)) return 2;
        } else if (arg == "--dir" && has_value) {
            dir = argv[++i];
        } else if (arg == "--trace" && has_value) {
            trace = argv[++i];
        } else if (arg == "--presents" && has_value) {
            presents = argv[++i];
        } else if (arg == "--hashes" && has_value) {
            hashes = argv[++i];
        } else if (arg == "--reference") {
            draw_reference = true;
        } else if (arg == "--record" && has_value) {
            record = argv[++i];
        } else if (arg == "--play" && has_value) {
            recording = argv[++i];
        } else if (script.empty() && !arg.empty() && arg[0] != '-') {
            script = arg;
        } else {
            return usage();
        }
    }
    // Headless: no window and no sound card, whatever the environment says.
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    if (!recording.empty())
        return script.empty() && record.empty() ? play(recording, dir, trace, presents, hashes)
                                                : usage();
    if (script.empty()) return usage();

    std::string error;
    char cwd[4096];
    if (!record.empty() && record[0] != '/' && getcwd(cwd, sizeof cwd))
        record = std::string(cwd) + "/" + record; // named from where the driver started
    if (!headless_start_script(script, trace, error) ||
        !open_present_notes(presents, hashes, error))
        return fail(error);
    if (!dir.empty() && chdir(dir.c_str()) != 0) return fail("cannot enter " + dir);
    // A script run's recording starts from the settings that give the script's sync
    // delay, so that it replays with it.
    if (!record.empty()) {
        StartFile settings;
        if (sync_delay_ms != 0) {
            Settings s;
            s.sync_delay_ms = sync_delay_ms;
            settings.bytes = settings_text(s);
            settings.size = settings.bytes.size();
            settings.exists = true;
        }
        headless_record(record, &settings);
    }
    return fretfall_main();
}
