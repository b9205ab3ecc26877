#pragma once
// Price bars from CSV files as brokers and data vendors export them. Each line is recognised on its
// own, so these all work, with or without a header line:
//   2008.03.05,10:00,106.123,106.200,106.050,106.180,1234
//   20080305 100000;106.123;106.200;106.050;106.180;1234
//   2008-03-05 10:00[:00],106.123,106.200,106.050,106.180[,1234]
// Times are taken as UTC; the volume and anything after it are ignored.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "DataReport.h"
#include "untHistoricalData.h"

namespace candora::data {

struct TParsedBar {
  int32_t time = 0;  // TIDateTime
  double open = 0, high = 0, low = 0, close = 0;
};

enum class TLineParse { Bar, Blank, Malformed };

// On Malformed, `problem` says what is wrong in words a user can act on.
TLineParse parseBarLine(std::string_view line, TParsedBar& bar, std::string& problem);

struct TCsvImport {
  std::vector<THistoricalRecord> bars;  // in time order, one per time, prices in rate units
  std::size_t dataLines = 0;            // lines that were neither blank nor the header
  std::size_t malformed = 0;
  std::size_t outOfOrder = 0;
  std::size_t duplicates = 0;
};

// Reads the whole file. `unitsPerPrice` turns a price into integer rate units (1000 for 0.001).
// Malformed lines are reported with their line number and skipped; lines whose time goes backwards
// are reported and the bars sorted; a repeated time is reported and the later line skipped.
// Throws EInOutError when the file cannot be read.
TCsvImport readCsvBars(const std::string& fileName, double unitsPerPrice, TDataReport& report);

}  // namespace candora::data
