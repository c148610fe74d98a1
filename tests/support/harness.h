// Test harness: a throw-away game directory and runs of the headless driver on scripts.
#pragma once
#include "songscript.h" // skip_intro(): the script text that skips the whole intro

#include <string>
#include <vector>

// One line of the driver's trace: a flat JSON object of numbers and strings.
struct TraceLine {
    std::vector<std::pair<std::string, std::string>> fields; // raw values, strings unquoted
    bool has(const std::string &key) const;
    int num(const std::string &key) const; // 0 when absent
    std::string text(const std::string &key) const;
};

// Parses one trace line; fields keep their order.
TraceLine parse_trace_line(const std::string &line);

// A temporary working directory holding links to the generated asset tree and an empty
// data/ directory, removed again when the test ends.
class GameDir {
  public:
    explicit GameDir(bool with_data_dir = true);
    ~GameDir();
    GameDir(const GameDir &) = delete;
    GameDir &operator=(const GameDir &) = delete;

    const std::string &path() const { return dir; }
    std::string file(const std::string &relative) const { return dir + "/" + relative; }
    void write(const std::string &relative, const std::string &content) const;
    std::string read(const std::string &relative) const; // "" when missing
    bool exists(const std::string &relative) const;

  private:
    std::string dir;
};

struct ReplayRun {
    int status = -1;              // exit status of fretfall-replay
    std::vector<TraceLine> lines; // the whole trace
    std::string errors;           // what it wrote on stderr
    std::string trace;            // the trace file as written

    // Poll lines of one screen (in order).
    std::vector<TraceLine> polls(const std::string &screen) const;
    // Every poll line.
    std::vector<TraceLine> all_polls() const;
    // Effect stems started, in order ("BATIDA", ...).
    std::vector<std::string> sounds() const;
    // Times of one effect.
    std::vector<int> sound_times(const std::string &stem) const;
    // Music paths started, in order.
    std::vector<std::string> music() const;
    // The status of the "exit" trace line, or -1000 when the program did not exit.
    int exit_line() const;
    // The last poll line, or an empty line.
    TraceLine last_poll() const;
};

// Runs fretfall-replay in `dir` on `script` (the text of a script file); `options` are
// further command-line words, already quoted for the shell.
ReplayRun run_script(const GameDir &dir, const std::string &script,
                     const std::string &options = "");

// Path of the generated asset tree of this build.
std::string game_dir();
