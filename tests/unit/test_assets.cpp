// The generated asset tree: every file the game opens exists, loads and fits where it is drawn.
#include "pixels.h"

#include <SDL.h>
#include <SDL_image.h>
#include <SDL_mixer.h>
#include <SDL_ttf.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace {

const std::string kGameDir = FRETFALL_GAME_DIR;

struct FreeSurface {
    void operator()(SDL_Surface *s) const { SDL_FreeSurface(s); }
};
using Surface = std::unique_ptr<SDL_Surface, FreeSurface>;

Surface load(const std::string &rel) { return Surface(IMG_Load((kGameDir + "/" + rel).c_str())); }

struct Px {
    Uint8 r, g, b;
    bool operator==(const Px &o) const { return r == o.r && g == o.g && b == o.b; }
    bool magenta() const { return r == 255 && g == 0 && b == 255; }
    bool white() const { return r == 255 && g == 255 && b == 255; }
    int light() const { return (r + g + b) / 3; }
    // Light art, such as lettering: bright and not the (itself rather bright) key.
    bool bright() const { return !magenta() && light() > 160; }
};

// The pixel at (x, y); callers stay inside the surface (checked, black outside).
Px at(SDL_Surface *s, int x, int y) {
    Rgb c = pixel_at(s, x, y);
    if (c.r < 0) return {0, 0, 0};
    return {static_cast<Uint8>(c.r), static_cast<Uint8>(c.g), static_cast<Uint8>(c.b)};
}

// Counts the pixels of the rectangle (clipped to the surface) that match the test.
template <class Test> int count(SDL_Surface *s, int x, int y, int w, int h, Test test) {
    int n = 0;
    for (int j = std::max(y, 0); j < std::min(y + h, s->h); ++j)
        for (int i = std::max(x, 0); i < std::min(x + w, s->w); ++i)
            n += test(at(s, i, j)) ? 1 : 0;
    return n;
}

int art_pixels(SDL_Surface *s, int x, int y, int w, int h) {
    return count(s, x, y, w, h, [](Px p) { return !p.magenta(); });
}

enum Fit { Exact, AtLeast };

struct ImageNeed {
    const char *path;
    int w, h;
    Fit fit;
};

