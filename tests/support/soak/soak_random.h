// SplitMix64: the same numbers on every machine, so a seed names one soak script for good.
#pragma once
#include <cstdint>

class SoakRandom {
  public:
    explicit SoakRandom(std::uint64_t seed) : state(seed) {}

    std::uint64_t next() {
        std::uint64_t z = (state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }

    // A number in 0 .. n - 1 (n > 0). The top 32 bits scaled by n: the bias is below
    // n / 2^32, far too small to matter for picking keys and waits.
    unsigned below(unsigned n) {
        return static_cast<unsigned>(((next() >> 32) * static_cast<std::uint64_t>(n)) >> 32);
    }

  private:
    std::uint64_t state;
};
