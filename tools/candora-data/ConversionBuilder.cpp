#include "ConversionBuilder.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <limits>
#include <map>

#include "MarketCalendar.h"
#include "PriceFiles.h"
#include "untAtomicFile.h"
#include "untConversionTable.h"
#include "untIDateTime.h"
#include "untMyMath.h"
#include "untNivraUtil.h"

namespace candora::data {

namespace {

// Daily first; then the hourly bars; then the other steps that divide a day, coarse before fine.
constexpr uint8_t kStepPreference[] = {9, 5, 6, 7, 8, 4, 3, 2, 1, 0};

using TDailyRates = std::map<int32_t, int32_t>;  // day number → close of its last bar

bool dailyRatesOf(TPair pair, TDailyRates& rates, std::string& source, TDataReport& report) {
  for (const uint8_t ordinal : kStepPreference) {
    const std::string fileName = getHistoricalDataFileName(pair, TTimeStep(ordinal));
    if (!std::filesystem::exists(fileName)) continue;
    try {
      const TPriceFile file = readWholePriceFile(fileName);
      for (const THistoricalRecord& r : file.series.slots)
        if (isValidValue(r.close)) rates[static_cast<int32_t>(floorDiv(r.time, kMinutesPerDay))] = r.close;
      source = fileName;
      return true;
    } catch (const std::exception& e) {
      report.problem("unreadable price files", std::string(e.what()) + "; trying another time step");
    }
  }
  return false;
}

}  // namespace

TConversionSummary buildConversionTable(TDataReport& report) {
  std::array<TDailyRates, kYenPairCount> columns;
  TConversionSummary summary;
  int32_t firstDay = std::numeric_limits<int32_t>::max(), lastDay = std::numeric_limits<int32_t>::min();
  for (std::size_t c = 0; c < kYenPairCount; ++c) {
    std::string source;
    if (!dailyRatesOf(TPair(kConversionFileColumns[c]), columns[c], source, report) || columns[c].empty()) continue;
    summary.sources.push_back(source);
    firstDay = std::min(firstDay, columns[c].begin()->first);
    lastDay = std::max(lastDay, columns[c].rbegin()->first);
  }
  if (summary.sources.empty()) return summary;

  std::string text;
  text.reserve(static_cast<std::size_t>(lastDay - firstDay + 1) * 48);
  for (int32_t day = firstDay; day <= lastDay; ++day) {
    text += std::to_string(day * kMinutesPerDay);
    for (const TDailyRates& column : columns) {
      const auto it = column.find(day);
      text += ',';
      text += std::to_string(it == column.end() ? MissingValue : it->second);
    }
    text += '\n';
  }
  std::filesystem::create_directories(getEtcPath());
  writeFileAtomically(getConversionRateFileName(), text);
  summary.rows = lastDay - firstDay + 1;
  summary.firstDay = firstDay * kMinutesPerDay;
  summary.lastDay = lastDay * kMinutesPerDay;
  return summary;
}

}  // namespace candora::data
