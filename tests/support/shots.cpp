// Stand-in images and screenshot reading for the menu tests.
#include "shots.h"

#include "engine/assets.h"
#include "headless/screenshot.h"

#include <SDL_image.h>
#include <SDL_ttf.h>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <sstream>

namespace fs = std::filesystem;

namespace {

// Turns a linked directory of the test game directory into a real one whose entries are
// links to the generated tree, so that single files in it can be replaced.
void own_directory(const GameDir &dir, const std::string &relative) {
    fs::path mine = dir.file(relative);
    if (!fs::is_symlink(mine)) return;
    fs::path generated = game_dir() + "/" + relative;
    fs::remove(mine);
    fs::create_directory(mine);
    for (const fs::directory_entry &e : fs::directory_iterator(generated))
        fs::create_symlink(e.path(), mine / e.path().filename());
}

TTF_Font *font_at(int points) {
    static TTF_Font *fonts[64] = {};
    if (points <= 0 || points >= 64) return nullptr;
    if (!TTF_WasInit() && TTF_Init() != 0) return nullptr;
    if (!fonts[points])
        fonts[points] = open_game_font((game_dir() + "/ariblk.ttf").c_str(), points);
    return fonts[points];
}

} // namespace

void put_image(const GameDir &dir, const std::string &relative, int w, int h,
               const std::function<Rgb(int, int)> &paint) {
    fs::path path(relative);
    std::string sub;
    for (const fs::path &part : path.parent_path()) {
        sub = sub.empty() ? part.string() : sub + "/" + part.string();
        own_directory(dir, sub);
    }
    SDL_Surface *s = SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, 24, 0xff, 0xff00, 0xff0000, 0);
    ASSERT_NE(s, nullptr);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            Rgb c = paint(x, y);
            SDL_Rect px = {static_cast<Sint16>(x), static_cast<Sint16>(y), 1, 1};
            SDL_FillRect(s, &px, SDL_MapRGB(s->format, c.r, c.g, c.b));
        }
    fs::remove(dir.file(relative));
    EXPECT_TRUE(save_png(s, dir.file(relative).c_str())) << relative;
    SDL_FreeSurface(s);
}

void put_solid_image(const GameDir &dir, const std::string &relative, int w, int h, Rgb colour) {
    put_image(dir, relative, w, h, [colour](int, int) { return colour; });
}

Shot::Shot(const std::string &path) { surface = IMG_Load(path.c_str()); }

Shot::~Shot() {
    if (surface) SDL_FreeSurface(surface);
}

Rgb Shot::at(int x, int y) const { return pixel_at(surface, x, y); }

int Shot::count_in_column(int x, int y0, int y1, Rgb colour) const {
    int n = 0;
    for (int y = y0; y < y1; ++y)
        n += same_colour(at(x, y), colour);
    return n;
}

int Shot::count_in_row(int y, int x0, int x1, Rgb colour) const {
    int n = 0;
    for (int x = x0; x < x1; ++x)
        n += same_colour(at(x, y), colour);
    return n;
}

int Shot::first_in_column(int x, int y0, Rgb colour) const {
    for (int y = y0; surface && y < surface->h; ++y)
        if (same_colour(at(x, y), colour)) return y;
    return -1;
}

bool shows_text(const Shot &shot, int x, int y, int points, const std::string &text, int rows) {
    TTF_Font *font = font_at(points);
    if (!font || !shot.loaded()) return false;
    SDL_Color white = {255, 255, 255, 0};
    SDL_Surface *ink = TTF_RenderText_Solid(font, text.c_str(), white);
    if (!ink) return false;
    auto inked = [&](int row) {
        const Uint8 *line = static_cast<const Uint8 *>(ink->pixels) + row * ink->pitch;
        for (int col = 0; col < ink->w; ++col)
            if (line[col]) return true;
        return false;
    };
    int first = 0, last = ink->h - 1;
    while (first < last && !inked(first))
        ++first;
    while (last > first && !inked(last))
        --last;
    bool same = true;
    for (int row = first; row <= last && row < rows && same; ++row)
        for (int col = 0; col < ink->w && same; ++col) {
            Uint8 index = static_cast<const Uint8 *>(ink->pixels)[row * ink->pitch + col];
            Rgb seen = shot.at(x + col, y + row);
            if (seen.r < 0) continue; // clipped by the screen edge
            same = (index != 0) == same_colour(seen, {255, 255, 255});
        }
    SDL_FreeSurface(ink);
    return same;
}

int text_width(int points, const std::string &text) {
    int w = 0, h = 0;
    TTF_Font *font = font_at(points);
    if (!font || TTF_SizeText(font, text.c_str(), &w, &h) != 0) return -1;
    return w;
}

std::string taps(const std::string &keys, int gap) {
    std::istringstream in(keys);
    std::string out;
    for (std::string key; in >> key;)
        out += "tap " + key + "\nwait " + std::to_string(gap) + "\n";
    return out;
}

std::string after_intro() { return skip_intro() + "wait 250\n"; }
