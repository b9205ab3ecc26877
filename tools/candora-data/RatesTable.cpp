#include "RatesTable.h"

#include <cmath>
#include <fstream>
#include <limits>

#include "MarketCalendar.h"
#include "TextFields.h"
#include "untIDateTime.h"
#include "untNivraUtil.h"

namespace candora::data {

const std::array<TLegInfo, kLegCount>& legInfos() {
  static const std::array<TLegInfo, kLegCount> legs = {{{"JPY", "DEXJPUS", true},
                                                         {"EUR", "DEXUSEU", false},
                                                         {"GBP", "DEXUSUK", false},
                                                         {"CHF", "DEXSZUS", true},
                                                         {"AUD", "DEXUSAL", false},
                                                         {"NZD", "DEXUSNZ", false},
                                                         {"CAD", "DEXCAUS", true}}};
  return legs;
}

int legOf(const std::string& currency) {
  for (int i = 0; i < kLegCount; ++i)
    if (currency == legInfos()[static_cast<std::size_t>(i)].currency) return i;
  return -1;
}

TRatesTable readRatesTable(const std::string& fileName, TDataReport& report) {
  const std::vector<std::string> lines = readTextLines(fileName);
  if (lines.empty()) throw EConvertError("\"" + fileName + "\": the file is empty");
  const std::vector<std::string> header = splitFields(stripByteOrderMark(lines[0]), ',');
  std::array<std::size_t, kLegCount> columnOf{};
  for (int leg = 0; leg < kLegCount; ++leg) {
    const std::string wanted = legInfos()[static_cast<std::size_t>(leg)].column;
    std::size_t found = 0;
    for (std::size_t c = 1; c < header.size(); ++c)
      if (trimText(header[c]) == wanted) found = c;
    if (found == 0) throw EConvertError(fileLine(fileName, 1) + ": the header has no column " + wanted);
    columnOf[static_cast<std::size_t>(leg)] = found;
  }

  TRatesTable table;
  int32_t previousDay = std::numeric_limits<int32_t>::min();
  for (std::size_t i = 1; i < lines.size(); ++i) {
    const std::string line = trimText(lines[i]);
    if (line.empty()) continue;
    const std::vector<std::string> fields = splitFields(line, ',');
    TRateRow row;
    const auto bad = [&](const std::string& problem) {
      report.problem("bad rate row", fileLine(fileName, i + 1) + ": " + problem + "; the row is skipped");
    };
    if (!parseIsoDate(trimText(fields[0]), row.year, row.month, row.day)) {
      bad("'" + fields[0] + "' is not a date YYYY-MM-DD");
      continue;
    }
    const auto day = static_cast<int32_t>(floorDiv(minutesOf(row.year, row.month, row.day), kMinutesPerDay));
    if (day <= previousDay) {
      bad("the date is not later than the row before");
      continue;
    }
    bool ok = true;
    for (int leg = 0; leg < kLegCount && ok; ++leg) {
      const std::size_t c = columnOf[static_cast<std::size_t>(leg)];
      const std::string cell = c < fields.size() ? trimText(fields[c]) : std::string();
      double& target = row.logUsdValue[static_cast<std::size_t>(leg)];
      target = std::numeric_limits<double>::quiet_NaN();
      if (cell.empty() || cell == ".") continue;
      double rate = 0;
      if (!parseDecimal(cell, rate) || !(rate > 0) || !std::isfinite(rate)) {
        bad("'" + cell + "' in column " + legInfos()[static_cast<std::size_t>(leg)].column + " is not a rate");
        ok = false;
        break;
      }
      target = legInfos()[static_cast<std::size_t>(leg)].perDollar ? -std::log(rate) : std::log(rate);
    }
    if (!ok) continue;
    previousDay = day;
    table.rows.push_back(row);
  }
  return table;
}

}  // namespace candora::data
