// The writer of a recording during play: the starting files first, then each value the
// platform hands the game, written out in whole records so that a killed game leaves a
// recording that replays up to its last write.
#pragma once
#include "headless/recording.h"

#include <string>

// Starts a recording at `path` (`program` names the messages): takes the starting files
// from the working directory and writes them out at once; `settings`, when given, stands
// for the settings file. A file that cannot be created is reported on stderr, and play
// goes on unrecorded.
void recorder_start(const char *program, const std::string &path,
                    const StartFile *settings = nullptr);
bool recorder_on();
// Adds one value; it reaches the file with the next flush.
void recorder_add(const Record &record);
// Writes out every value added so far. A write that fails is reported once and ends
// the recording.
void recorder_flush();
