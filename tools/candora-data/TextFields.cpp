#include "TextFields.h"

#include <charconv>

#include "untIDateTime.h"

namespace candora::data {

namespace {

bool digitsAt(std::string_view text, std::size_t from, std::size_t count, int& value) {
  if (from + count > text.size()) return false;
  value = 0;
  for (std::size_t i = from; i < from + count; ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
    value = value * 10 + (text[i] - '0');
  }
  return true;
}

}  // namespace

std::string stripByteOrderMark(const std::string& line) {
  return line.rfind("\xEF\xBB\xBF", 0) == 0 ? line.substr(3) : line;
}

std::vector<std::string> splitFields(std::string_view line, char separator) {
  std::vector<std::string> fields;
  std::size_t start = 0;
  while (true) {
    const std::size_t end = line.find(separator, start);
    fields.emplace_back(line.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
    if (end == std::string_view::npos) break;
    start = end + 1;
  }
  return fields;
}

bool parseDecimal(std::string_view text, double& value) {
  if (text.empty()) return false;
  const char* first = text.data();
  const char* last = text.data() + text.size();
  if (*first == '+') ++first;
  // Plain decimals only: no exponents, "inf" or "nan" from a damaged file.
  for (const char* p = first; p != last; ++p)
    if (!((*p >= '0' && *p <= '9') || *p == '.' || (*p == '-' && p == first))) return false;
  const auto [ptr, ec] = std::from_chars(first, last, value, std::chars_format::fixed);
  return ec == std::errc() && ptr == last;
}

bool parseWholeNumber(std::string_view text, int64_t& value) {
  if (text.empty()) return false;
  const char* first = text.data();
  if (*first == '+') ++first;
  const auto [ptr, ec] = std::from_chars(first, text.data() + text.size(), value);
  return ec == std::errc() && ptr == text.data() + text.size();
}

bool parseIsoDate(std::string_view text, int& year, int& month, int& day) {
  return text.size() == 10 && text[4] == '-' && text[7] == '-' && digitsAt(text, 0, 4, year) &&
         digitsAt(text, 5, 2, month) && digitsAt(text, 8, 2, day) && isValidDate(year, month, day);
}

bool parseAnyDate(std::string_view text, int& year, int& month, int& day) {
  bool ok = false;
  if (text.size() == 10 && (text[4] == '-' || text[4] == '.' || text[4] == '/') && text[7] == text[4])
    ok = digitsAt(text, 0, 4, year) && digitsAt(text, 5, 2, month) && digitsAt(text, 8, 2, day);
  else if (text.size() == 8)
    ok = digitsAt(text, 0, 4, year) && digitsAt(text, 4, 2, month) && digitsAt(text, 6, 2, day);
  return ok && isValidDate(year, month, day);
}

bool parseTimeOfDay(std::string_view text, int& hour, int& minute, int& second) {
  second = 0;
  bool ok = false;
  if (text.size() == 5 && text[2] == ':')
    ok = digitsAt(text, 0, 2, hour) && digitsAt(text, 3, 2, minute);
  else if (text.size() == 8 && text[2] == ':' && text[5] == ':')
    ok = digitsAt(text, 0, 2, hour) && digitsAt(text, 3, 2, minute) && digitsAt(text, 6, 2, second);
  else if (text.size() == 4)
    ok = digitsAt(text, 0, 2, hour) && digitsAt(text, 2, 2, minute);
  else if (text.size() == 6)
    ok = digitsAt(text, 0, 2, hour) && digitsAt(text, 2, 2, minute) && digitsAt(text, 4, 2, second);
  return ok && hour < 24 && minute < 60 && second < 60;
}

bool parseDateTimeArgument(std::string_view text, int32_t& minutes) {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
  if (!parseIsoDate(text.substr(0, 10), year, month, day)) return false;
  if (year < kFirstSupportedYear || year > kLastSupportedYear) return false;
  if (text.size() > 10) {
    if ((text[10] != 'T' && text[10] != ' ') || text.size() != 16) return false;
    if (!parseTimeOfDay(text.substr(11), hour, minute, second)) return false;
  }
  minutes = minutesOf(year, month, day, hour, minute);
  return true;
}

}  // namespace candora::data
