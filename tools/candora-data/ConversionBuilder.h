#pragma once
// The daily yen rates of the six yen pairs (etc/conversionrate.txt), taken from the price files
// already in the data folder: each day's rate is the close of the pair's last bar that starts on
// that day, from the daily bars or, where there are none, the hourly ones (then any other step
// that fits a day evenly).

#include <string>
#include <vector>

#include "DataReport.h"

namespace candora::data {

struct TConversionSummary {
  int rows = 0;
  int32_t firstDay = 0, lastDay = 0;
  std::vector<std::string> sources;  // the price files used, one per yen pair found
};

// Writes getConversionRateFileName() of the current data root: one row per day from the first to
// the last day any yen pair has a rate, no gaps, −999999 where a pair has none that day. Writes
// nothing and returns no rows when no yen pair has a usable price file. Throws EInOutError when the
// file cannot be written.
TConversionSummary buildConversionTable(TDataReport& report);

}  // namespace candora::data
