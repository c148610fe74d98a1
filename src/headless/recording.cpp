// The recording format. A header, the starting files, then one record per value the
// platform handed the game. Most records are one byte: a song frame reads the clock a few
// milliseconds apart, waits under 64 ms and mostly polls no event.
//
//   header   "FRETFALL RECORDING\n", version (varint): 2, or 1 when the run started
//            without a settings file, which version 1 leaves out (as recordings did
//            before the file existed): every starting file but the last
//   file     name length (1 byte), name, state (0 absent, 1 present), for a present file
//            its whole size and the count of bytes kept (varints), then those bytes
//   record   0x00-0x7f  clock reading, difference 0..127 to the previous reading
//            0x80-0xbf  wait of 0..63 ms
//            0xc0       poll, no event
//            0xc1 sym   poll, key press (sym: varint)
//            0xc2 sym   poll, key release
//            0xc3 type  poll, another event type (1 byte)
//            0xc4 diff  clock reading, any difference (varint, 32-bit wrap-around)
//            0xc5 ms    wait, any length (varint)
//            0xc6 st    the program's exit with status st (varint of its 32 bits); last
// Varints are little-endian base 128, at most five bytes.
#include "headless/recording.h"

#include "headless/script.h"
#include "songs/catalogue.h"
#include "store/progress.h"
#include "store/settings.h"

#include <cstdio>

int start_file_count() { return 1 + song_count() + 1; }

const char *start_file_name(int i) {
    if (i == 0) return PROGRESS_FILE;
    if (i == start_file_count() - 1) return SETTINGS_FILE;
    const SongEntry *song = song_at(i - 1);
    return song ? song->highscore_file : nullptr;
}

namespace {

const char MAGIC[] = "FRETFALL RECORDING\n";
const Uint32 VERSION = 2;

enum : Uint8 {
    TAG_SHORT_DELAY = 0x80,
    TAG_POLL_NONE = 0xc0,
    TAG_KEY_DOWN = 0xc1,
    TAG_KEY_UP = 0xc2,
    TAG_OTHER_EVENT = 0xc3,
    TAG_TICKS = 0xc4,
    TAG_DELAY = 0xc5,
    TAG_EXIT = 0xc6,
};

void put_varint(Uint64 v, std::string &out) {
    while (v >= 0x80) {
        out += static_cast<char>(0x80 | (v & 0x7f));
        v >>= 7;
    }
    out += static_cast<char>(v);
}

// Bounded reading of the bytes of a recording.
struct Reader {
    const std::string &bytes;
    size_t pos = 0;