// Every image of the asset table with the size the game needs of it.
const ImageNeed kImages[] = {
    {"img/guitars/gtr00.png", 136, 160, Exact},
    {"img/guitars/gtr01.png", 136, 160, Exact},
    {"img/guitars/gtr02.png", 136, 160, Exact},
    {"img/guitars/gtr03.png", 136, 160, Exact},
    {"img/guitars/lock00.png", 136, 160, Exact},
    {"img/guitars/lock01.png", 136, 160, Exact},
    {"img/guitars/lock02.png", 136, 160, Exact},
    {"img/guitars/lock03.png", 136, 160, Exact},
    {"img/guitars/gtr_desc00.png", 141, 462, AtLeast},
    {"img/guitars/gtr_desc01.png", 141, 462, AtLeast},
    {"img/guitars/gtr_desc02.png", 141, 462, AtLeast},
    {"img/guitars/gtr_desc03.png", 141, 462, AtLeast},
    {"img/intro/splash_320.png", 320, 240, Exact},
    {"img/intro/sponsor_320.png", 320, 240, Exact},
    {"img/intro/valmoran.png", 320, 240, Exact},
    {"img/intro/QMTR.png", 320, 240, Exact},
    {"img/intro/presents.png", 320, 240, Exact},
    {"img/sprite/txt_box.png", 141, 134, AtLeast},
    {"img/sprite/cursor_bar.png", 4, 8, AtLeast},
    {"img/sprite/hitflames1.png", 352, 64, AtLeast},
    {"img/sprite/hitflames2.png", 352, 64, AtLeast},
    {"img/sprite/hitflames3.png", 352, 64, AtLeast},
    {"img/sprite/hitflames4.png", 352, 64, AtLeast},
    {"img/sprite/star_line.png", 209, 39, AtLeast},
    {"img/sprite/star_line_null.png", 209, 39, AtLeast},
    {"img/sprite/multiplicador.png", 77, 57, AtLeast},
    {"img/sprite/credits.png", 320, 2048 + 240, AtLeast},
    {"img/menus/rank_score.png", 320, 240, Exact},
    {"img/sprite/letras.png", 190, 72, AtLeast},
    {"img/sprite/cursor_nome.png", 8, 8, AtLeast},
    {"img/menus/pause.png", 320, 240, Exact},
    {"img/menus/pause2.png", 320, 240, Exact},
    {"img/sprite/audio1.png", 109, 66, AtLeast},
    {"img/menus/select_song_band.png", 320, 240, Exact},
    {"img/capas/Paranoid_small.jpg", 128, 128, Exact},
    {"img/capas/number_small.jpg", 128, 128, Exact},
    {"img/capas/aceofspades_small.jpg", 128, 128, Exact},
    {"img/capas/Highway_small.jpg", 128, 128, Exact},
    {"img/capas/Ridethelightning_small.jpg", 128, 128, Exact},
    {"img/menus/loading.png", 320, 240, Exact},
    {"img/sprite/loading_sprits.png", 150, 43, AtLeast},
    {"img/menus/carrer.png", 320, 240, Exact},
    {"img/menus/menu1.png", 320, 240, Exact},
    {"img/menus/menu1.1.png", 320, 240, Exact},
    {"img/menus/set_keys.png", 320, 240, Exact},
    {"img/menus/menu_sound1.png", 320, 240, Exact},
    {"img/menus/menu_save.png", 320, 240, Exact},
    {"img/menus/menu_configuregame.png", 320, 240, Exact},
    {"img/sprite/3.png", 320, 240, Exact},
    {"img/sprite/2.png", 320, 240, Exact},
    {"img/sprite/1.png", 320, 240, Exact},
    {"img/sprite/YOUFAILED.png", 320, 240, Exact},
    {"img/sprite/YOUROCK.png", 320, 240, Exact},
    {"img/menus/you_win.png", 320, 240, Exact},
    {"img/menus/main2.png", 320, 240, Exact},
    {"img/menus/main3.png", 320, 240, Exact},
    {"img/menus/main4.png", 320, 240, Exact},
    {"img/menus/hiscore.png", 320, 240, Exact},
    {"img/sprite/frets.png", 200, 93, AtLeast},
    {"img/sprite/linhas.png", 163, 240, AtLeast},
    {"img/sprite/notas.png", 160, 23, AtLeast},
    {"img/sprite/score.png", 40, 20, AtLeast},
    {"img/sprite/cursorA.png", 23, 219, AtLeast},
    {"img/sprite/rock_bar.png", 11, 160, AtLeast},
    {"img/sprite/rock_bar0.png", 11, 160, AtLeast},
    {"img/necks/neck0.png", 240, 1080, AtLeast},
    {"img/necks/neck1.png", 240, 1080, AtLeast},
    {"img/necks/neck2.png", 240, 1080, AtLeast},
    {"img/necks/neck3.png", 240, 1080, AtLeast},
    {"img/bg/backdrop00.png", 320, 240, Exact},
    {"img/bg/backdrop01.png", 320, 240, Exact},
    {"img/bg/backdrop02.png", 320, 240, Exact},
    {"img/bg/backdrop03.png", 320, 240, Exact},
    {"img/menus/sync.png", 320, 240, Exact},
};

} // namespace

TEST(GeneratedImages, EveryImageLoadsAtItsSize) {
    ASSERT_EQ(std::size(kImages), 74u);
    for (const ImageNeed &need : kImages) {
        SCOPED_TRACE(need.path);
        Surface s = load(need.path);
        ASSERT_TRUE(s) << IMG_GetError();
        if (need.fit == Exact) {
            EXPECT_EQ(s->w, need.w);
            EXPECT_EQ(s->h, need.h);
        } else {
            EXPECT_GE(s->w, need.w);
            EXPECT_GE(s->h, need.h);
        }
    }
}

// Colour keys and the neck's surface alpha only work on surfaces without an alpha channel.
TEST(GeneratedImages, PicturesAre24BitWithoutAlpha) {
    for (const ImageNeed &need : kImages) {
        SCOPED_TRACE(need.path);
        Surface s = load(need.path);
        ASSERT_TRUE(s);
        EXPECT_EQ(s->format->BitsPerPixel, 24);
        EXPECT_EQ(s->format->Amask, 0u);
    }
}

