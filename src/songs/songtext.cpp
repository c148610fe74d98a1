// Text of players' song files: UTF-8 or Latin-1 to UTF-8, tags removed, numbers without
// the locale.
#include "songs/songtext.h"

#include <cmath>

namespace {

// Length of the valid UTF-8 sequence at data[i], or 0 when there is none.
size_t utf8_length(const unsigned char *data, size_t size, size_t i) {
    unsigned char c = data[i];
    if (c < 0x80) return 1;
    size_t n = c >= 0xC2 && c <= 0xDF   ? 2
               : c >= 0xE0 && c <= 0xEF ? 3
               : c >= 0xF0 && c <= 0xF4 ? 4
                                        : 0;
    if (n == 0 || i + n > size) return 0;
    for (size_t k = 1; k < n; ++k)
        if ((data[i + k] & 0xC0) != 0x80) return 0;
    unsigned char d = data[i + 1];
    // Overlong three- and four-byte forms, surrogates and code points past U+10FFFF.
    if ((c == 0xE0 && d < 0xA0) || (c == 0xED && d > 0x9F) || (c == 0xF0 && d < 0x90) ||
        (c == 0xF4 && d > 0x8F))
        return 0;
    return n;
}

bool is_utf8(const unsigned char *data, size_t size) {
    for (size_t i = 0; i < size;) {
        size_t n = utf8_length(data, size, i);
        if (n == 0) return false;
        i += n;
    }
    return true;
}

// Bytes 0x80-0x9F of Windows-1252, which files called Latin-1 are in practice: quotes,
// dashes, the euro sign. Its five unused bytes show as the replacement character.
const uint16_t windows_1252[32] = {0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                   0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD,
                                   0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                   0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};

void append_utf8(std::string &out, unsigned code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

bool is_space(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// A formatting tag starts at text[i]: '<', an optional '/', a letter, and a '>' within a
// short run without another '<'. "<3" and "a < b" are text.
size_t tag_length(const std::string &text, size_t i) {
    size_t k = i + 1;
    if (k < text.size() && text[k] == '/') ++k;
    if (k >= text.size() || !((text[k] | 0x20) >= 'a' && (text[k] | 0x20) <= 'z')) return 0;
    for (; k < text.size() && k < i + 64; ++k) {
        if (text[k] == '<') return 0;
        if (text[k] == '>') return k + 1 - i;
    }
    return 0;
}

} // namespace

std::string text_as_utf8(const char *data, size_t size) {
    const unsigned char *bytes = reinterpret_cast<const unsigned char *>(data);
    if (size >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF) {
        bytes += 3;
        size -= 3;
    }
    if (is_utf8(bytes, size)) return std::string(reinterpret_cast<const char *>(bytes), size);
    std::string out;
    out.reserve(size + size / 8);
    for (size_t i = 0; i < size; ++i) {
        unsigned char c = bytes[i];
        append_utf8(out, c >= 0x80 && c < 0xA0 ? windows_1252[c - 0x80] : c);
    }
    return out;
}

std::string clean_song_text(const std::string &value) {
    std::string out;
    for (size_t i = 0; i < value.size();) {
        size_t tag = value[i] == '<' ? tag_length(value, i) : 0;
        if (tag) {
            i += tag;
            continue;
        }
        // A byte-order mark inside a value (files pasted together) shows nothing.
        if (value.compare(i, 3, "\xEF\xBB\xBF") == 0) {
            i += 3;
            continue;
        }
        unsigned char c = static_cast<unsigned char>(value[i++]);
        out += c < 0x20 || c == 0x7F ? ' ' : static_cast<char>(c);
    }
    out = trim(out);
    if (out.size() > SONG_TEXT_MAX) {
        size_t cut = SONG_TEXT_MAX;
        while (cut > 0 && (static_cast<unsigned char>(out[cut]) & 0xC0) == 0x80)
            --cut;
        out.resize(cut);
    }
    return out;
}

std::string clean_song_year(const std::string &value) {
    std::string year = clean_song_text(value);
    size_t start = year.find_first_not_of(", ");
    return start == std::string::npos ? std::string() : year.substr(start);
}

bool parse_decimal(const std::string &text, double &out) {
    std::string t = trim(text);
    size_t i = 0;
    bool negative = false;
    if (i < t.size() && (t[i] == '-' || t[i] == '+')) negative = t[i++] == '-';
    double value = 0;
    int digits = 0;
    for (; i < t.size() && t[i] >= '0' && t[i] <= '9'; ++i, ++digits)
        value = value * 10 + (t[i] - '0');
    if (i < t.size() && t[i] == '.') {
        double scale = 0.1;
        for (++i; i < t.size() && t[i] >= '0' && t[i] <= '9'; ++i, ++digits, scale /= 10)
            value += (t[i] - '0') * scale;
    }
    if (digits == 0 || i != t.size() || !std::isfinite(value)) return false;
    out = negative ? -value : value;
    return true;
}

bool parse_whole(const std::string &text, long long low, long long high, long long &out) {
    double value = 0;
    if (!parse_decimal(text, value)) return false;
    value = std::round(value);
    if (value < static_cast<double>(low) || value > static_cast<double>(high)) return false;
    out = static_cast<long long>(value);
    return true;
}

std::string ascii_lower(std::string text) {
    for (char &c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return text;
}

std::string trim(const std::string &text) {
    size_t begin = 0, end = text.size();
    while (begin < end && is_space(text[begin]))
        ++begin;
    while (end > begin && is_space(text[end - 1]))
        --end;
    return text.substr(begin, end - begin);
}
