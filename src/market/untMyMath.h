#pragma once
// Numeric helpers around the missing-value marker of the price and indicator data, and the one
// program-wide uniform random source.

#include <cstdint>
#include <functional>

namespace candora {

constexpr int32_t MissingValue = -999999;
constexpr float MissingFloat = -999999.0f;

// Uniform draw from [0, 1). The program seeds the default source once at start-up; tests can
// replace the source to reach both ends of a range.
using RandomSource = std::function<double()>;
void seedRandom(uint64_t seed);
RandomSource setRandomSource(RandomSource source);  // returns the previous one; empty restores the default
double randomUnit();

// Uniform integer from low to high inclusive.
int32_t randomInRange(int32_t low, int32_t high);

void swapValues(int32_t& a, int32_t& b);

bool isValidValue(int32_t value);
bool isValidValue(float value);  // a float within about ±100 of the marker counts as missing
bool isNonZero(float value);     // |x| > 0.0001

float addValues(float a, float b);       // a + b, or the marker if either is missing
float subtractValues(float a, float b);  // a − b, or the marker if either is missing

// Round to nearest with halves to even, as everything shown to the user is rounded.
int64_t roundHalfEven(double value);

}  // namespace candora
