// PNG (libpng) and JPEG (libjpeg) writers plus plain file output.
#include "imageio.h"

#include <cstdio>
#include <filesystem>
#include <vector>

#include <jpeglib.h>
#include <png.h>

namespace assetgen {

namespace {

// Flattens the canvas to packed RGB. Keyed sheets get their key colour where the art
// is less than half covered; art pixels that would equal the key are nudged off it so
// that they do not turn transparent in the game.
std::vector<uint8_t> flatten(const Canvas &c, Key key) {
    const Rgb matte = key == Key::None ? kBlack : Rgb{24, 16, 28};
    const Rgb key_col = key == Key::White ? kWhite : kMagenta;
    std::vector<uint8_t> out(static_cast<size_t>(c.width()) * c.height() * 3);
    size_t i = 0;
    for (int y = 0; y < c.height(); ++y) {
        for (int x = 0; x < c.width(); ++x) {
            const float a = c.alpha(x, y);
            Rgb p;
            if (key != Key::None && a < 0.5f) {
                p = key_col;
            } else {
                p = mix(matte, c.rgb(x, y), a);
                if (key != Key::None && p.r == key_col.r && p.g == key_col.g && p.b == key_col.b)
                    p = {static_cast<uint8_t>(p.r - 1), p.g, static_cast<uint8_t>(p.b - 1)};
            }
            out[i++] = p.r;
            out[i++] = p.g;
            out[i++] = p.b;
        }
    }
    return out;
}

} // namespace

std::string Output::prepare(const std::string &rel) {
    const std::filesystem::path full = std::filesystem::path(root_) / rel;
    std::error_code ec;
    std::filesystem::create_directories(full.parent_path(), ec);
    return full.string();
}

void Output::fail(const std::string &rel) {
    if (failed_.empty()) failed_ = rel;
}

void Output::png(const std::string &rel, const Canvas &c, Key key, Channels ch) {
    const std::string path = prepare(rel);
    const int comps = ch == Channels::Rgba ? 4 : 3;
    std::vector<uint8_t> px = flatten(c, key);
    if (ch == Channels::Rgba) {
        // Straight alpha: each pixel's own colour, not its mix with the matte.
        px.clear();
        for (int y = 0; y < c.height(); ++y) {
            for (int x = 0; x < c.width(); ++x) {
                const Rgb col = c.rgb(x, y);
                px.insert(px.end(), {col.r, col.g, col.b,
                                     static_cast<uint8_t>(c.alpha(x, y) * 255.0f + 0.5f)});
            }
        }
    }
    // Volatile: read again after libpng's longjmp, which GCC 10 warns may clobber it.
    FILE *volatile f = std::fopen(path.c_str(), "wb");
    if (!f) return fail(rel);
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!png || !info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, info ? &info : nullptr);
        std::fclose(f);
        return fail(rel);
    }
    png_init_io(png, f);
    png_set_compression_level(png, 6);
    png_set_IHDR(png, info, static_cast<png_uint_32>(c.width()),
                 static_cast<png_uint_32>(c.height()), 8,
                 comps == 4 ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < c.height(); ++y)
        png_write_row(png, &px[static_cast<size_t>(y) * c.width() * comps]);
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    if (std::fclose(f) != 0) fail(rel);
}

void Output::jpeg(const std::string &rel, const Canvas &c, int quality) {
    const std::string path = prepare(rel);
    std::vector<uint8_t> rgb = flatten(c, Key::None);
    FILE *f = std::fopen(path.c_str(), "wb");
    if (!f) return fail(rel);
    jpeg_compress_struct cinfo;
    jpeg_error_mgr jerr;
    cinfo.err = jpeg_std_error(&jerr);
    jpeg_create_compress(&cinfo);
    jpeg_stdio_dest(&cinfo, f);
    cinfo.image_width = static_cast<JDIMENSION>(c.width());
    cinfo.image_height = static_cast<JDIMENSION>(c.height());
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row = &rgb[static_cast<size_t>(cinfo.next_scanline) * c.width() * 3];
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    if (std::fclose(f) != 0) fail(rel);
}

void Output::bytes(const std::string &rel, const void *data, size_t size) {
    const std::string path = prepare(rel);
    FILE *f = std::fopen(path.c_str(), "wb");
    if (!f) return fail(rel);
    const bool wrote = size == 0 || std::fwrite(data, 1, size, f) == size;
    if (std::fclose(f) != 0 || !wrote) fail(rel);
}

} // namespace assetgen
