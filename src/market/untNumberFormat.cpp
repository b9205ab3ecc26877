#include "untNumberFormat.h"

#include <cmath>
#include <cstdio>
#include <string_view>

namespace candora {

namespace {

struct Pattern {
  std::string prefix, suffix;
  int minIntegerDigits = 0;
  int forcedDecimals = 0;
  int optionalDecimals = 0;
  bool grouping = false;
};

Pattern parsePattern(std::string_view text) {
  Pattern p;
  const auto first = text.find_first_of("0#.,");
  if (first == std::string_view::npos) {
    p.prefix = std::string(text);
    return p;
  }
  const auto last = text.find_last_of("0#.,");
  p.prefix = std::string(text.substr(0, first));
  p.suffix = std::string(text.substr(last + 1));
  bool inFraction = false;
  for (char c : text.substr(first, last - first + 1)) {
    if (c == '.') {
      inFraction = true;
    } else if (c == ',' && !inFraction) {
      p.grouping = true;
    } else if (c == '0') {
      if (inFraction) ++p.forcedDecimals, p.forcedDecimals += p.optionalDecimals, p.optionalDecimals = 0;
      else ++p.minIntegerDigits;
    } else if (c == '#' && inFraction) {
      ++p.optionalDecimals;
    }
  }
  return p;
}

// Digits of |value| as an integer string scaled by 10^decimals, rounded half to even on the
// shortest decimal form of the value.
std::string scaledDigits(double value, int decimals) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.15e", std::fabs(value));
  // buffer: d.ddddddddddddddde±XX
  std::string mantissa;
  mantissa += buffer[0];
  mantissa.append(buffer + 2, buffer + 17);
  const int exponent = std::atoi(buffer + 18);
  // value = 0.mantissa × 10^(exponent + 1); keep (exponent + 1 + decimals) digits before the cut.
  const int keep = exponent + 1 + decimals;
  if (keep < 0) return "0";
  std::string digits = mantissa.substr(0, static_cast<std::size_t>(std::min<int>(keep, 16)));
  while (static_cast<int>(digits.size()) < keep) digits += '0';
  const std::string rest = keep < 16 ? mantissa.substr(static_cast<std::size_t>(keep)) : std::string();
  bool roundUp = false;
  if (!rest.empty()) {
    const bool tailZero = rest.find_first_not_of('0', 1) == std::string::npos;
    if (rest[0] > '5' || (rest[0] == '5' && !tailZero)) roundUp = true;
    else if (rest[0] == '5' && tailZero) roundUp = !digits.empty() && (digits.back() - '0') % 2 == 1;
  }
  if (digits.empty()) digits = "0";
  if (roundUp) {
    int i = static_cast<int>(digits.size()) - 1;
    while (i >= 0 && digits[static_cast<std::size_t>(i)] == '9') digits[static_cast<std::size_t>(i--)] = '0';
    if (i < 0) digits.insert(digits.begin(), '1');
    else ++digits[static_cast<std::size_t>(i)];
  }
  const auto nonZero = digits.find_first_not_of('0');
  return nonZero == std::string::npos ? "0" : digits.substr(nonZero);
}

std::string groupThousands(const std::string& integer) {
  std::string out;
  const int n = static_cast<int>(integer.size());
  for (int i = 0; i < n; ++i) {
    if (i > 0 && (n - i) % 3 == 0) out += ',';
    out += integer[static_cast<std::size_t>(i)];
  }
  return out;
}

}  // namespace

std::string formatFloat(const std::string& patternText, double value) {
  const Pattern p = parsePattern(patternText);
  const int decimals = p.forcedDecimals + p.optionalDecimals;
  std::string digits = scaledDigits(value, decimals);
  while (static_cast<int>(digits.size()) < decimals + 1) digits.insert(digits.begin(), '0');
  std::string integer = digits.substr(0, digits.size() - static_cast<std::size_t>(decimals));
  std::string fraction = digits.substr(digits.size() - static_cast<std::size_t>(decimals));
  while (static_cast<int>(fraction.size()) > p.forcedDecimals && !fraction.empty() && fraction.back() == '0')
    fraction.pop_back();
  if (integer == "0" && p.minIntegerDigits == 0) integer.clear();
  while (static_cast<int>(integer.size()) < p.minIntegerDigits) integer.insert(integer.begin(), '0');
  if (p.grouping) integer = groupThousands(integer);
  const bool isZero = digits.find_first_not_of('0') == std::string::npos;
  std::string out = p.prefix;
  if (value < 0 && !isZero) out += '-';
  out += integer;
  if (!fraction.empty()) out += '.' + fraction;
  if (out.size() == p.prefix.size() || out == p.prefix + "-") out += '0';
  return out + p.suffix;
}

}  // namespace candora