TEST(GeneratedImages, NoteFramesAreSolidGemsInDistinctColours) {
    Surface s = load("img/sprite/notas.png");
    ASSERT_TRUE(s);
    const int frame_x[5] = {0, 31, 64, 97, 129};
    std::set<std::vector<int>> colours;
    for (int l = 0; l < 5; ++l) {
        SCOPED_TRACE(l + 1);
        const int x = frame_x[l];
        EXPECT_TRUE(at(s.get(), x, 0).white()) << "corners are keyed white";
        EXPECT_TRUE(at(s.get(), x + 30, 22).white());
        const Px body = at(s.get(), x + 15, 16);
        EXPECT_FALSE(body.white());
        colours.insert({body.r / 32, body.g / 32, body.b / 32});
        // The gem is solid: no keyed pixel in its middle.
        EXPECT_EQ(count(s.get(), x + 6, 6, 19, 11, [](Px p) { return p.white(); }), 0);
    }
    EXPECT_EQ(colours.size(), 5u);
}

TEST(GeneratedImages, FretSheetFramesDoNotShowTheirNeighbours) {
    Surface s = load("img/sprite/frets.png");
    ASSERT_TRUE(s);
    const int target_x[5] = {0, 30, 65, 97, 130};
    const int pressed_x[5] = {0, 31, 65, 97, 131};
    for (int l = 0; l < 5; ++l) {
        SCOPED_TRACE(l + 1);
        EXPECT_GT(art_pixels(s.get(), target_x[l], 0, 31, 33), 200) << "fret row target";
        EXPECT_GT(art_pixels(s.get(), pressed_x[l] + 8, 74, 15, 15), 200) << "lit frame";
    }
    // The frames of lanes 3 (65..99) and 4 (97..131) share columns 97..99: those stay keyed.
    EXPECT_EQ(art_pixels(s.get(), 96, 70, 4, 23), 0);
    // Between the fret row and the lit frames there is nothing.
    EXPECT_EQ(art_pixels(s.get(), 0, 33, s->w, 37), 0);
}

TEST(GeneratedImages, FlameStripsShowElevenFramesInFourStyles) {
    std::set<std::vector<int>> looks;
    for (int i = 1; i <= 4; ++i) {
        SCOPED_TRACE(i);
        Surface s = load("img/sprite/hitflames" + std::to_string(i) + ".png");
        ASSERT_TRUE(s);
        EXPECT_GT(art_pixels(s.get(), 320, 0, 32, 64), 150) << "the frame the game shows";
        long r = 0, g = 0, b = 0;
        for (int y = 0; y < 64; ++y)
            for (int x = 320; x < 352; ++x) {
                const Px p = at(s.get(), x, y);
                if (p.magenta()) continue;
                r += p.r;
                g += p.g;
                b += p.b;
            }
        const long n = std::max(1, art_pixels(s.get(), 320, 0, 32, 64));
        looks.insert({static_cast<int>(r / n / 40), static_cast<int>(g / n / 40),
                      static_cast<int>(b / n / 40)});
    }
    EXPECT_EQ(looks.size(), 4u);
}

TEST(GeneratedImages, NecksAreOpaqueAndScrollSeamlessly) {
    std::set<std::vector<int>> looks;
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        Surface s = load("img/necks/neck" + std::to_string(i) + ".png");
        ASSERT_TRUE(s);
        ASSERT_GE(s->h, 780 + 1);
        EXPECT_EQ(count(s.get(), 0, 10, 240, 771, [](Px p) { return p.magenta(); }), 0);
        // The scroll goes from source row 10 back to 540: rows y and y + 540 look alike.
        int differ = 0;
        for (int y = 0; y < 240; ++y)
            for (int x = 0; x < 240; x += 3)
                differ += at(s.get(), x, y) == at(s.get(), x, y + 540) ? 0 : 1;
        EXPECT_EQ(differ, 0);
        const Px p = at(s.get(), 40, 30);
        looks.insert({p.r / 24, p.g / 24, p.b / 24});
    }
    EXPECT_EQ(looks.size(), 4u);
}

TEST(GeneratedImages, CursorFramesSitWhereTheMenusCutThem) {
    Surface s = load("img/sprite/cursorA.png");
    ASSERT_TRUE(s);
    for (int y : {66, 101, 133, 168, 203}) {
        SCOPED_TRACE(y);
        EXPECT_GT(art_pixels(s.get(), 0, y, 23, 16), 100);
    }
}

