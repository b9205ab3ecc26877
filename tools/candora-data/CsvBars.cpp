#include "CsvBars.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "Progress.h"
#include "TextFields.h"
#include "untIDateTime.h"
#include "untMyMath.h"
#include "untNivraUtil.h"

namespace candora::data {

namespace {

// Prices beyond this many rate units would leave no room for the mask of the price files.
constexpr double kLargestRate = 1.0e9;

std::string_view trimmed(std::string_view text) {
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

char separatorOf(std::string_view line) {
  if (line.find(';') != std::string_view::npos) return ';';
  if (line.find(',') != std::string_view::npos) return ',';
  return '\t';
}

struct TSourceBar {
  THistoricalRecord bar;
  std::size_t line;
};

bool toRate(double price, double unitsPerPrice, int32_t& rate) {
  const double units = price * unitsPerPrice;
  if (!(units > 0) || units > kLargestRate) return false;
  rate = static_cast<int32_t>(roundHalfEven(units));
  return rate > 0;
}

// Converts to rate units and checks that the candle is a candle.
bool toRecord(const TParsedBar& parsed, double unitsPerPrice, THistoricalRecord& r, std::string& problem) {
  r.time = parsed.time;
  if (!toRate(parsed.open, unitsPerPrice, r.open) || !toRate(parsed.high, unitsPerPrice, r.high) ||
      !toRate(parsed.low, unitsPerPrice, r.low) || !toRate(parsed.close, unitsPerPrice, r.close)) {
    problem = "a price is zero, negative or too large";
    return false;
  }
  if (r.high < std::max(r.open, r.close) || r.low > std::min(r.open, r.close)) {
    problem = "the high is below the open or close, or the low above them";
    return false;
  }
  return true;
}

void sortAndDeduplicate(std::vector<TSourceBar>& source, const std::string& fileName, TDataReport& report,
                        TCsvImport& result) {
  std::stable_sort(source.begin(), source.end(),
                   [](const TSourceBar& a, const TSourceBar& b) { return a.bar.time < b.bar.time; });
  result.bars.reserve(source.size());
  std::size_t keptLine = 0;
  for (const TSourceBar& s : source) {
    if (!result.bars.empty() && result.bars.back().time == s.bar.time) {
      ++result.duplicates;
      report.problem("repeated times", fileLine(fileName, s.line) + ": " + formatIsoMinutes(s.bar.time) +
                                           " repeats line " + std::to_string(keptLine) +
                                           "; this line is skipped");
      continue;
    }
    result.bars.push_back(s.bar);
    keptLine = s.line;
  }
}

}  // namespace

TLineParse parseBarLine(std::string_view line, TParsedBar& bar, std::string& problem) {
  line = trimmed(line);
  if (line.empty()) return TLineParse::Blank;
  const std::vector<std::string> fields = splitFields(line, separatorOf(line));
  const auto fail = [&problem](std::string text) {
    problem = std::move(text);
    return TLineParse::Malformed;
  };

  // The time is either in the first field after a blank or a T, or in a field of its own.
  std::string_view first = trimmed(fields[0]);
  std::string_view datePart = first, timePart;
  std::size_t prices = 1;
  const std::size_t split = first.find_first_of(" T");
  if (split != std::string_view::npos) {
    datePart = first.substr(0, split);
    timePart = trimmed(first.substr(split + 1));
  } else if (fields.size() > 1) {
    timePart = trimmed(fields[1]);
    prices = 2;
  }
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
  if (!parseAnyDate(datePart, year, month, day)) return fail("'" + std::string(datePart) + "' is not a date");
  if (year < kFirstSupportedYear || year > kLastSupportedYear)
    return fail("the year " + std::to_string(year) + " is outside " + std::to_string(kFirstSupportedYear) + "–" +
                std::to_string(kLastSupportedYear));
  if (!parseTimeOfDay(timePart, hour, minute, second))
    return fail("'" + std::string(timePart) + "' is not a time of day");
  if (second != 0) return fail("the bar starts at second " + std::to_string(second) + ", not on a whole minute");
  if (fields.size() < prices + 4) return fail("expected open, high, low and close after the time");
  double values[4];
  for (std::size_t k = 0; k < 4; ++k) {
    const std::string_view text = trimmed(fields[prices + k]);
    if (!parseDecimal(text, values[k])) return fail("'" + std::string(text) + "' is not a price");
  }
  bar.time = minutesOf(year, month, day, hour, minute);
  bar.open = values[0];
  bar.high = values[1];
  bar.low = values[2];
  bar.close = values[3];
  return TLineParse::Bar;
}

TCsvImport readCsvBars(const std::string& fileName, double unitsPerPrice, TDataReport& report) {
  std::ifstream in(fileName, std::ios::binary);
  if (!in) throw EInOutError("Cannot open \"" + fileName + "\": " + std::strerror(errno));
  TCsvImport result;
  std::error_code sizeError;
  const auto size = std::filesystem::file_size(fileName, sizeError);
  TProgress progress("  reading " + std::filesystem::path(fileName).filename().string(),
                     sizeError ? 1 : static_cast<int64_t>(size));
  int64_t bytesRead = 0;
  std::vector<TSourceBar> source;
  std::string line, problem;
  std::size_t lineNo = 0;
  bool seenContent = false;
  int32_t previousTime = 0;
  std::size_t previousLine = 0;
  while (std::getline(in, line)) {
    ++lineNo;
    bytesRead += static_cast<int64_t>(line.size()) + 1;
    progress.update(bytesRead);
    if (lineNo == 1) line = stripByteOrderMark(line);
    TParsedBar parsed;
    const TLineParse kind = parseBarLine(line, parsed, problem);
    if (kind == TLineParse::Blank) continue;
    const bool firstContent = !seenContent;
    seenContent = true;
    if (kind == TLineParse::Malformed) {
      // A first line that does not start with a digit is a header naming the columns.
      const std::string_view t = trimmed(line);
      if (firstContent && !(t.front() >= '0' && t.front() <= '9')) continue;
      ++result.dataLines;
      ++result.malformed;
      report.problem("malformed lines", fileLine(fileName, lineNo) + ": " + problem + "; the line is skipped");
      continue;
    }
    ++result.dataLines;
    THistoricalRecord record;
    if (!toRecord(parsed, unitsPerPrice, record, problem)) {
      ++result.malformed;
      report.problem("malformed lines", fileLine(fileName, lineNo) + ": " + problem + "; the line is skipped");
      continue;
    }
    if (!source.empty() && record.time < previousTime) {
      ++result.outOfOrder;
      report.problem("times out of order", fileLine(fileName, lineNo) + ": " + formatIsoMinutes(record.time) +
                                               " comes after " + formatIsoMinutes(previousTime) + " on line " +
                                               std::to_string(previousLine) + "; the bars will be sorted");
    }
    previousTime = record.time;
    previousLine = lineNo;
    source.push_back({record, lineNo});
  }
  if (in.bad()) throw EInOutError("Cannot read \"" + fileName + "\": " + std::strerror(errno));
  sortAndDeduplicate(source, fileName, report, result);
  return result;
}

}  // namespace candora::data
