// Resident memory of a running process, sampled from /proc, and the growth over a run.
#pragma once
#include <sys/types.h>
#include <vector>

struct RssSample {
    double seconds; // since the run started
    long kb;        // VmRSS
};

// VmRSS of `pid` in kB, or -1 when it cannot be read (the process has ended).
long read_rss_kb(pid_t pid);

// What a run's memory did: the median of the samples in its first tenth of time and of
// those in its last tenth. Medians pass over the brief peaks of one screen or another;
// memory that leaks stays up and moves the last tenth's median with it.
struct RssTenths {
    long first_kb = -1;
    long last_kb = -1;
    long growth_kb() const { return last_kb - first_kb; }
};
RssTenths rss_tenths(const std::vector<RssSample> &samples);