// Labels are painted in the menu backdrops on the rows of the five cursor positions.
TEST(GeneratedImages, MenuBackdropsCarryLabelsOnTheCursorRows) {
    const struct {
        const char *path;
        int entries;
    } menus[] = {{"img/menus/menu1.png", 5},
                 {"img/menus/menu1.1.png", 5},
                 {"img/menus/main3.png", 5},
                 {"img/menus/menu_configuregame.png", 4},
                 {"img/menus/menu_save.png", 4}};
    const int rows[5] = {65, 100, 134, 165, 200};
    for (const auto &m : menus) {
        SCOPED_TRACE(m.path);
        Surface s = load(m.path);
        ASSERT_TRUE(s);
        for (int e = 0; e < 5; ++e) {
            const int bright =
                count(s.get(), 30, rows[e], 120, 16, [](Px p) { return p.light() > 200; });
            if (e < m.entries)
                EXPECT_GT(bright, 30) << "label of entry " << e;
            else
                EXPECT_LT(bright, 10) << "no label for entry " << e;
        }
    }
}

TEST(GeneratedImages, LetterGridHasThirtySixCharactersAndADeleteCell) {
    Surface s = load("img/sprite/letras.png");
    ASSERT_TRUE(s);
    std::set<std::vector<int>> shapes;
    for (int cell = 0; cell < 40; ++cell) {
        SCOPED_TRACE(cell);
        const int x = (cell % 10) * 19, y = (cell / 10) * 18;
        std::vector<int> glyph;
        for (int j = 0; j < 18; ++j)
            for (int i = 0; i < 19; ++i)
                glyph.push_back(at(s.get(), x + i, y + j).bright());
        const int lit = count(s.get(), x, y, 19, 18, [](Px p) { return p.bright(); });
        if (cell < 36) {
            EXPECT_GT(lit, 5);
            shapes.insert(glyph);
        } else if (cell < 39) {
            EXPECT_EQ(lit, 0) << "the three cells without a character";
        } else {
            EXPECT_GT(lit, 8) << "the delete cell";
        }
    }
    EXPECT_EQ(shapes.size(), 36u) << "every character looks different";
}

TEST(GeneratedImages, VolumeFramesGrowByOneBarEach) {
    Surface s = load("img/sprite/audio1.png");
    ASSERT_TRUE(s);
    const int widths[10] = {35, 43, 51, 59, 67, 75, 83, 91, 98, 109};
    int prev = 0;
    for (int w : widths) {
        SCOPED_TRACE(w);
        EXPECT_GT(art_pixels(s.get(), prev, 0, w - prev, 66), 20);
        prev = w;
    }
}

TEST(GeneratedImages, StarRowsAndMetersFitTheirCuts) {
    Surface full = load("img/sprite/star_line.png"), empty = load("img/sprite/star_line_null.png");
    ASSERT_TRUE(full && empty);
    // Every cut width of the rating ends on a star: the last column in it holds art.
    for (int w : {21, 41, 63, 83, 105, 125, 147, 167, 189, 209})
        EXPECT_GT(art_pixels(full.get(), w - 3, 0, 3, 39), 0) << w;
    EXPECT_FALSE(at(full.get(), 21, 20) == at(empty.get(), 21, 20))
        << "full and empty stars differ";
    for (const char *path : {"img/sprite/rock_bar.png", "img/sprite/rock_bar0.png"}) {
        SCOPED_TRACE(path);
        Surface m = load(path);
        ASSERT_TRUE(m);
        EXPECT_EQ(m->w, 11);
        // The bar and its cover are solid down the middle, so the cover hides the bar.
        EXPECT_EQ(count(m.get(), 3, 4, 5, 152, [](Px p) { return p.magenta(); }), 0);
    }
    Surface mult = load("img/sprite/multiplicador.png");
    ASSERT_TRUE(mult);
    for (int k = 0; k < 3; ++k)
        EXPECT_EQ(art_pixels(mult.get(), 4, 19 * k + 4, 69, 11), 69 * 11) << k;
}

