// fretfall-shotcheck: reads a screenshot of the real game window and checks it against the
// generated pictures of the game directory, for the window test (tests/system/window.sh).
//
//   fretfall-shotcheck which SHOT IMAGE...   prints the IMAGE the shot shows, or "none"
//   fretfall-shotcheck menu SHOT GAMEDIR     the main menu with the cursor on entry 0
//   fretfall-shotcheck song SHOT GAMEDIR     fret row, a lane 1 note and the HUD of a song
//   fretfall-shotcheck scaled SHOT           a whole screen: prints where the 320x240
//                                            picture is and its factor, "WxH+X+Y k"; fails
//                                            unless every game pixel is a k x k block of
//                                            one colour, the picture has many colours,
//                                            and all around it is black
//
// Exit status 0: the check passed; 1: it failed (the reason on stdout); 3 (song only): the
// shot shows no lane 1 note yet, take another; 2: a file could not be read.
#include "game/lane_layout.h"
#include "pixels.h"

#include <SDL.h>
#include <SDL_image.h>
#include <SDL_ttf.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

namespace {

const Rgb WHITE = {255, 255, 255};
const Rgb MAGENTA = {255, 0, 255};

// A picture as plain RGB pixels, whatever format its file had.
struct Picture {
    int w = 0, h = 0;
    std::vector<Rgb> px;
    Rgb at(int x, int y) const { return px[static_cast<size_t>(y) * w + x]; }
};

Picture from_surface(SDL_Surface *s) {
    Picture pic;
    pic.w = s->w;
    pic.h = s->h;
    for (int y = 0; y < s->h; ++y)
        for (int x = 0; x < s->w; ++x)
            pic.px.push_back(pixel_at(s, x, y));
    return pic;
}

Picture load(const std::string &path) {
    SDL_Surface *s = IMG_Load(path.c_str());
    if (!s) {
        std::printf("cannot read %s\n", path.c_str());
        std::exit(2);
    }
    Picture pic = from_surface(s);
    SDL_FreeSurface(s);
    return pic;
}

// Pixels of the sprite frame (sx, sy, w, h) that are not its colour key, compared with the
// shot at (dx, dy), as far as the screen shows them. Returns the number that differ.
int sprite_mismatches(const Picture &shot, const Picture &sheet, int sx, int sy, int w, int h,
                      int dx, int dy, Rgb key) {
    int bad = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            Rgb want = sheet.at(sx + x, sy + y);
            if (same_colour(want, key) || dx + x >= shot.w || dy + y >= shot.h) continue;
            bad += !same_colour(shot.at(dx + x, dy + y), want);
        }
    return bad;
}

// Fraction of the pixels of two equally sized pictures that agree.
double agreement(const Picture &a, const Picture &b) {
    if (a.w != b.w || a.h != b.h) return 0;
    size_t agree = 0;
    for (size_t i = 0; i < a.px.size(); ++i)
        agree += same_colour(a.px[i], b.px[i]);
    return static_cast<double>(agree) / a.px.size();
}

// The image that agrees best with the shot, if at least 70% of the pixels agree (a song
// cover, for one, hides a quarter of the song selection backdrop).
int which(const Picture &shot, int count, char **images) {
    double best = 0.7;
    const char *name = "none";
    for (int i = 0; i < count; ++i) {
        double a = agreement(shot, load(images[i]));
        if (a >= best) best = a, name = images[i];
    }
    std::printf("%s\n", name);
    return 0;
}

// The main menu backdrop everywhere but for the cursor sprite of entry 0 at (5, 65).
int menu(const Picture &shot, const std::string &game) {
    Picture backdrop = load(game + "/img/menus/menu1.png");
    Picture cursor = load(game + "/img/sprite/cursorA.png");
    const int cx = 5, cy = 65, sy = 66, cw = 23, ch = 16;
    int bad = 0;
    for (int y = 0; y < backdrop.h; ++y)
        for (int x = 0; x < backdrop.w; ++x) {
            Rgb want = backdrop.at(x, y);
            bool in_cursor = x >= cx && x < cx + cw && y >= cy && y < cy + ch;
            if (in_cursor && !same_colour(cursor.at(x - cx, sy + y - cy), MAGENTA))
                want = cursor.at(x - cx, sy + y - cy);
            bad += !same_colour(shot.at(x, y), want);
        }
    if (bad) std::printf("main menu: %d pixels differ from backdrop and cursor\n", bad);
    return bad ? 1 : 0;
}

