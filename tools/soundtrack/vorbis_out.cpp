// Ogg Vorbis encoding of a finished mix.
#include "vorbis_out.h"

#include <vorbis/vorbisenc.h>

#include <cstdio>
#include <algorithm>

namespace soundtrack {

namespace {

bool write_pages(ogg_stream_state &os, std::FILE *f, bool flush) {
    ogg_page page;
    while (flush ? ogg_stream_flush(&os, &page) : ogg_stream_pageout(&os, &page)) {
        if (std::fwrite(page.header, 1, static_cast<size_t>(page.header_len), f) !=
                static_cast<size_t>(page.header_len) ||
            std::fwrite(page.body, 1, static_cast<size_t>(page.body_len), f) !=
                static_cast<size_t>(page.body_len))
            return false;
    }
    return true;
}

// Holds the libvorbis state so that every way out releases it.
struct Encoder {
    vorbis_info vi;
    vorbis_comment vc;
    vorbis_dsp_state vd;
    vorbis_block vb;
    ogg_stream_state os;
    bool dsp = false, stream = false;

    Encoder() {
        vorbis_info_init(&vi);
        vorbis_comment_init(&vc);
    }
    ~Encoder() {
        if (stream) ogg_stream_clear(&os);
        if (dsp) {
            vorbis_block_clear(&vb);
            vorbis_dsp_clear(&vd);
        }
        vorbis_comment_clear(&vc);
        vorbis_info_clear(&vi);
    }
};

// Runs every block the encoder has ready through to Ogg pages.
bool drain(Encoder &e, std::FILE *f) {
    while (vorbis_analysis_blockout(&e.vd, &e.vb) == 1) {
        vorbis_analysis(&e.vb, nullptr);
        vorbis_bitrate_addblock(&e.vb);
        ogg_packet packet;
        while (vorbis_bitrate_flushpacket(&e.vd, &packet)) {
            ogg_stream_packetin(&e.os, &packet);
            if (!write_pages(e.os, f, false)) return false;
        }
    }
    return true;
}

} // namespace

bool write_ogg_vorbis(const std::string &path, const std::vector<float> &samples, int rate,
                      float quality, int serial, const std::string &title, std::string &error,
                      int channels) {
    Encoder e;
    if (channels < 1 || vorbis_encode_init_vbr(&e.vi, channels, rate, quality) != 0) {
        error = "the Vorbis encoder refused the rate or quality";
        return false;
    }
    vorbis_comment_add_tag(&e.vc, "TITLE", title.c_str());
    vorbis_comment_add_tag(&e.vc, "ARTIST", "Fretfall");
    vorbis_analysis_init(&e.vd, &e.vi);
    vorbis_block_init(&e.vd, &e.vb);
    e.dsp = true;
    ogg_stream_init(&e.os, serial);
    e.stream = true;

    const std::string temp = path + ".part";
    std::FILE *f = std::fopen(temp.c_str(), "wb");
    if (!f) {
        error = "cannot write " + temp;
        return false;
    }

    ogg_packet header, comments, codebooks;
    vorbis_analysis_headerout(&e.vd, &e.vc, &header, &comments, &codebooks);
    ogg_stream_packetin(&e.os, &header);
    ogg_stream_packetin(&e.os, &comments);
    ogg_stream_packetin(&e.os, &codebooks);
    // The audio data starts on a fresh page, as decoders expect.
    bool ok = write_pages(e.os, f, true);

    const size_t chunk = 4096;
    const size_t ch = static_cast<size_t>(channels);
    const size_t frames = samples.size() / ch;
    for (size_t pos = 0; ok && pos < frames; pos += chunk) {
        const size_t n = std::min(chunk, frames - pos);
        float **buffer = vorbis_analysis_buffer(&e.vd, static_cast<int>(n));
        for (size_t i = 0; i < n; ++i)
            for (size_t c = 0; c < ch; ++c)
                buffer[c][i] = samples[(pos + i) * ch + c];
        vorbis_analysis_wrote(&e.vd, static_cast<int>(n));
        ok = drain(e, f);
    }
    if (ok) {
        vorbis_analysis_wrote(&e.vd, 0); // end of stream
        ok = drain(e, f) && write_pages(e.os, f, true);
    }
    if (std::fclose(f) != 0) ok = false;
    if (!ok) {
        std::remove(temp.c_str());
        error = "write error on " + temp;
        return false;
    }
    if (std::rename(temp.c_str(), path.c_str()) != 0) {
        std::remove(temp.c_str());
        error = "cannot rename " + temp + " to " + path;
        return false;
    }
    return true;
}

} // namespace soundtrack
