// Snapshot and lay-out of the progress file and the highscore files.
#include "headless/startfiles.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>

namespace {

// The whole size of a regular file and its first START_FILE_LIMIT bytes.
bool read_start_file(const char *path, StartFile &file) {
    struct stat st;
    if (stat(path, &st) != 0 || !S_ISREG(st.st_mode)) return false;
    FILE *in = std::fopen(path, "rb");
    if (!in) return false;
    file.bytes.resize(START_FILE_LIMIT);
    size_t got = std::fread(&file.bytes[0], 1, START_FILE_LIMIT, in);
    bool ok = !std::ferror(in);
    std::fclose(in);
    file.bytes.resize(got);
    // A file that changed size while it was read is taken as it was read.
    file.size = got;
    if (got == START_FILE_LIMIT && static_cast<Uint64>(st.st_size) > got) file.size = st.st_size;
    file.exists = ok;
    return ok;
}

bool write_file(const std::string &path, const std::string &bytes) {
    FILE *out = std::fopen(path.c_str(), "wb");
    if (!out) return false;
    bool ok = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
    return std::fclose(out) == 0 && ok;
}

} // namespace

std::vector<StartFile> snapshot_start_files() {
    std::vector<StartFile> files(start_file_count());
    for (int i = 0; i < start_file_count(); ++i)
        if (!read_start_file(start_file_name(i), files[i])) files[i] = StartFile();
    return files;
}

bool lay_out_start_files(const std::vector<StartFile> &files, const std::string &dir,
                         std::string &error) {
    for (int i = 0; i < start_file_count() && i < static_cast<int>(files.size()); ++i) {
        const char *name = start_file_name(i);
        const std::string path = dir + "/" + name;
        const char *slash = std::strchr(name, '/');
        if (files[i].exists && slash) {
            const std::string sub = dir + "/" + std::string(name, slash);
            if (mkdir(sub.c_str(), 0755) != 0 && errno != EEXIST) {
                error = "cannot make " + sub + ": " + std::strerror(errno);
                return false;
            }
        }
        if (files[i].exists ? !write_file(path, files[i].bytes)
                            : std::remove(path.c_str()) != 0 && errno != ENOENT) {
            error = "cannot lay out " + path + ": " + std::strerror(errno);
            return false;
        }
    }
    return true;
}
