#include "DataRandom.h"

#include <cmath>

namespace candora::data {

namespace {
constexpr uint64_t rotl(uint64_t x, int k) { return (x << k) | (x >> (64 - k)); }
}  // namespace

uint64_t splitMix64(uint64_t& state) {
  uint64_t z = (state += 0x9e3779b97f4a7c15ULL);
  z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
  z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
  return z ^ (z >> 31);
}

TRandom::TRandom(uint64_t seed) {
  uint64_t state = seed;
  for (uint64_t& word : s_) word = splitMix64(state);
}

TRandom TRandom::forStream(uint64_t seed, uint64_t purpose, int64_t key) {
  uint64_t state = seed;
  uint64_t mixed = splitMix64(state);
  state = mixed ^ (purpose * 0xd1b54a32d192ed03ULL);
  mixed = splitMix64(state);
  state = mixed ^ static_cast<uint64_t>(key);
  return TRandom(splitMix64(state));
}

uint64_t TRandom::next() {
  const uint64_t result = rotl(s_[1] * 5, 7) * 9;
  const uint64_t t = s_[1] << 17;
  s_[2] ^= s_[0];
  s_[3] ^= s_[1];
  s_[1] ^= s_[2];
  s_[0] ^= s_[3];
  s_[2] ^= t;
  s_[3] = rotl(s_[3], 45);
  return result;
}

double TRandom::nextUnit() { return static_cast<double>(next() >> 11) * 0x1.0p-53; }

double TRandom::nextNormal() {
  if (hasSpare_) {
    hasSpare_ = false;
    return spare_;
  }
  double u = 0, v = 0, s = 0;
  do {
    u = 2.0 * nextUnit() - 1.0;
    v = 2.0 * nextUnit() - 1.0;
    s = u * u + v * v;
  } while (s >= 1.0 || s == 0.0);
  const double factor = std::sqrt(-2.0 * std::log(s) / s);
  spare_ = v * factor;
  hasSpare_ = true;
  return u * factor;
}

}  // namespace candora::data
