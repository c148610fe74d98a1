// libFuzzer target: the highscore-file reader on any bytes, and an appended entry line
// reading back with its score.
#include "fuzz_file.h"
#include "songs/catalogue.h"
#include "store/hiscore_file.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

// The song lookup behind hiscore_path lives in the catalogue, which brings in every chart
// and SDL handle; this target works on paths alone and knows no song.
const SongEntry *song_entry(int) { return nullptr; }

namespace {

// Rows taken from a file of `size` bytes: one per line, a last line without line feed too.
int lines_in(const uint8_t *data, size_t size) {
    int lines = 0;
    for (size_t i = 0; i < size; ++i)
        lines += data[i] == '\n';
    if (size > 0 && data[size - 1] != '\n') ++lines;
    return lines;
}

bool ranks_before(const HiscoreRow &a, const HiscoreRow &b) {
    return a.has_score && (!b.has_score || a.score > b.score);
}

// The name-entry grid's characters, which are all a name slot can hold.
const char grid[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVXYWZ";

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    std::string input = fuzz_input_file("DATA0.dat", data, size);
    HiscoreRow rows[HISCORE_ROWS];
    int count = read_hiscore_rows(input.c_str(), rows);
    int lines = lines_in(data, size);
    if (count != (lines < HISCORE_ROWS ? lines : HISCORE_ROWS)) std::abort();
    for (int i = 0; i < count; ++i) {
        const HiscoreRow &row = rows[i];
        if (!std::memchr(row.text, '\0', sizeof row.text)) std::abort();
        if (std::strchr(row.text, '\n')) std::abort();
        if (!row.has_score && row.score != 0) std::abort();
        if (i > 0 && ranks_before(row, rows[i - 1])) std::abort();
    }

    // An entry the game writes, appended behind these bytes, is a row with its score.
    if (size < 7) return 0;
    int score = 0;
    std::memcpy(&score, data, sizeof score);
    char slots[3][2] = {};
    for (int i = 0; i < 3; ++i)
        if (data[4 + i] % 2) slots[i][0] = grid[data[4 + i] / 2 % (sizeof grid - 1)];
    std::string path = fuzz_scratch_path("DATA1.dat");
    std::remove(path.c_str());
    if (!append_hiscore_line(path.c_str(), slots[0], slots[1], slots[2], score)) std::abort();
    if (read_hiscore_rows(path.c_str(), rows) != 1) std::abort();
    if (!rows[0].has_score || rows[0].score != score) std::abort();
    return 0;
}
