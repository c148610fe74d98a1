// fretfall-soakgen: writes a seeded script of random key events for the headless driver.
//
//   fretfall-soakgen [--seed N] [--events N]
//
// The script opens with a fixed tour of every screen, then presses and releases every key
// the game knows and some it does not, in taps, holds, chords, mashing bursts, lone
// releases and menu gestures, with waits from none to two minutes, so that a long enough
// script walks through every screen again at random: songs play on, fail or are skipped,
// the credits roll to their end and won songs reach the name entry. N counts the key
// presses and releases, the tour's included. The same seed always gives the same script.
#include "soak_random.h"
#include "soak_script.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>

namespace {

struct WeightedKey {
    const char *name;
    int weight;
};

// Keys and how often a random press picks them. DOWN is not among them: a random DOWN
// would now and then carry a vertical menu's cursor to its fifth entry, and on the main
// menu a confirm there ends the program. DOWN is pressed by the menu gestures and the
// wiggles below instead, which never leave a cursor lower than the fourth entry.
const WeightedKey keys[] = {
    // menu keys
    {"UP", 40},
    {"LEFT", 45},
    {"RIGHT", 45},
    {"LCTRL", 30},
    {"LALT", 40},
    {"RETURN", 16},
    {"ESCAPE", 12},
    // lane buttons and the fixed lane keys of a song
    {"LSHIFT", 14},
    {"SPACE", 14},
    {"TAB", 10},
    {"BACKSPACE", 10},
    {"a", 10},
    {"s", 10},
    {"d", 10},
    {"f", 10},
    {"g", 10},
    // the developer's skip key ends a song at once, on to the results and the name entry
    {"q", 10},
    // keys no screen knows
    {"RCTRL", 2},
    {"RALT", 2},
    {"RSHIFT", 2},
    {"HOME", 2},
    {"PAGEDOWN", 2},
    {"F1", 2},
    {"F12", 2},
    {"DELETE", 2},
    {"MINUS", 2},
    {"z", 2},
    {"x", 2},
    {"1", 2},
};

const char *pick_key(SoakRandom &rng) {
    int total = 0;
    for (const WeightedKey &k : keys)
        total += k.weight;
    int roll = static_cast<int>(rng.below(static_cast<unsigned>(total)));
    for (const WeightedKey &k : keys) {
        if (roll < k.weight) return k.name;
        roll -= k.weight;
    }
    return keys[0].name;
}

// A pause between actions (ms): mostly short, as a player's fingers are; sometimes long
// enough for a song to play on, a failure to come, the credits to roll out or an intro
// splash to end by itself.
unsigned pick_wait(SoakRandom &rng) {
    unsigned roll = rng.below(1000);
    if (roll < 580) return rng.below(60);
    if (roll < 900) return 60 + rng.below(540);
    if (roll < 982) return 600 + rng.below(5400);
    if (roll < 997) return 6000 + rng.below(19000);
    return 25000 + rng.below(95000);
}

class Writer {
  public:
    explicit Writer(FILE *out) : out(out) {}
    void wait(unsigned ms) {
        if (ms > 0) std::fprintf(out, "wait %u\n", ms);
    }
    void down(const char *key) {
        std::fprintf(out, "down %s\n", key);
        ++events;
    }
    void up(const char *key) {
        std::fprintf(out, "up %s\n", key);
        ++events;
    }
    long events = 0;

