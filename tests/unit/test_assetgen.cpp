// The asset generator's building blocks: compositing, keyed PNGs, text wrapping, WAV.
#include "assetgen/canvas.h"
#include "assetgen/imageio.h"
#include "assetgen/synth.h"
#include "assetgen/text.h"
#include "pixels.h"

#include <SDL.h>
#include <SDL_image.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

using namespace assetgen;

namespace {

// A scratch directory removed again at the end of the test.
class ScratchDir {
  public:
    ScratchDir() {
        char tmpl[] = "/tmp/fretfall-assetgen-XXXXXX";
        const char *made = mkdtemp(tmpl);
        path_ = made ? made : "";
    }
    ~ScratchDir() {
        std::error_code ec;
        if (!path_.empty()) std::filesystem::remove_all(path_, ec);
    }
    const std::string &path() const { return path_; }

  private:
    std::string path_;
};

// Pixel (x, 0) of a loaded picture as r, g, b.
assetgen::Rgb first_row(SDL_Surface *s, int x) {
    ::Rgb c = pixel_at(s, x, 0);
    if (c.r < 0) return {0, 0, 0};
    return {static_cast<Uint8>(c.r), static_cast<Uint8>(c.g), static_cast<Uint8>(c.b)};
}

bool same(assetgen::Rgb a, assetgen::Rgb b) { return a.r == b.r && a.g == b.g && a.b == b.b; }

} // namespace

TEST(AssetCanvas, CompositingKeepsColourAndCoverage) {
    Canvas c(2, 1, kBlack, 0.0f);
    c.blend(0, 0, {200, 100, 50}, 0.5f);
    EXPECT_TRUE(same(c.rgb(0, 0), {200, 100, 50})) << "over nothing, the colour stays pure";
    EXPECT_FLOAT_EQ(c.alpha(0, 0), 0.5f);
    c.blend(0, 0, {0, 0, 200}, 0.5f);
    EXPECT_FLOAT_EQ(c.alpha(0, 0), 0.75f);
    EXPECT_EQ(c.rgb(0, 0).b, 150) << "two thirds of the new colour, one third of the old";
    c.blend(7, 3, kWhite, 1.0f); // outside: ignored
    const Canvas part = c.crop(1, 0, 3, 2);
    EXPECT_EQ(part.width(), 3);
    EXPECT_FLOAT_EQ(part.alpha(2, 1), 0.0f) << "beyond the source is transparent";
}

TEST(AssetPng, KeyedPicturesKeepArtOffTheKeyColour) {
    ScratchDir dir;
    ASSERT_FALSE(dir.path().empty());
    Canvas c(3, 1, kBlack, 0.0f);
    c.put(0, 0, kMagenta);          // art that happens to be the key colour
    c.put(1, 0, {255, 0, 0}, 0.3f); // too faint: becomes the key
    c.put(2, 0, kWhite);            // art that is the white key colour
    Output out(dir.path());
    out.png("m.png", c, Key::Magenta);
    out.png("sub/w.png", c, Key::White);
    out.png("a.png", c, Key::None, Channels::Rgba);
    ASSERT_TRUE(out.ok()) << out.first_failure();

    SDL_Surface *m = IMG_Load((dir.path() + "/m.png").c_str());
    SDL_Surface *w = IMG_Load((dir.path() + "/sub/w.png").c_str());
    SDL_Surface *a = IMG_Load((dir.path() + "/a.png").c_str());
    ASSERT_TRUE(m && w && a) << IMG_GetError();
    EXPECT_EQ(m->format->BitsPerPixel, 24);
    EXPECT_EQ(m->format->Amask, 0u);
    EXPECT_FALSE(same(first_row(m, 0), kMagenta)) << "opaque art must not turn transparent";
    EXPECT_TRUE(same(first_row(m, 1), kMagenta));
    EXPECT_TRUE(same(first_row(m, 2), kWhite)) << "white is art under the magenta key";
    EXPECT_FALSE(same(first_row(w, 2), kWhite));
    EXPECT_TRUE(same(first_row(w, 1), kWhite));
    EXPECT_EQ(a->format->BitsPerPixel, 32);
    EXPECT_NE(a->format->Amask, 0u);
    SDL_FreeSurface(m);
    SDL_FreeSurface(w);
    SDL_FreeSurface(a);

    // A file that cannot be written is reported, not skipped silently.
    Output bad(dir.path() + "/m.png");
    bad.png("x.png", c, Key::None);
    EXPECT_FALSE(bad.ok());
    EXPECT_EQ(bad.first_failure(), "x.png");
}

TEST(AssetText, WrappedLinesFitTheirColumn) {
    ASSERT_TRUE(text_init()) << "the Lato fonts of fonts-lato are needed";
    TextStyle st;
    st.face = Face::Bold;
    st.size = 10;
    const std::string text = "A double-cutaway solid body with two horns and a bolt-on neck, "
                             "light and balanced.\n\nThree single-coil pickups.";
    const auto lines = wrap_text(st, text, 100);
    ASSERT_GE(lines.size(), 4u);
    for (const std::string &l : lines)
        EXPECT_LE(text_width(st, l), 100) << l;
    int blank = 0;
    for (const std::string &l : lines)
        blank += l.empty() ? 1 : 0;
    EXPECT_EQ(blank, 1) << "the paragraph break is kept";
    // Outlines widen the text on both sides.
    TextStyle outlined = st;
    outlined.outline = 2;
    EXPECT_EQ(text_width(outlined, "FRETFALL"), text_width(st, "FRETFALL") + 4);
    text_quit();
}

TEST(AssetWav, HeaderDescribesMonoSixteenBitSamples) {
    const std::vector<uint8_t> b = wav_bytes({0.0f, 1.0f, -1.0f, 2.0f}, 1);
    ASSERT_EQ(b.size(), 44u + 8u);
    auto u32 = [&b](size_t at) {
        return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | b[at + 3] << 24;
    };
    auto u16 = [&b](size_t at) { return b[at] | b[at + 1] << 8; };
    EXPECT_EQ(std::string(b.begin(), b.begin() + 4), "RIFF");
    EXPECT_EQ(u32(4), 36u + 8u);
    EXPECT_EQ(std::string(b.begin() + 8, b.begin() + 16), "WAVEfmt ");
    EXPECT_EQ(u16(20), 1) << "PCM";
    EXPECT_EQ(u16(22), 1) << "channels";
    EXPECT_EQ(u32(24), 22050u);
    EXPECT_EQ(u32(28), 44100u) << "bytes a second";
    EXPECT_EQ(u16(32), 2) << "block align";
    EXPECT_EQ(u16(34), 16) << "bits";
    EXPECT_EQ(std::string(b.begin() + 36, b.begin() + 40), "data");
    EXPECT_EQ(u32(40), 8u);
    EXPECT_EQ(static_cast<int16_t>(u16(46)), 32767);
    EXPECT_EQ(static_cast<int16_t>(u16(48)), -32767);
    EXPECT_EQ(static_cast<int16_t>(u16(50)), 32767) << "out-of-range samples are clamped";
}