    bool at_end() const { return pos >= bytes.size(); }
    bool byte(Uint8 &out) {
        if (at_end()) return false;
        out = static_cast<Uint8>(bytes[pos++]);
        return true;
    }
    // A varint of at most `max_bytes` bytes whose value is at most `limit`.
    bool varint(Uint64 &out, int max_bytes, Uint64 limit) {
        out = 0;
        for (int i = 0; i < max_bytes; ++i) {
            Uint8 b;
            if (!byte(b)) return false;
            out |= static_cast<Uint64>(b & 0x7f) << (7 * i);
            if (!(b & 0x80)) return out <= limit;
        }
        return false;
    }
    bool u32(Uint32 &out) {
        Uint64 v;
        if (!varint(v, 5, 0xFFFFFFFFu)) return false;
        out = static_cast<Uint32>(v);
        return true;
    }
};

bool fail(std::string &error, const std::string &why, size_t pos) {
    error = why + " (byte " + std::to_string(pos) + ")";
    return false;
}

bool parse_start_file(Reader &in, int index, StartFile &file, std::string &error) {
    const std::string name = start_file_name(index);
    const size_t at = in.pos;
    Uint8 len, state;
    if (!in.byte(len) || in.bytes.size() - in.pos < len)
        return fail(error, "truncated in the starting files", at);
    if (in.bytes.compare(in.pos, len, name) != 0 || len != name.size())
        return fail(error, "starting file " + std::to_string(index + 1) + " is not " + name, at);
    in.pos += len;
    if (!in.byte(state) || state > 1) return fail(error, "bad state of starting file " + name, at);
    file = StartFile();
    file.exists = state == 1;
    if (!file.exists) return true;
    Uint64 size, kept;
    if (!in.varint(size, 10, ~Uint64(0)) || !in.varint(kept, 4, START_FILE_LIMIT))
        return fail(error, "bad size of starting file " + name, at);
    // A file is kept whole up to the limit, and cut at the limit when larger.
    if (size < START_FILE_LIMIT ? kept != size : kept != START_FILE_LIMIT)
        return fail(error, "bad size of starting file " + name, at);
    if (in.bytes.size() - in.pos < kept)
        return fail(error, "truncated in starting file " + name, at);
    file.size = size;
    file.bytes = in.bytes.substr(in.pos, kept);
    in.pos += kept;
    return true;
}

bool parse_record(Reader &in, Record &r, Uint32 &last_ticks) {
    Uint8 tag;
    if (!in.byte(tag)) return false;
    r = Record();
    if (tag < TAG_SHORT_DELAY || tag == TAG_TICKS) {
        Uint32 diff = tag;
        if (tag == TAG_TICKS && !in.u32(diff)) return false;
        r.kind = RECORD_TICKS;
        r.value = last_ticks += diff;
        return true;
    }
    if (tag < TAG_POLL_NONE || tag == TAG_DELAY) {
        r.kind = RECORD_DELAY;
        r.value = tag - TAG_SHORT_DELAY;
        return tag != TAG_DELAY || in.u32(r.value);
    }
    if (tag == TAG_EXIT) {
        r.kind = RECORD_EXIT;
        return in.u32(r.value);
    }
    r.kind = RECORD_POLL;
    if (tag == TAG_POLL_NONE) return true;
    r.value = 1;
    if (tag == TAG_KEY_DOWN || tag == TAG_KEY_UP) {
        Uint64 sym;
        // Only key codes that SDL 1.2 names, so that the game's switch sees a valid SDLKey.
        if (!in.varint(sym, 2, SDLK_LAST - 1)) return false;
        r.type = tag == TAG_KEY_DOWN ? SDL_KEYDOWN : SDL_KEYUP;
        r.key = static_cast<Uint16>(sym);
        return true;
    }
    if (tag == TAG_OTHER_EVENT) {
        // Any event type SDL 1.2 has but the two key types, which have tags of their own.
        return in.byte(r.type) && r.type != SDL_NOEVENT && r.type != SDL_KEYDOWN &&
               r.type != SDL_KEYUP && r.type < SDL_NUMEVENTS;
    }
    return false;
}

} // namespace

bool Recording::exact() const {
    for (const StartFile &f : files)
        if (f.exists && !f.whole()) return false;
    return true;
}

void encode_start(const std::vector<StartFile> &files, std::string &out) {
    const int count = start_file_count();
    const bool settings = count <= static_cast<int>(files.size()) && files[count - 1].exists;
    out += MAGIC;
    put_varint(settings ? VERSION : 1, out);
    for (int i = 0; i < (settings ? count : count - 1); ++i) {
        const std::string name = start_file_name(i);
        const StartFile none;
        const StartFile &file = i < static_cast<int>(files.size()) ? files[i] : none;
        out += static_cast<char>(name.size());
        out += name;
        out += static_cast<char>(file.exists ? 1 : 0);
        if (!file.exists) continue;
        put_varint(file.size, out);
        put_varint(file.bytes.size(), out);
        out += file.bytes;
    }
}

void encode_record(const Record &r, Uint32 &last_ticks, std::string &out) {
    switch (r.kind) {
    case RECORD_TICKS: {
        Uint32 diff = r.value - last_ticks;
        last_ticks = r.value;
        if (diff < TAG_SHORT_DELAY) {
            out += static_cast<char>(diff);
        } else {
            out += static_cast<char>(TAG_TICKS);
            put_varint(diff, out);
        }
        break;
    }
    case RECORD_DELAY:
        if (r.value < TAG_POLL_NONE - TAG_SHORT_DELAY) {
            out += static_cast<char>(TAG_SHORT_DELAY + r.value);
        } else {
            out += static_cast<char>(TAG_DELAY);
            put_varint(r.value, out);
        }
        break;
    case RECORD_POLL:
        if (!r.value) {
            out += static_cast<char>(TAG_POLL_NONE);
        } else if (r.type == SDL_KEYDOWN || r.type == SDL_KEYUP) {
            out += static_cast<char>(r.type == SDL_KEYDOWN ? TAG_KEY_DOWN : TAG_KEY_UP);
            put_varint(r.key, out);
        } else {
            out += static_cast<char>(TAG_OTHER_EVENT);
            out += static_cast<char>(r.type);
        }
        break;
    case RECORD_EXIT:
        out += static_cast<char>(TAG_EXIT);
        put_varint(r.value, out);
        break;
    }
}

