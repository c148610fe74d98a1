// Recordings of play: the files a run starts from, then every value the platform module
// handed the game (clock readings, waits, poll results), in a compact byte format.
#pragma once
#include <SDL.h>
#include <string>
#include <vector>

// What the game asked the platform module for.
enum RecordKind : Uint8 { RECORD_TICKS, RECORD_DELAY, RECORD_POLL, RECORD_EXIT };

struct Record {
    RecordKind kind = RECORD_TICKS;
    Uint32 value = 0; // TICKS: the clock reading (ms); DELAY: the wait asked for (ms);
                      // POLL: 1 when an event was taken, 0 when none; EXIT: the status
    Uint8 type = 0;   // POLL with an event: its SDL event type
    Uint16 key = 0;   // POLL with a key event: its keysym.sym
};

// A starting file larger than this keeps only its first bytes, and the recording cannot
// be replayed exactly.
const size_t START_FILE_LIMIT = 1 << 20;
// The files a run reads and writes: the progress file, the highscore file of each
// catalogue song in catalogue order, then the settings file (always the last).
// start_file_name gives nullptr outside 0..count-1.
int start_file_count();
const char *start_file_name(int i);

// One starting file as the run found it.
struct StartFile {
    bool exists = false;
    Uint64 size = 0;   // its whole size
    std::string bytes; // all of it, or its first START_FILE_LIMIT bytes when larger
    bool whole() const { return bytes.size() == size; }
};

struct Recording {
    std::vector<StartFile> files = std::vector<StartFile>(start_file_count()); // in that order
    std::vector<Record> records;
    bool exact() const; // every starting file was kept whole
};

// A recording larger than this is not read.
const size_t RECORDING_FILE_LIMIT = 16u << 20;

// Appends the file header and the starting files to `out`.
void encode_start(const std::vector<StartFile> &files, std::string &out);
// Appends one record; `last_ticks` is the previous clock reading (0 before the first),
// since readings are stored as differences, and is updated.
void encode_record(const Record &record, Uint32 &last_ticks, std::string &out);

// The whole recording: its starting files, then its records.
std::string encode_recording(const Recording &recording);

// Decodes a whole recording. Any bytes are accepted: a bad recording gives false and a
// one-line reason in `error`. A recording cut between two records is good; one cut inside
// a record, or with bytes after the exit, is not.
bool parse_recording(const std::string &bytes, Recording &out, std::string &error);
// Reads and decodes the recording at `path` (at most RECORDING_FILE_LIMIT bytes).
bool read_recording(const std::string &path, Recording &out, std::string &error);

// A record in words for messages: "a clock reading of 1234 ms", "a poll taking key down
// LCTRL", "a wait of 50 ms", "the exit with status 0".
std::string describe_record(const Record &record);
// What the game asked for, without what it got: "a clock reading", "a poll", "a wait of
// 50 ms", "the exit with status 0".
std::string describe_request(const Record &request);
