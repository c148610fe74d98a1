// fretfall-soak: plays a long script through the headless driver and checks that it holds.
//
//   fretfall-soak --replay BIN --assets DIR --script FILE [--work DIR] [--min-game S]
//                 [--max-growth KB] [--rss-log FILE]
//
// The driver (built with AddressSanitizer and UndefinedBehaviorSanitizer) runs in a game
// directory of its own, its trace read through a pipe and its resident memory sampled from
// /proc every 50 ms. When random keys reach the main menu's exit entry the program ends;
// the runner starts it again, in the same directory so that saved files carry over, with
// the script's opening tour and then the part of the script that comes after the moment
// of the exit. It fails on any sanitizer report or non-zero status, on a screen that
// random keys never reached, on a stall, and on a run that played at least --min-game
// seconds of game time past the tour (600) and whose memory grew by --max-growth kB (1024)
// or more between the first and the last tenth of its time past the tour.
#include "soak_memory.h"
#include "soak_script.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <poll.h>
#include <sstream>
#include <string>
#include <string_view>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

// Every screen the trace names; a soak must reach them all.
const char *const all_screens[] = {
    "intro",   "main_menu", "play_menu",  "career",     "song_select", "highscores",
    "gallery", "options",   "key_config", "game_look",  "volume",      "save_menu",
    "credits", "song",      "pause",      "name_entry", "sync",
};

const int SCREENS = sizeof all_screens / sizeof all_screens[0];

const double SAMPLE_EVERY = 0.05; // seconds between memory samples
const int STALL_SECONDS = 120;    // a run that writes no trace for this long has hung

struct Options {
    std::string replay, assets, script, work, rss_log;
    double min_game = 600; // game seconds past the tour that make a run worth judging
    long max_growth = 1024;
};

struct ScreenCount {
    long tour_visits = 0; // times the screen was entered from another one, in the tour
    long visits = 0;      // and after it, under random keys
    long polls = 0;
};

struct RunResult {
    int status = -1;
    bool exited = false;         // ended through the exit entry
    unsigned long exit_time = 0; // virtual ms of the exit, on the run's own clock
    unsigned long last_time = 0; // virtual ms of the last trace line, on the run's clock
    double seconds = 0;          // real time
    std::vector<RssSample> rss;
    std::string errors; // the driver's stderr
    bool stalled = false;
};

