// Whole-file replacement through a temporary file, a flush to the disk and a rename.
#include "store/atomic_write.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Flushes the directory holding `path`, so that a rename into it survives a power loss.
// Best effort: the file itself is already safe on the disk.
void sync_directory_of(const char *path) {
    char dir[4096];
    const char *slash = std::strrchr(path, '/');
    int n;
    if (!slash)
        n = std::snprintf(dir, sizeof dir, ".");
    else if (slash == path)
        n = std::snprintf(dir, sizeof dir, "/");
    else
        n = std::snprintf(dir, sizeof dir, "%.*s", static_cast<int>(slash - path), path);
    if (n < 0 || static_cast<size_t>(n) >= sizeof dir) return;
    int fd = open(dir, O_RDONLY | O_DIRECTORY);
    if (fd < 0) return;
    fsync(fd);
    close(fd);
}

} // namespace

bool replace_file(const char *path, const char *bytes, size_t size) {
    // The new bytes go to a file beside the old one, reach the disk, and only then take
    // its name.
    char temporary[4096];
    int n = std::snprintf(temporary, sizeof temporary, "%s.new", path);
    if (n < 0 || static_cast<size_t>(n) >= sizeof temporary) return false;
    FILE *file = std::fopen(temporary, "w");
    if (!file) return false;
    bool ok = size == 0 || std::fwrite(bytes, 1, size, file) == size;
    ok = std::fflush(file) == 0 && ok;
    ok = fsync(fileno(file)) == 0 && ok;
    ok = std::fclose(file) == 0 && ok;
    if (ok && std::rename(temporary, path) == 0) {
        sync_directory_of(path);
        return true;
    }
    std::remove(temporary);
    return false;
}

void make_parent_dir(const char *path) {
    const char *slash = std::strrchr(path, '/');
    if (!slash || slash == path) return;
    char dir[256];
    size_t len = static_cast<size_t>(slash - path);
    if (len >= sizeof dir) return;
    std::memcpy(dir, path, len);
    dir[len] = '\0';
    struct stat st;
    if (stat(dir, &st) != 0 && errno == ENOENT) mkdir(dir, 0755);
}
