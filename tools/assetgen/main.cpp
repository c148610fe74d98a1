// fretfall-assetgen: writes every image, sound effect, the menu music, the font and the icon of the
// game into a game directory (the one argument). All art is drawn here from code: shapes,
// gradients and Lato lettering for the images, synthesized waves for the effects and the
// menu loop. Output is the same bytes on every run, since all randomness comes from a
// fixed hash. Nothing is printed on success; a failure names the first file not written.
#include <cstdio>

#include "families.h"
#include "text.h"

int main(int argc, char **argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s GAME_DIR\n", argv[0]);
        return 2;
    }
    if (!assetgen::text_init()) {
        std::fprintf(stderr, "fretfall-assetgen: cannot open the Lato fonts (fonts-lato)\n");
        return 1;
    }
    assetgen::Output out(argv[1]);
    assetgen::make_playfield(out);
    assetgen::make_flames(out);
    assetgen::make_necks(out);
    assetgen::make_backdrops(out);
    assetgen::make_menus(out);
    assetgen::make_screens(out);
    assetgen::make_overlays(out);
    assetgen::make_intro(out);
    assetgen::make_guitars(out);
    assetgen::make_gallery(out);
    assetgen::make_covers(out);
    assetgen::make_credits(out);
    assetgen::make_widgets(out);
    assetgen::make_effects(out);
    assetgen::make_menu_music(out);
    assetgen::make_font(out);
    assetgen::text_quit();
    if (!out.ok()) {
        std::fprintf(stderr, "fretfall-assetgen: cannot write %s\n", out.first_failure().c_str());
        return 1;
    }
    return 0;
}