  private:
    FILE *out;
};

void tap(Writer &w, const char *key, unsigned pause) {
    w.down(key);
    w.up(key);
    w.wait(pause);
}

// A menu gesture: the cursor pushed to the top, moved down to an entry and confirmed, as a
// player picks an entry. Each of the first four entries is picked evenly; the fifth (the
// main menu's exit, the other menus' way back) once in 200 gestures, so that the program
// ends now and then but most runs are long.
void menu_gesture(SoakRandom &rng, Writer &w) {
    for (int i = 0; i < 5; ++i)
        tap(w, "UP", 20 + rng.below(40));
    unsigned entry = rng.below(200) == 0 ? 4 : rng.below(4);
    for (unsigned i = 0; i < entry; ++i)
        tap(w, "DOWN", 20 + rng.below(40));
    tap(w, "LCTRL", 0);
}

// DOWN tapped or held, then UP: a lane and a scroll in a song or the gallery, a row on the
// name entry, and no lasting move of a vertical menu's cursor.
void down_wiggle(SoakRandom &rng, Writer &w) {
    w.down("DOWN");
    if (rng.below(4) == 0) w.wait(300 + rng.below(2000));
    w.up("DOWN");
    w.wait(rng.below(60));
    tap(w, "UP", 0);
}

// Taps of a fixed key sequence, far enough apart for any menu to take each one.
void taps(Writer &w, std::initializer_list<const char *> sequence) {
    for (const char *key : sequence)
        tap(w, key, 60);
}

// From a song's first frame, a pause and the skip key: the song is won and its name entry
// is reached. The song start takes 5.2 s before that frame. (Lane presses here would be
// misses, and a few misses at the start fail a song.)
void win_song(Writer &w, std::initializer_list<const char *> name) {
    w.wait(5600);
    taps(w, {"RETURN", "RETURN", "q"});
    w.wait(6500); // the win banner and the results
    taps(w, name);
    w.wait(300);
}

// The opening tour: from a fresh start through every screen, with every song started and
// the tutorial's highscore table filled, so that what the game allocates on its screens
// is allocated once within the first seconds of a run (under four minutes of game time).
// Memory that grows after that grows for good. The runner plays the tour again at the
// start of every later run.
void opening_tour(Writer &w) {
    taps(w, {"LCTRL", "LCTRL", "LCTRL", "LCTRL", "LCTRL"}); // the intro
    // Eleven won tutorials fill its highscore table with names of varied widths.
    const char *const moves[] = {"RIGHT", "DOWN", "LEFT", "UP"};
    for (int i = 0; i < 11; ++i) {
        taps(w, {"LCTRL", "DOWN", "DOWN", "LCTRL"}); // play menu, tutorial
        const char *move = moves[i % 4];
        win_song(w, {move, "LCTRL", move, "LCTRL", "RIGHT", "LCTRL"}); // three confirms
    }
    // Every song from the song selection: won, left from the pause screen or failed.
    for (int song = 0; song < 5; ++song) {
        taps(w, {"LCTRL", "DOWN", "LCTRL"});
        for (int page = 0; page < song; ++page)
            taps(w, {"RIGHT"});
        taps(w, {"LCTRL"});
        if (song < 3) {
            win_song(w, {"DOWN", "LCTRL", "UP", "LCTRL", "LCTRL"});
        } else if (song == 3) {
            w.wait(7000);
            taps(w, {"RETURN", "ESCAPE"});
            w.wait(500);
        } else {
            // Lanes pressed with no note to hit: misses, until the meter runs empty.
            w.wait(5600);
            taps(w, {"a", "s", "d", "f", "g", "LSHIFT", "SPACE", "TAB", "BACKSPACE"});
            w.wait(4000);
        }
    }
    // Career, the highscore pages and back to the main menu.
    taps(w, {"LCTRL", "LCTRL", "LALT", "DOWN", "DOWN", "DOWN", "LCTRL"});
    taps(w, {"LEFT", "RIGHT", "RIGHT", "RIGHT", "RIGHT", "RIGHT", "RIGHT", "LALT"});
    taps(w, {"DOWN", "LCTRL"});
    // The gallery: every page, scrolled.
    taps(w, {"DOWN", "LCTRL", "DOWN", "DOWN", "RIGHT", "DOWN", "RIGHT", "RIGHT", "UP", "LEFT",
             "LALT"});
    // Options: two steps of the key configuration, the game look, the volume with the sync
    // calibration (a nudge, and clicks pressed twice and stopped), the save menu.
    taps(w, {"DOWN", "LCTRL", "LCTRL", "LSHIFT", "LALT", "ESCAPE"});
    taps(w, {"DOWN", "DOWN", "LCTRL", "DOWN", "LCTRL", "RIGHT", "UP", "RIGHT", "DOWN", "DOWN",
             "LEFT", "DOWN", "LCTRL"});
    taps(w, {"DOWN", "DOWN", "LCTRL", "DOWN", "DOWN", "LCTRL", "LEFT", "RIGHT", "RIGHT", "LCTRL",
             "RIGHT", "LCTRL"});
    w.wait(2500);
    taps(w, {"LCTRL", "LCTRL", "LALT", "LALT", "LALT"});
    taps(w, {"LCTRL", "DOWN", "DOWN", "DOWN", "LCTRL", "UP", "UP", "UP", "LCTRL"});
    w.wait(600);
    taps(w, {"DOWN", "LCTRL"});
    w.wait(600);
    taps(w, {"DOWN", "LCTRL"});
    w.wait(600);
    taps(w, {"DOWN", "LCTRL"});
    // The credits, rolled to their end, and once more left at once.
    taps(w, {"DOWN", "DOWN", "DOWN", "LCTRL"});
    w.wait(18500);
    taps(w, {"LCTRL", "LALT", "UP", "UP", "UP"});
}

// One action of the player; returns after writing its key events.
void act(SoakRandom &rng, Writer &w) {
    unsigned roll = rng.below(100);
    if (roll < 16) {
        // Often a second one at once, as into a screen of the options menu.
        menu_gesture(rng, w);
        if (rng.below(2)) {
            w.wait(100 + rng.below(400));
            menu_gesture(rng, w);
        }
    } else if (roll < 21) {
        down_wiggle(rng, w);
    } else if (roll < 62) {
        // A tap: press, perhaps a short pause, release.
        const char *key = pick_key(rng);
        w.down(key);
        if (rng.below(2)) w.wait(rng.below(120));
        w.up(key);
    } else if (roll < 72) {
        // A hold: one press that lasts, as on a held lane.
        const char *key = pick_key(rng);
        w.down(key);
        w.wait(300 + rng.below(3700));
        w.up(key);
    } else if (roll < 82) {
        // A chord: a second key pressed before the first is let go, released in either order.
        const char *first = pick_key(rng);
        const char *second = pick_key(rng);
        w.down(first);
        w.wait(rng.below(80));
        w.down(second);
        w.wait(rng.below(300));
        if (rng.below(2)) {
            w.up(first);
            w.up(second);
        } else {
            w.up(second);
            w.up(first);
        }
    } else if (roll < 92) {
        // Mashing: a burst of taps with next to no time between them.
        unsigned count = 4 + rng.below(16);
        for (unsigned i = 0; i < count; ++i) {
            const char *key = pick_key(rng);
            w.down(key);
            w.up(key);
            w.wait(rng.below(30));
        }
    } else if (roll < 94) {
        // A release of a key that is not held.
        w.up(pick_key(rng));
    } else if (roll < 97) {
        // START and then START again or SELECT: in a song, a pause resumed or left.
        tap(w, "RETURN", 100 + rng.below(1500));
        tap(w, rng.below(2) ? "RETURN" : "ESCAPE", 0);
    } else {
        // A press whose release comes much later, after other keys.
        const char *key = pick_key(rng);
        w.down(key);
        unsigned others = 1 + rng.below(4);
        for (unsigned i = 0; i < others; ++i) {
            const char *other = pick_key(rng);
            w.wait(rng.below(200));
            w.down(other);
            w.up(other);
        }
        w.wait(rng.below(500));
        w.up(key);
    }
}

int usage() {
    std::fprintf(stderr, "usage: fretfall-soakgen [--seed N] [--events N]\n");
    return 2;
}

bool parse_count(const char *text, unsigned long long &out) {
    char *end = nullptr;
    out = std::strtoull(text, &end, 10);
    return *text && !*end;
}

} // namespace

int main(int argc, char **argv) {
    unsigned long long seed = 1, events = 20000;
    for (int i = 1; i < argc; ++i) {
        bool has_value = i + 1 < argc;
        if (!std::strcmp(argv[i], "--seed") && has_value) {
            if (!parse_count(argv[++i], seed)) return usage();
        } else if (!std::strcmp(argv[i], "--events") && has_value) {
            if (!parse_count(argv[++i], events)) return usage();
        } else {
            return usage();
        }
    }
    SoakRandom rng(seed);
    Writer w(stdout);
    std::printf("# fretfall-soakgen --seed %llu --events %llu\n", seed, events);
    opening_tour(w);
    std::printf("%s\n", TOUR_END);
    while (static_cast<unsigned long long>(w.events) < events) {
        act(rng, w);
        w.wait(pick_wait(rng));
    }
    std::printf("end\n");
    return 0;
}
