// The fuzzers' scratch directory: one per process, so parallel jobs never share a file,
// in memory (/dev/shm) when the machine has it: every input is written and read back.
#include "fuzz_file.h"

#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace {

std::string scratch;

void remove_scratch() {
    if (scratch.empty()) return;
    std::string cmd = "rm -rf '" + scratch + "'";
    if (std::system(cmd.c_str()) != 0) std::fprintf(stderr, "cannot remove %s\n", scratch.c_str());
}

} // namespace

std::string fuzz_scratch_path(const char *name) {
    if (scratch.empty()) {
        char in_memory[] = "/dev/shm/fretfall-fuzz-XXXXXX";
        char on_disk[] = "/tmp/fretfall-fuzz-XXXXXX";
        const char *made = mkdtemp(in_memory);
        if (!made) made = mkdtemp(on_disk);
        if (!made) std::abort();
        scratch = made;
        std::atexit(remove_scratch);
    }
    return scratch + "/" + name;
}

std::string fuzz_input_file(const char *name, const uint8_t *data, size_t size) {
    std::string path = fuzz_scratch_path(name);
    FILE *file = std::fopen(path.c_str(), "wb");
    if (!file) std::abort();
    if (size > 0 && std::fwrite(data, 1, size, file) != size) std::abort();
    if (std::fclose(file) != 0) std::abort();
    return path;
}
