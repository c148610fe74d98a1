// Fuzzer input as a file: the readers under test take a path, as the game calls them.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

// Writes `size` bytes to a file of this process's own scratch directory, which is made on
// first use and removed at exit, and returns its path.
std::string fuzz_input_file(const char *name, const uint8_t *data, size_t size);
// A path in the scratch directory, not written.
std::string fuzz_scratch_path(const char *name);
