// libFuzzer target: the library cache's reader on any bytes; every directory it keeps lies
// inside an earlier one, and what it read writes back to a text that reads the same.
#include "fuzz_file.h"
#include "store/librarycache.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    std::string input = fuzz_input_file("library.cache", data, size);
    std::vector<LibraryFolder> folders;
    if (!read_library_cache(input.c_str(), folders)) {
        if (!folders.empty()) std::abort();
        return 0;
    }
    for (size_t i = 0; i < folders.size(); ++i) {
        const LibraryFolder &f = folders[i];
        if (f.parent >= static_cast<int>(i) || f.parent < -1) std::abort();
        if (f.parent >= 0 &&
            (folders[f.parent].song || f.path.compare(0, folders[f.parent].path.size() + 1,
                                                      folders[f.parent].path + "/") != 0))
            std::abort();
        if (f.song && f.entry.dir != f.path) std::abort();
    }
    std::string text = library_cache_text(folders);
    std::vector<LibraryFolder> again;
    if (!parse_library_cache(text.data(), text.size(), again) || library_cache_text(again) != text)
        std::abort();
    return 0;
}