double now_seconds() {
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

std::string read_file(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

bool write_file(const std::string &path, const std::string &text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
    return static_cast<bool>(out);
}

// A number after `key` in a trace line, or false.
bool field_number(std::string_view line, std::string_view key, unsigned long &out) {
    size_t at = line.find(key);
    if (at == std::string_view::npos) return false;
    out = 0;
    for (at += key.size(); at < line.size() && line[at] >= '0' && line[at] <= '9'; ++at)
        out = out * 10 + static_cast<unsigned long>(line[at] - '0');
    return true;
}

// The screen a poll line names, as an index into all_screens, or -1.
int field_screen(std::string_view line) {
    const std::string_view key = "\"screen\":\"";
    size_t at = line.find(key);
    if (at == std::string_view::npos) return -1;
    at += key.size();
    size_t end = line.find('"', at);
    if (end == std::string_view::npos) return -1;
    std::string_view name = line.substr(at, end - at);
    for (int i = 0; i < SCREENS; ++i)
        if (name == all_screens[i]) return i;
    return -1;
}

// What sanitizers write when they find something.
bool has_sanitizer_report(const std::string &errors) {
    for (const char *mark : {"AddressSanitizer", "LeakSanitizer", "UndefinedBehaviorSanitizer",
                             "runtime error:", "SUMMARY:"})
        if (errors.find(mark) != std::string::npos) return true;
    return false;
}

class Soak {
  public:
    explicit Soak(const Options &o) : opt(o) {}
    int run();

  private:
    bool prepare_dir();
    RunResult play(const std::string &script_path, const std::string &err_path);
    void take_trace_line(std::string_view line, RunResult &r);

    Options opt;
    unsigned long tour_end = 0; // the opening tour's length on every run's clock
    ScreenCount screens[SCREENS];
    int last_screen = -1;
    FILE *rss_log = nullptr;
    int run_number = 0;
};

bool Soak::prepare_dir() {
    if (opt.work.empty()) {
        char pattern[] = "/tmp/fretfall-soak-XXXXXX";
        if (!mkdtemp(pattern)) return false;
        opt.work = pattern;
    } else if (mkdir(opt.work.c_str(), 0755) != 0 && errno != EEXIST) {
        return false;
    }
    for (const char *entry : {"img", "audio", "song", "ariblk.ttf"}) {
        std::string link = opt.work + "/" + entry, target = opt.assets + "/" + entry;
        unlink(link.c_str());
        if (symlink(target.c_str(), link.c_str()) != 0) return false;
    }
    std::string data = opt.work + "/data";
    return mkdir(data.c_str(), 0755) == 0 || errno == EEXIST;
}

void Soak::take_trace_line(std::string_view line, RunResult &r) {
    unsigned long t = 0;
    if (field_number(line, "{\"t\":", t)) r.last_time = t;
    unsigned long status = 0;
    if (field_number(line, "\"exit\":", status)) {
        r.exited = true;
        r.exit_time = t;
        return;
    }
    int screen = field_screen(line);
    if (screen < 0) return;
    ScreenCount &count = screens[screen];
    ++count.polls;
    if (screen != last_screen) ++(t <= tour_end ? count.tour_visits : count.visits);
    last_screen = screen;
}

RunResult Soak::play(const std::string &script_path, const std::string &err_path) {
    RunResult r;
    int fds[2];
    if (pipe(fds) != 0) return r;
    pid_t pid = fork();
    if (pid < 0) return r;
    if (pid == 0) {
        dup2(fds[1], 1);
        close(fds[0]);
        close(fds[1]);
        int err = open(err_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (err >= 0) dup2(err, 2);
        execl(opt.replay.c_str(), opt.replay.c_str(), "--dir", opt.work.c_str(),
              script_path.c_str(), static_cast<char *>(nullptr));
        _exit(127);
    }
    close(fds[1]);
    double start = now_seconds(), next_sample = start, last_output = start;
    std::string pending;
    char buffer[65536];
    for (;;) {
        struct pollfd p = {fds[0], POLLIN, 0};
        int ready = poll(&p, 1, 20);
        double now = now_seconds();
        if (now >= next_sample) {
            long kb = read_rss_kb(pid);
            if (kb > 0) {
                // Memory is judged from the end of the opening tour on: before it the
                // program is still loading and first drawing every screen, and a run
                // fast enough to take only seconds would count that start as growth.
                if (r.last_time > tour_end) r.rss.push_back({now - start, kb});
                if (rss_log)
                    std::fprintf(rss_log, "%d %.3f %ld %lu %s\n", run_number, now - start, kb,
                                 r.last_time, last_screen < 0 ? "" : all_screens[last_screen]);
            }
            next_sample = now + SAMPLE_EVERY;
        }
        if (ready > 0) {
            ssize_t got = read(fds[0], buffer, sizeof buffer);
            if (got <= 0) break;
            last_output = now;
            pending.append(buffer, static_cast<size_t>(got));
            size_t begin = 0, end;
            while ((end = pending.find('\n', begin)) != std::string::npos) {
                take_trace_line(std::string_view(pending).substr(begin, end - begin), r);
                begin = end + 1;
            }
            pending.erase(0, begin);
        } else if (now - last_output > STALL_SECONDS) {
            r.stalled = true;
            kill(pid, SIGKILL);
            break;
        }
    }
    close(fds[0]);
    int raw = 0;
    waitpid(pid, &raw, 0);
    r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
    r.seconds = now_seconds() - start;
    r.errors = read_file(err_path);
    return r;
}

int Soak::run() {
    std::string error;
    TimedScript script;
    if (!read_timed_script(read_file(opt.script), script, error)) {
        std::fprintf(stderr, "fretfall-soak: %s: %s\n", opt.script.c_str(), error.c_str());
        return 2;
    }
    if (!prepare_dir()) {
        std::fprintf(stderr, "fretfall-soak: cannot prepare the game directory\n");
        return 2;
    }
    if (!opt.rss_log.empty()) rss_log = std::fopen(opt.rss_log.c_str(), "w");
    std::printf("soak: %ld key events over %.0f s of game time, game directory %s\n",
                script.events(), script.end_time / 1000.0, opt.work.c_str());

    tour_end = script.tour_end;
    bool failed = false;
    // Script time at which the current run's own script leaves the opening tour.
    unsigned long from = script.tour_end;
    int checked = 0;
    double total_seconds = 0;
    for (;;) {
        ++run_number;
        std::string stem = opt.work + "/run" + std::to_string(run_number);
        write_file(stem + ".script", script_resumed(script, from, run_number == 1));
        last_screen = -1;
        RunResult r = play(stem + ".script", stem + ".err");
        total_seconds += r.seconds;
        // Where the run stopped, in script time: past the tour, each run's clock runs
        // tour_end behind the script's from `from` on.
        unsigned long stopped = r.exited ? r.exit_time : r.last_time;
        unsigned long reached =
            stopped > script.tour_end ? from + (stopped - script.tour_end) : from;
        RssTenths tenths = rss_tenths(r.rss);
        bool long_enough = reached - from >= opt.min_game * 1000;
        std::printf("run %d: game time %.1f to %.1f s, %s, %.1f s, RSS first tenth %ld kB, "
                    "last tenth %ld kB (%+ld kB)%s\n",
                    run_number, from / 1000.0, reached / 1000.0,
                    r.exited ? "left through the exit entry" : "script ran out", r.seconds,
                    tenths.first_kb, tenths.last_kb, tenths.growth_kb(),
                    long_enough ? "" : " (too short to judge its memory)");
        if (r.stalled) {
            std::printf("FAIL: run %d wrote nothing for %d s and was stopped\n", run_number,
                        STALL_SECONDS);
            failed = true;
        }
        if (r.status != 0) {
            std::printf("FAIL: run %d ended with status %d\n", run_number, r.status);
            failed = true;
        }
        if (has_sanitizer_report(r.errors)) {
            std::printf("FAIL: run %d: sanitizer report in %s.err:\n%s\n", run_number, stem.c_str(),
                        r.errors.c_str());
            failed = true;
        }
        if (long_enough) {
            ++checked;
            if (tenths.growth_kb() >= opt.max_growth) {
                std::printf("FAIL: run %d: resident memory grew by %ld kB (limit %ld kB)\n",
                            run_number, tenths.growth_kb(), opt.max_growth);
                failed = true;
            }
        }
        // The next run starts the game afresh with the tour and the rest of the script; a
        // run that ended before getting past the tour is not started again.
        if (!r.exited || reached <= from || reached >= script.end_time) break;
        from = reached;
    }
    if (rss_log) std::fclose(rss_log);

    // The tour reaches every screen by design; random keys must reach each on their own,
    // but the intro, which only a start shows.
    std::printf("screens: visits in the tour, visits after it, polls\n");
    int missing = 0;
    for (int i = 0; i < SCREENS; ++i) {
        const char *name = all_screens[i];
        const ScreenCount &c = screens[i];
        std::printf("  %-12s %6ld %8ld %10ld\n", name, c.tour_visits, c.visits, c.polls);
        long reached = std::strcmp(name, "intro") == 0 ? c.tour_visits + c.visits : c.visits;
        if (reached == 0) {
            std::printf("FAIL: random keys never reached screen %s\n", name);
            ++missing;
        }
    }
    if (checked == 0) {
        std::printf("FAIL: no run played %.0f s of game time, so memory was never judged\n",
                    opt.min_game);
        failed = true;
    }
    std::printf("soak: %d run%s, %d judged for memory, %.1f s in all: %s\n", run_number,
                run_number == 1 ? "" : "s", checked, total_seconds,
                failed || missing ? "FAILED" : "passed");
    return failed || missing ? 1 : 0;
}

int usage() {
    std::fprintf(stderr, "usage: fretfall-soak --replay BIN --assets DIR --script FILE "
                         "[--work DIR] [--min-game S] [--max-growth KB] [--rss-log FILE]\n");
    return 2;
}

} // namespace

int main(int argc, char **argv) {
    Options opt;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (i + 1 >= argc) return usage();
        std::string value = argv[++i];
        if (arg == "--replay")
            opt.replay = value;
        else if (arg == "--assets")
            opt.assets = value;
        else if (arg == "--script")
            opt.script = value;
        else if (arg == "--work")
            opt.work = value;
        else if (arg == "--rss-log")
            opt.rss_log = value;
        else if (arg == "--min-game")
            opt.min_game = std::atof(value.c_str());
        else if (arg == "--max-growth")
            opt.max_growth = std::atol(value.c_str());
        else
            return usage();
    }
    if (opt.replay.empty() || opt.assets.empty() || opt.script.empty()) return usage();
    // The game directory links to the assets, so the links must not depend on where the
    // runner was started.
    char *assets = realpath(opt.assets.c_str(), nullptr);
    if (!assets) {
        std::fprintf(stderr, "fretfall-soak: no asset directory %s\n", opt.assets.c_str());
        return 2;
    }
    opt.assets = assets;
    std::free(assets);
    // Sanitizer reports must end the run and be seen; the driver inherits these settings.
    // AddressSanitizer keeps freed blocks aside for a while (its quarantine, 256 MB and 1 MB
    // per thread) to catch late uses; the blocks set aside change with the screen, and its
    // allocator, which keeps each block size apart, grows to the largest mix it has held:
    // resident memory would climb for minutes without a single leak. The soak turns the
    // quarantine off and never hands memory back, so resident memory is the high-water
    // mark of what the game holds, and any growth is memory it kept. Uses after free are
    // still caught until the block is handed out again (and by the rest of the suite).
    std::string asan = "quarantine_size_mb=0:thread_local_quarantine_size_kb=0:"
                       "allocator_release_to_os_interval_ms=-1";
    if (const char *given = std::getenv("ASAN_OPTIONS")) asan += std::string(":") + given;
    setenv("ASAN_OPTIONS", asan.c_str(), 1);
    setenv("UBSAN_OPTIONS", "print_stacktrace=1:halt_on_error=1", 0);
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    return Soak(opt).run();
}
