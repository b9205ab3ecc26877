#pragma once
// The data builder's own random generator: xoshiro256** seeded through splitmix64, with normal
// deviates by the polar method. Written out here rather than taken from <random> so that a seed
// gives the same sample data with every compiler and standard library.

#include <cstdint>

namespace candora::data {

uint64_t splitMix64(uint64_t& state);

class TRandom {
public:
  explicit TRandom(uint64_t seed);
  // An independent stream for one purpose and one key (a leg and a day, say). Streams keyed this
  // way let one part of the sample be rebuilt without drawing everything before it.
  static TRandom forStream(uint64_t seed, uint64_t purpose, int64_t key);

  uint64_t next();
  double nextUnit();    // uniform on [0, 1), 53 bits
  double nextNormal();  // standard normal

private:
  uint64_t s_[4];
  double spare_ = 0.0;
  bool hasSpare_ = false;
};

}  // namespace candora::data
