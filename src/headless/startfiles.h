// The files a run starts from: taken from the game directory for a recording, laid out
// again in a directory for its replay.
#pragma once
#include "headless/recording.h"

// Reads the starting files from the working directory (each up to START_FILE_LIMIT
// bytes; anything but a readable regular file counts as absent).
std::vector<StartFile> snapshot_start_files();

// Makes `dir` hold exactly the recorded starting files: writes those that existed
// (creating data/ when needed) and removes those that did not. False with a one-line
// reason in `error` when a file cannot be written or removed.
bool lay_out_start_files(const std::vector<StartFile> &files, const std::string &dir,
                         std::string &error);
