#pragma once
// The bundled sample: a whole data folder built from real daily reference rates. Each needed dollar
// leg gets a synthesized minute path through its published rates (BridgePath); each pair's minute
// bars come from its legs and go straight into the requested time steps, without storing the minute
// path; then the indicator files, the conversion table and the pair information follow.

#include <cstdint>
#include <string>
#include <vector>

#include "DataReport.h"
#include "untMarketRecords.h"
#include "untPairInfo.h"

namespace candora::data {

constexpr uint64_t kDefaultSampleSeed = 20070101;

struct TSampleOptions {
  std::string ratesFile;
  std::string outDir;
  std::string pairInfoFile;  // copied into outDir/etc when that has none
  std::vector<TPair> pairs;
  std::vector<TTimeStep> steps;
  int32_t fromDay = 0;  // TIDateTime of 00:00 of the first day
  int32_t toDay = 0;    // TIDateTime of 00:00 of the last day
  uint64_t seed = kDefaultSampleSeed;
};

// The defaults of `candora-data sample`: USDJPY, 1時間足 and longer, 2005-01-01 to 2011-12-31.
TSampleOptions defaultSampleOptions();

struct TSampleSummary {
  int priceFiles = 0;
  int indicatorFiles = 0;
  int conversionRows = 0;
};

// Throws EInOutError / EConvertError for unusable input (rates or pair information missing, a range
// with no rates) and for files that cannot be written; problems in single rows go to `report`.
TSampleSummary buildSample(const TSampleOptions& options, TDataReport& report);

}  // namespace candora::data