// Whether `text`, rendered in white, stands at (box.x, box.y): white exactly where the
// rendered text has ink, over a background without white. Gives the box its size.
bool shows_text(const Picture &shot, TTF_Font *font, SDL_Rect &box, const std::string &text) {
    SDL_Color white = {255, 255, 255, 0};
    SDL_Surface *ink = TTF_RenderText_Solid(font, text.c_str(), white);
    if (!ink) return false;
    int x = box.x, y = box.y;
    box.w = static_cast<Uint16>(ink->w);
    box.h = static_cast<Uint16>(ink->h);
    bool ok = true;
    for (int row = 0; row < ink->h && ok; ++row)
        for (int col = 0; col < ink->w && ok; ++col) {
            if (x + col >= shot.w || y + row >= shot.h) continue;
            bool inked = static_cast<const Uint8 *>(ink->pixels)[row * ink->pitch + col] != 0;
            ok = inked == same_colour(shot.at(x + col, y + row), WHITE);
        }
    SDL_FreeSurface(ink);
    return ok;
}

int song(const Picture &shot, const std::string &game) {
    Picture notes = load(game + "/img/sprite/notas.png");
    Picture frets = load(game + "/img/sprite/frets.png");
    Picture panel = load(game + "/img/sprite/score.png");
    Picture multiplier = load(game + "/img/sprite/multiplicador.png");
    int failures = 0;

    // Notes of every lane, also those cut by the bottom edge; the test needs one in lane 1.
    // Each is drawn at whole 10-pixel steps of its fall.
    std::vector<SDL_Rect> found;
    bool lane1 = false;
    for (int lane = 0; lane < LANE_COUNT; ++lane)
        for (int y = 0; y + 5 <= shot.h; ++y) {
            if (sprite_mismatches(shot, notes, NOTE_FRAME_X[lane], 0, 31, 23, LANE_X[lane], y,
                                  WHITE) != 0)
                continue;
            found.push_back({static_cast<Sint16>(LANE_X[lane]), static_cast<Sint16>(y), 31, 23});
            lane1 |= lane == 0 && y + 23 <= shot.h;
            std::printf("lane %d note at y %d\n", lane + 1, y);
            if (y % 10 != 0) {
                std::printf("a note stands between the 10-pixel steps of its fall\n");
                ++failures;
            }
        }
    if (!lane1) {
        std::printf("no lane 1 note\n");
        return 3;
    }
    auto covered = [&found](int x, int y, const std::vector<SDL_Rect> &more) {
        for (const std::vector<SDL_Rect> *list : {&std::as_const(found), &more})
            for (const SDL_Rect &r : *list)
                if (x >= r.x && x < r.x + r.w && y >= r.y && y < r.y + r.h) return true;
        return false;
    };

    // The fret row, from the top 33 rows of its sheet, at (80, 215), where no note covers it.
    int bad = 0;
    for (int y = 0; y < 33 && 215 + y < shot.h; ++y)
        for (int x = 0; x < 200; ++x) {
            Rgb want = frets.at(x, y);
            if (!same_colour(want, MAGENTA) && !covered(80 + x, 215 + y, {}))
                bad += !same_colour(shot.at(80 + x, 215 + y), want);
        }
    if (bad) std::printf("fret row: %d pixels differ\n", bad), ++failures;

    // The HUD texts: score and streak 0, and the timer in the seconds the first notes fall.
    if (TTF_Init() != 0) return 2;
    TTF_Font *font = TTF_OpenFont((game + "/ariblk.ttf").c_str(), 10);
    if (!font) return 2;
    TTF_SetFontHinting(font, TTF_HINTING_MONO); // as the game renders its texts
    std::vector<SDL_Rect> texts = {{40, 11, 0, 0}, {40, 29, 0, 0}, {0, 50, 0, 0}};
    if (!shows_text(shot, font, texts[0], "0")) std::printf("score is not 0\n"), ++failures;
    if (!shows_text(shot, font, texts[1], "0")) std::printf("streak is not 0\n"), ++failures;
    int second = -1;
    for (int s = 0; s < 60 && second < 0; ++s) {
        char timer[32];
        std::snprintf(timer, sizeof timer, "Timer: %02d:%02d", 0, s);
        if (shows_text(shot, font, texts[2], timer)) second = s;
    }
    if (second < 0)
        std::printf("no song timer at (0, 50)\n"), ++failures;
    else
        std::printf("timer at second %d\n", second);

    // Score panel at (0, 5) outside the texts and notes drawn over it, multiplier x1 at
    // (0, 180).
    bad = 0;
    for (int y = 0; y < panel.h; ++y)
        for (int x = 0; x < panel.w; ++x) {
            Rgb want = panel.at(x, y);
            if (!same_colour(want, MAGENTA) && !covered(x, y + 5, texts))
                bad += !same_colour(shot.at(x, y + 5), want);
        }
    if (bad) std::printf("score panel: %d pixels differ\n", bad), ++failures;
    bad = sprite_mismatches(shot, multiplier, 0, 0, 77, 19, 0, 180, MAGENTA);
    if (bad) std::printf("multiplier panel: %d pixels differ\n", bad), ++failures;
    return failures ? 1 : 0;
}

