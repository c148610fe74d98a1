// Resident memory from /proc/PID/status and the medians of a run's first and last tenth.
#include "soak_memory.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

long read_rss_kb(pid_t pid) {
    char path[64];
    std::snprintf(path, sizeof path, "/proc/%d/status", static_cast<int>(pid));
    FILE *file = std::fopen(path, "r");
    if (!file) return -1;
    long kb = -1;
    char line[256];
    while (std::fgets(line, sizeof line, file))
        if (std::strncmp(line, "VmRSS:", 6) == 0) {
            std::sscanf(line + 6, "%ld", &kb);
            break;
        }
    std::fclose(file);
    return kb;
}

namespace {

long median(std::vector<long> values) {
    if (values.empty()) return -1;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

RssTenths rss_tenths(const std::vector<RssSample> &samples) {
    RssTenths out;
    if (samples.empty()) return out;
    double start = samples.front().seconds, end = samples.back().seconds;
    double tenth = (end - start) / 10;
    std::vector<long> first, last;
    for (const RssSample &s : samples) {
        if (s.seconds <= start + tenth) first.push_back(s.kb);
        if (s.seconds >= end - tenth) last.push_back(s.kb);
    }
    out.first_kb = median(first);
    out.last_kb = median(last);
    return out;
}
