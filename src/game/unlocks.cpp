// The gallery's unlock rule.
#include "game/unlocks.h"

namespace {

const int WINS_PER_GUITAR = 5;

} // namespace

int gallery_unlock_wins(int page) { return WINS_PER_GUITAR * (page + 1); }

bool unlocks_guitar(int win_count) {
    for (int page = 0; page < GUITAR_COUNT; ++page)
        if (win_count == gallery_unlock_wins(page)) return true;
    return false;
}
