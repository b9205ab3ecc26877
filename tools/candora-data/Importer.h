#pragma once
// Real bars from a CSV file into a data folder: the bars are read (CsvBars), aggregated into each
// requested time step, written as price files and followed by their indicator files.

#include <cstdint>
#include <string>
#include <vector>

#include "DataReport.h"
#include "untHistoricalData.h"
#include "untMarketRecords.h"
#include "untPairInfo.h"

namespace candora::data {

struct TImportOptions {
  TPair pair;
  std::string inputFile;
  std::string outDir;
  std::string pairInfoFile;      // copied into outDir/etc when that has none
  std::vector<TTimeStep> steps;  // empty: every step the input's bars can fill
};

struct TImportSummary {
  std::size_t bars = 0;  // distinct bars read
  std::size_t dataLines = 0, malformed = 0, outOfOrder = 0, duplicates = 0;
  int32_t inputMinutes = 0;  // the finest step the input's bar times allow
  std::vector<TTimeStep> written;
  int indicatorFiles = 0;
};

// The finest bar length the times allow: the greatest common divisor of their distances from the
// grid origin. A step can be made from the bars only if its length is a multiple of this.
int32_t inputResolution(const std::vector<THistoricalRecord>& bars);

// Problems in the input go to `report` (and leave the rest of the import intact); throws
// EInOutError / EConvertError when the input cannot be read at all or holds no bar, or the files
// cannot be written.
TImportSummary importBars(const TImportOptions& options, TDataReport& report);

}  // namespace candora::data
