// Timed scripts for the soak runner: reading the driver's language and cutting it.
#include "soak_script.h"

#include <cctype>
#include <sstream>

long TimedScript::events() const {
    long n = 0;
    for (const TimedCommand &c : commands)
        n += c.text.compare(0, 4, "tap ") == 0 ? 2 : 1;
    return n;
}

bool read_timed_script(const std::string &text, TimedScript &out, std::string &error) {
    std::istringstream in(text);
    std::string line;
    unsigned long clock = 0;
    bool ended = false;
    int number = 0;
    out = TimedScript();
    while (std::getline(in, line)) {
        ++number;
        if (line == TOUR_END && !ended) out.tour_end = clock;
        std::istringstream words(line);
        std::string cmd, arg;
        if (!(words >> cmd) || cmd[0] == '#') continue;
        words >> arg;
        bool ok = true;
        if (ended) {
            continue; // the driver stops reading the clock at "end"
        } else if (cmd == "wait") {
            ok = !arg.empty() && arg.size() <= 9;
            for (char c : arg)
                ok = ok && std::isdigit(static_cast<unsigned char>(c));
            if (ok) clock += std::stoul(arg);
        } else if ((cmd == "down" || cmd == "up" || cmd == "tap") && !arg.empty()) {
            out.commands.push_back({clock, cmd + " " + arg});
        } else if (cmd == "shot" && !arg.empty()) {
            // screenshots belong to one run, not to a soak
        } else if (cmd == "end" && arg.empty()) {
            out.end_time = clock;
            ended = true;
        } else {
            ok = false;
        }
        if (!ok) {
            error = "line " + std::to_string(number) + ": cannot read \"" + line + "\"";
            return false;
        }
    }
    if (!ended) out.end_time = clock;
    return true;
}

std::string script_resumed(const TimedScript &script, unsigned long from, bool inclusive) {
    std::ostringstream out;
    unsigned long clock = 0;
    auto emit = [&](unsigned long time, const std::string &text) {
        if (time > clock) out << "wait " << time - clock << "\n";
        clock = time;
        out << text << "\n";
    };
    if (script.tour_end > 0)
        for (const TimedCommand &c : script.commands)
            if (c.time <= script.tour_end) emit(c.time, c.text);
    for (const TimedCommand &c : script.commands) {
        bool after = c.time > from || (inclusive && c.time == from);
        if (after && (script.tour_end == 0 || c.time > script.tour_end))
            emit(script.tour_end + (c.time - from), c.text);
    }
    if (script.end_time > from) {
        unsigned long end = script.tour_end + (script.end_time - from);
        if (end > clock) out << "wait " << end - clock << "\n";
    }
    out << "end\n";
    return out.str();
}
