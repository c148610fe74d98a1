// Runs the headless driver as a separate process, as a player's machine would run the game.
#include "harness.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

bool TraceLine::has(const std::string &key) const {
    for (const auto &f : fields)
        if (f.first == key) return true;
    return false;
}

int TraceLine::num(const std::string &key) const {
    for (const auto &f : fields)
        if (f.first == key) return std::atoi(f.second.c_str());
    return 0;
}

std::string TraceLine::text(const std::string &key) const {
    for (const auto &f : fields)
        if (f.first == key) return f.second;
    return "";
}

TraceLine parse_trace_line(const std::string &line) {
    TraceLine out;
    size_t i = 0;
    auto read_string = [&](std::string &s) {
        ++i; // opening quote
        while (i < line.size() && line[i] != '"') {
            if (line[i] == '\\' && i + 1 < line.size()) {
                char c = line[++i];
                if (c == 'u' && i + 4 < line.size()) {
                    s += static_cast<char>(std::strtol(line.substr(i + 1, 4).c_str(), nullptr, 16));
                    i += 4;
                } else {
                    s += c;
                }
            } else {
                s += line[i];
            }
            ++i;
        }
        ++i; // closing quote
    };
    while (i < line.size()) {
        if (line[i] != '"') {
            ++i;
            continue;
        }
        std::string key, value;
        read_string(key);
        while (i < line.size() && (line[i] == ':' || line[i] == ' '))
            ++i;
        if (i < line.size() && line[i] == '"') {
            read_string(value);
        } else {
            while (i < line.size() && line[i] != ',' && line[i] != '}')
                value += line[i++];
        }
        out.fields.emplace_back(key, value);
    }
    return out;
}

std::string game_dir() { return FRETFALL_GAME_DIR; }

GameDir::GameDir(bool with_data_dir) {
    char pattern[] = "/tmp/fretfall-test-XXXXXX";
    char *made = mkdtemp(pattern);
    dir = made ? made : "/tmp";
    for (const char *entry : {"img", "audio", "song", "ariblk.ttf"}) {
        std::string target = game_dir() + "/" + entry;
        std::string link = dir + "/" + entry;
        if (symlink(target.c_str(), link.c_str()) != 0) std::perror(link.c_str());
    }
    if (with_data_dir) mkdir((dir + "/data").c_str(), 0755);
}

GameDir::~GameDir() {
    if (dir.rfind("/tmp/fretfall-test-", 0) == 0) {
        std::string cmd = "chmod -R u+w '" + dir + "' 2>/dev/null; rm -rf '" + dir + "'";
        if (std::system(cmd.c_str()) != 0) std::fprintf(stderr, "cannot remove %s\n", dir.c_str());
    }
}

void GameDir::write(const std::string &relative, const std::string &content) const {
    std::ofstream(file(relative), std::ios::binary) << content;
}

std::string GameDir::read(const std::string &relative) const {
    std::ifstream in(file(relative), std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

bool GameDir::exists(const std::string &relative) const {
    return access(file(relative).c_str(), F_OK) == 0;
}

std::vector<TraceLine> ReplayRun::polls(const std::string &screen) const {
    std::vector<TraceLine> out;
    for (const TraceLine &l : lines)
        if (l.text("screen") == screen) out.push_back(l);
    return out;
}

std::vector<TraceLine> ReplayRun::all_polls() const {
    std::vector<TraceLine> out;
    for (const TraceLine &l : lines)
        if (l.has("screen")) out.push_back(l);
    return out;
}

std::vector<std::string> ReplayRun::sounds() const {
    std::vector<std::string> out;
    for (const TraceLine &l : lines)
        if (l.has("sound")) out.push_back(l.text("sound"));
    return out;
}

std::vector<int> ReplayRun::sound_times(const std::string &stem) const {
    std::vector<int> out;
    for (const TraceLine &l : lines)
        if (l.text("sound") == stem) out.push_back(l.num("t"));
    return out;
}

std::vector<std::string> ReplayRun::music() const {
    std::vector<std::string> out;
    for (const TraceLine &l : lines)
        if (l.has("music")) out.push_back(l.text("music"));
    return out;
}

int ReplayRun::exit_line() const {
    for (const TraceLine &l : lines)
        if (l.has("exit")) return l.num("exit");
    return -1000;
}

TraceLine ReplayRun::last_poll() const {
    for (auto it = lines.rbegin(); it != lines.rend(); ++it)
        if (it->has("screen")) return *it;
    return TraceLine();
}

ReplayRun run_script(const GameDir &dir, const std::string &script, const std::string &options) {
    static int counter = 0;
    std::string stem = dir.file("run" + std::to_string(++counter));
    dir.write("run" + std::to_string(counter) + ".script", script);
    std::string cmd = std::string(FRETFALL_EMULATOR) + " '" + FRETFALL_REPLAY + "' --dir '" +
                      dir.path() + "' --trace '" + stem + ".trace' " + options + " '" + stem +
                      ".script' 2>'" + stem + ".err'";
    ReplayRun run;
    int raw = std::system(cmd.c_str());
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
    std::ifstream trace(stem + ".trace");
    std::stringstream whole;
    whole << trace.rdbuf();
    run.trace = whole.str();
    std::istringstream lines(run.trace);
    for (std::string line; std::getline(lines, line);)
        run.lines.push_back(parse_trace_line(line));
    std::ifstream err(stem + ".err");
    std::stringstream e;
    e << err.rdbuf();
    run.errors = e.str();
    return run;
}
