#pragma once
// Small strict parsers for the text the data builder reads: fields of a CSV line, dates, times
// and decimal numbers. Each returns false instead of throwing, so callers can name the line.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace candora::data {

// Years the data files can carry: every minute of them is a 32-bit float exactly, as the indicator
// files need.
constexpr int kFirstSupportedYear = 1971;
constexpr int kLastSupportedYear = 2030;

std::string stripByteOrderMark(const std::string& line);
// Plain split at one separator character; no quoting (the bar and rate files never quote).
std::vector<std::string> splitFields(std::string_view line, char separator);

// A decimal number with an optional sign and fraction, nothing else.
bool parseDecimal(std::string_view text, double& value);
bool parseWholeNumber(std::string_view text, int64_t& value);

// YYYY-MM-DD, and the forms bar files use: YYYY.MM.DD, YYYY/MM/DD, YYYYMMDD. Checks the calendar.
bool parseIsoDate(std::string_view text, int& year, int& month, int& day);
bool parseAnyDate(std::string_view text, int& year, int& month, int& day);
// HH:MM, HH:MM:SS, HHMM, HHMMSS.
bool parseTimeOfDay(std::string_view text, int& hour, int& minute, int& second);
// "YYYY-MM-DD" or "YYYY-MM-DDTHH:MM" (a blank instead of the T also serves) as a TIDateTime, within
// the supported years.
bool parseDateTimeArgument(std::string_view text, int32_t& minutes);

}  // namespace candora::data