TEST(GeneratedImages, OverlaysAreKeyedAroundTheirArt) {
    for (const char *path :
         {"img/sprite/3.png", "img/sprite/2.png", "img/sprite/1.png", "img/sprite/YOUROCK.png",
          "img/sprite/YOUFAILED.png", "img/menus/pause.png", "img/menus/pause2.png"}) {
        SCOPED_TRACE(path);
        Surface s = load(path);
        ASSERT_TRUE(s);
        const int art = art_pixels(s.get(), 0, 0, 320, 240);
        EXPECT_GT(art, 2000);
        EXPECT_LT(art, 320 * 240 * 3 / 4) << "the song frame must show through";
    }
    // The pause instruction is centred at y 120: the second layer keeps that band dark.
    Surface band = load("img/menus/pause2.png");
    ASSERT_TRUE(band);
    EXPECT_EQ(
        count(band.get(), 0, 114, 320, 20, [](Px p) { return p.magenta() || p.light() > 120; }), 0);
}

TEST(GeneratedImages, GalleryDescriptionsHaveTextToScrollThrough) {
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        Surface s = load("img/guitars/gtr_desc0" + std::to_string(i) + ".png");
        ASSERT_TRUE(s);
        // Something to read in the first window and still after several scroll steps.
        EXPECT_GT(art_pixels(s.get(), 0, 0, 141, 134), 500);
        EXPECT_GT(art_pixels(s.get(), 0, 250, 141, 134), 500);
    }
}

// The install step ships a 64x64 launcher icon from the game directory.
TEST(GeneratedImages, DesktopIconLoads) {
    Surface s = load("icon.png");
    ASSERT_TRUE(s) << IMG_GetError();
    EXPECT_EQ(s->w, 64);
    EXPECT_EQ(s->h, 64);
}

class GeneratedAudio : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        // No sound card is needed: the dummy driver opens wherever SDL runs.
        setenv("SDL_AUDIODRIVER", "dummy", 0);
        opened = SDL_InitSubSystem(SDL_INIT_AUDIO) == 0 &&
                 Mix_OpenAudio(22050, AUDIO_S16LSB, 2, 1024) == 0;
    }
    static void TearDownTestSuite() {
        if (opened) Mix_CloseAudio();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
    void SetUp() override {
        if (!opened) GTEST_SKIP() << "no audio device: " << Mix_GetError();
    }
    static bool opened;
};
bool GeneratedAudio::opened = false;

TEST_F(GeneratedAudio, EffectsLoadShortAndDistinct) {
    std::set<Uint32> lengths;
    for (const char *stem : {"ERRO4", "ESTRELA_MAIS", "PTPOWER", "PTRUIM", "BATIDA", "ACEITA",
                             "CANCELA", "EXPLOSAO"}) {
        SCOPED_TRACE(stem);
        const std::string path = kGameDir + "/audio/" + stem + ".wav";
        Mix_Chunk *chunk = Mix_LoadWAV_RW(SDL_RWFromFile(path.c_str(), "rb"), 1);
        ASSERT_NE(chunk, nullptr) << Mix_GetError();
        // At 22050 Hz, 16-bit stereo: 88200 bytes a second.
        EXPECT_GT(chunk->alen, 88200u / 100);
        EXPECT_LT(chunk->alen, 88200u * 3);
        lengths.insert(chunk->alen);
        Mix_FreeChunk(chunk);
    }
    EXPECT_EQ(lengths.size(), 8u);
}

TEST_F(GeneratedAudio, MenuMusicLoads) {
    Mix_Music *music = Mix_LoadMUS((kGameDir + "/audio/menu1.mp3").c_str());
    ASSERT_NE(music, nullptr) << Mix_GetError();
    const Mix_MusicType type = Mix_GetMusicType(music);
    EXPECT_TRUE(type == MUS_MP3 || type == MUS_MP3_MAD) << type;
    Mix_FreeMusic(music);
}

TEST(GeneratedFont, IsOpenSansExtraBoldWidenedWithItsLicence) {
    std::ifstream game(kGameDir + "/ariblk.ttf", std::ios::binary);
    std::ifstream face("/usr/share/fonts/truetype/open-sans/OpenSans-ExtraBold.ttf",
                       std::ios::binary);
    ASSERT_TRUE(game && face);
    const std::string a((std::istreambuf_iterator<char>(game)), {}),
        b((std::istreambuf_iterator<char>(face)), {});
    // Only advance widths change, in place: the same size, other bytes.
    EXPECT_EQ(a.size(), b.size());
    EXPECT_NE(a, b);
    std::ifstream note(kGameDir + "/fonts-LICENSE.txt");
    const std::string text((std::istreambuf_iterator<char>(note)), {});
    EXPECT_NE(text.find("Apache License"), std::string::npos);
}