// The picture is the box around every pixel that is not black; its edges are not black on
// the screens the tests take (a splash, a menu).
int scaled(const Picture &shot) {
    const Rgb BLACK = {0, 0, 0};
    auto black = [&](Rgb c) { return c.r == BLACK.r && c.g == BLACK.g && c.b == BLACK.b; };
    int x0 = shot.w, y0 = shot.h, x1 = -1, y1 = -1;
    for (int y = 0; y < shot.h; ++y)
        for (int x = 0; x < shot.w; ++x)
            if (!black(shot.at(x, y))) {
                x0 = std::min(x0, x), x1 = std::max(x1, x);
                y0 = std::min(y0, y), y1 = std::max(y1, y);
            }
    int w = x1 - x0 + 1, h = y1 - y0 + 1;
    std::printf("%dx%d+%d+%d", w, h, x0, y0);
    int k = w / 320;
    if (x1 < 0 || k < 1 || w != 320 * k || h != 240 * k) {
        std::printf(": not a whole multiple of 320x240\n");
        return 1;
    }
    std::printf(" %d\n", k);
    int broken = 0;
    std::vector<bool> colours(1 << 15);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            Rgb c = shot.at(x0 + x, y0 + y), block = shot.at(x0 + x / k * k, y0 + y / k * k);
            broken += c.r != block.r || c.g != block.g || c.b != block.b;
            colours[(c.r >> 3) << 10 | (c.g >> 3) << 5 | c.b >> 3] = true;
        }
    int count = static_cast<int>(std::count(colours.begin(), colours.end(), true));
    if (broken) std::printf("%d pixels break the %dx%d blocks\n", broken, k, k);
    if (count <= 8) std::printf("the picture has only %d colours\n", count);
    return broken || count <= 8;
}

int usage() {
    std::fprintf(stderr, "usage: fretfall-shotcheck which SHOT IMAGE...\n"
                         "       fretfall-shotcheck menu|song SHOT GAMEDIR\n"
                         "       fretfall-shotcheck scaled SHOT\n");
    return 2;
}

} // namespace

int main(int argc, char **argv) {
    if (argc == 3 && std::string(argv[1]) == "scaled") return scaled(load(argv[2]));
    if (argc < 4) return usage();
    std::string mode = argv[1];
    Picture shot = load(argv[2]);
    if (mode == "which") return which(shot, argc - 3, argv + 3);
    if (shot.w != 320 || shot.h != 240) {
        std::printf("the shot is %dx%d, not 320x240\n", shot.w, shot.h);
        return 1;
    }
    if (mode == "menu") return menu(shot, argv[3]);
    if (mode == "song") return song(shot, argv[3]);
    return usage();
}
