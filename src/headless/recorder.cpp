// Recording to a file: values are gathered in memory and written in whole records.
#include "headless/recorder.h"

#include "headless/startfiles.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {

int fd = -1;
std::string pending; // encoded records not yet written
Uint32 last_ticks = 0;
std::string file_path;
const char *program_name = "fretfall";

void stop(const char *what) {
    std::fprintf(stderr, "%s: cannot %s the recording %s: %s; playing on without it\n",
                 program_name, what, file_path.c_str(), std::strerror(errno));
    close(fd);
    fd = -1;
    pending.clear();
}

} // namespace

void recorder_start(const char *program, const std::string &path, const StartFile *settings) {
    program_name = program;
    file_path = path;
    if (fd >= 0) close(fd);
    pending.clear();
    last_ticks = 0;
    fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) {
        std::fprintf(stderr, "%s: cannot create the recording %s: %s; playing on without it\n",
                     program, path.c_str(), std::strerror(errno));
        return;
    }
    std::vector<StartFile> files = snapshot_start_files();
    if (settings) files.back() = *settings;
    for (int i = 0; i < static_cast<int>(files.size()); ++i)
        if (files[i].exists && !files[i].whole())
            std::fprintf(stderr,
                         "%s: %s is larger than %zu MB; the recording keeps its first MB "
                         "and cannot be replayed exactly\n",
                         program, start_file_name(i), START_FILE_LIMIT >> 20);
    encode_start(files, pending);
    recorder_flush();
}

bool recorder_on() { return fd >= 0; }

void recorder_add(const Record &record) {
    if (fd >= 0) encode_record(record, last_ticks, pending);
}

void recorder_flush() {
    size_t done = 0;
    while (fd >= 0 && done < pending.size()) {
        ssize_t n = write(fd, pending.data() + done, pending.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            if (n == 0) errno = EIO;
            stop("write");
            return;
        }
        done += static_cast<size_t>(n);
    }
    pending.clear();
}
