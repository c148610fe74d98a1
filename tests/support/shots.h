// Stand-in images for a test game directory, and pixels and texts read off screenshots.
#pragma once
#include "harness.h"
#include "pixels.h"

#include <SDL.h>
#include <functional>
#include <string>

const Rgb BLACK = {0, 0, 0};
const Rgb MAGENTA = {255, 0, 255};
const Rgb RED = {255, 0, 0};
const Rgb GREEN = {0, 255, 0};
const Rgb BLUE = {0, 0, 255};
const Rgb YELLOW = {255, 255, 0};
const Rgb CYAN = {0, 255, 255};

// Replaces image `relative` (e.g. "img/sprite/audio1.png") of the test game directory
// with a w x h picture whose pixel (x, y) is paint(x, y); the other images stay links to
// the generated ones.
void put_image(const GameDir &dir, const std::string &relative, int w, int h,
               const std::function<Rgb(int, int)> &paint);
// The same with one colour.
void put_solid_image(const GameDir &dir, const std::string &relative, int w, int h, Rgb colour);

// A screenshot of the driver (an RGB PNG); pixels outside it, or of a missing file, read
// as (-1, -1, -1).
class Shot {
  public:
    explicit Shot(const std::string &path);
    ~Shot();
    Shot(const Shot &) = delete;
    Shot &operator=(const Shot &) = delete;

    bool loaded() const { return surface != nullptr; }
    Rgb at(int x, int y) const;
    // Rows y0..y1-1 of column x (or columns x0..x1-1 of row y) that show `colour`.
    int count_in_column(int x, int y0, int y1, Rgb colour) const;
    int count_in_row(int y, int x0, int x1, Rgb colour) const;
    // The first row from y0 downward of column x that shows `colour`, or -1.
    int first_in_column(int x, int y0, Rgb colour) const;

  private:
    SDL_Surface *surface = nullptr;
};

// Whether the shot shows `text`, as the game renders it in ariblk.ttf at `points` in
// white, with its top-left corner at (x, y), over a backdrop without white: every pixel
// of the text's box, from its first row of ink to its last, is white exactly where the
// rendered text has ink. The blank rows above and below are not compared, since lines set
// closer than the font's height share them. With `rows`, only the box's top rows are
// compared (a line drawn over its lower part).
bool shows_text(const Shot &shot, int x, int y, int points, const std::string &text,
                int rows = 1000);
// Width in pixels of `text` rendered at `points`.
int text_width(int points, const std::string &text);

// Script text that skips the intro and then waits until its key presses have all been
// taken, so that later key presses and shots fall on the passes their times name.
std::string after_intro();

// Script text: a tap of each key followed by `gap` ms. A gap of at
// least 35 ms lets each press and release be taken before the next tap is due.
std::string taps(const std::string &keys, int gap = 50);
