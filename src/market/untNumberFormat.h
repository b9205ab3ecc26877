#pragma once
// Number patterns for rates: "0" a forced digit, "#" an optional digit, "." the decimal point and
// "," digit grouping in the integer part. Other characters before or after the digits are copied.
// The value is rounded to the pattern's decimals with halves to even, on its shortest decimal form
// so that 0.001 × 92345 reads as 92.345 and not as the binary neighbour below it.

#include <string>

namespace candora {

std::string formatFloat(const std::string& pattern, double value);

}  // namespace candora
