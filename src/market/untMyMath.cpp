#include "untMyMath.h"

#include <algorithm>
#include <cmath>
#include <random>
#include <utility>

namespace candora {

namespace {

std::mt19937_64& engine() {
  static std::mt19937_64 generator(0x43616e646f7261ULL);
  return generator;
}

double defaultUnit() {
  // 53 random bits give every double in [0, 1) on a 2^-53 grid, never 1.0.
  return static_cast<double>(engine()() >> 11) * 0x1.0p-53;
}

RandomSource& source() {
  static RandomSource current = defaultUnit;
  return current;
}

}  // namespace

void seedRandom(uint64_t seed) { engine().seed(seed); }

RandomSource setRandomSource(RandomSource replacement) {
  RandomSource previous = std::move(source());
  source() = replacement ? std::move(replacement) : RandomSource(defaultUnit);
  return previous;
}

double randomUnit() { return source()(); }

int32_t randomInRange(int32_t low, int32_t high) {
  const double r = randomUnit();
  const double span = static_cast<double>(high) - static_cast<double>(low) + 1.0;
  return static_cast<int32_t>(std::trunc(r * span + static_cast<double>(low)));
}

void swapValues(int32_t& a, int32_t& b) { std::swap(a, b); }

bool isValidValue(int32_t value) { return value != MissingValue; }

bool isValidValue(float value) {
  const double x = value;
  const double tolerance = std::max(std::min(std::fabs(x), 999999.0) * 0.0001, 0.0001);
  return !(std::fabs(x - static_cast<double>(MissingValue)) <= tolerance);
}

bool isNonZero(float value) { return std::fabs(value) > 0.0001f; }

float addValues(float a, float b) { return isValidValue(a) && isValidValue(b) ? a + b : MissingFloat; }

float subtractValues(float a, float b) { return isValidValue(a) && isValidValue(b) ? a - b : MissingFloat; }

int64_t roundHalfEven(double value) { return static_cast<int64_t>(std::nearbyint(value)); }

}  // namespace candora