std::string encode_recording(const Recording &recording) {
    std::string out;
    encode_start(recording.files, out);
    Uint32 last_ticks = 0;
    for (const Record &r : recording.records)
        encode_record(r, last_ticks, out);
    return out;
}

bool parse_recording(const std::string &bytes, Recording &out, std::string &error) {
    out = Recording();
    Reader in{bytes};
    const size_t magic_len = sizeof MAGIC - 1;
    if (bytes.compare(0, magic_len, MAGIC) != 0) {
        // A recording cut inside its first line is still recognisably one.
        if (bytes.size() < magic_len && std::string(MAGIC).compare(0, bytes.size(), bytes) == 0)
            return fail(error, "truncated in the header", bytes.size());
        error = "not a Fretfall recording";
        return false;
    }
    in.pos = magic_len;
    Uint32 version;
    if (!in.u32(version)) return fail(error, "truncated in the header", in.pos);
    if (version != VERSION && version != 1) {
        error = "a recording of format version " + std::to_string(version) +
                "; this program replays versions 1 and " + std::to_string(VERSION);
        return false;
    }
    for (int i = 0; i < start_file_count() - (version == 1 ? 1 : 0); ++i)
        if (!parse_start_file(in, i, out.files[i], error)) return false;
    Uint32 last_ticks = 0;
    while (!in.at_end()) {
        const size_t at = in.pos;
        if (!out.records.empty() && out.records.back().kind == RECORD_EXIT)
            return fail(error, "bytes after the exit record", at);
        Record r;
        if (!parse_record(in, r, last_ticks)) {
            const std::string n = std::to_string(out.records.size() + 1);
            return fail(error, in.at_end() ? "truncated in record " + n : "bad record " + n, at);
        }
        out.records.push_back(r);
    }
    return true;
}

bool read_recording(const std::string &path, Recording &out, std::string &error) {
    FILE *file = std::fopen(path.c_str(), "rb");
    if (!file) {
        error = "cannot read " + path;
        return false;
    }
    std::string bytes;
    char block[65536];
    size_t n;
    while ((n = std::fread(block, 1, sizeof block, file)) > 0 &&
           bytes.size() <= RECORDING_FILE_LIMIT)
        bytes.append(block, n);
    const bool read_error = std::ferror(file) != 0;
    std::fclose(file);
    if (read_error) {
        error = "cannot read " + path;
        return false;
    }
    if (bytes.size() > RECORDING_FILE_LIMIT) {
        error = path + ": larger than " + std::to_string(RECORDING_FILE_LIMIT >> 20) + " MB";
        return false;
    }
    if (!parse_recording(bytes, out, error)) {
        error = path + ": " + error;
        return false;
    }
    return true;
}

std::string describe_request(const Record &r) {
    switch (r.kind) {
    case RECORD_TICKS:
        return "a clock reading";
    case RECORD_DELAY:
        return "a wait of " + std::to_string(r.value) + " ms";
    case RECORD_POLL:
        return "a poll";
    case RECORD_EXIT:
        return "the exit with status " + std::to_string(static_cast<Sint32>(r.value));
    }
    return "?";
}

std::string describe_record(const Record &r) {
    if (r.kind == RECORD_TICKS) return "a clock reading of " + std::to_string(r.value) + " ms";
    if (r.kind != RECORD_POLL) return describe_request(r);
    if (!r.value) return "a poll taking no event";
    if (r.type == SDL_KEYDOWN || r.type == SDL_KEYUP)
        return std::string("a poll taking key ") + (r.type == SDL_KEYDOWN ? "down " : "up ") +
               key_to_name(static_cast<SDLKey>(r.key));
    return "a poll taking an event of type " + std::to_string(r.type);
}
