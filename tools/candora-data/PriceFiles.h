#pragma once
// Whole-file access to the data folder for the builder: reading every slot of a price file at
// once (the program's reader goes bar by bar, which is right for a window and far too slow for
// millions of bars), the names of price and indicator files, and writing one pair and step.

#include <functional>
#include <optional>
#include <string>

#include "DataReport.h"
#include "Indicators.h"
#include "untHistoricalData.h"

namespace candora::data {

struct TPriceFile {
  TPriceFileHeader header;
  TPriceSeries series;  // every slot from the header's first time to its last, unmasked
};

// Throws EInOutError (missing, unreadable or shorter than its header promises) or EConvertError
// (a header that describes no grid), naming the file.
TPriceFile readWholePriceFile(const std::string& fileName);

// "USDJPY_1時間.hst" → pair and step; nothing for any other name.
struct TPriceFileName {
  TPair pair;
  TTimeStep step;
};
std::optional<TPriceFileName> parsePriceFileName(const std::string& name);

// "3_5_4_2.vll" → its ordinals, with the period present exactly when the value type takes one.
struct TValueFileName {
  TPair pair;
  TTimeStep step;
  TCalcValueType valueType;
  TCalcPeriod period;
};
std::optional<TValueFileName> parseValueFileName(const std::string& name);

// Called after each file written, with the count so far.
using TFileCallback = std::function<void(int written)>;

// Writes the price file of `bars` and all its indicator files into the current data root
// (getOhlcPath, getValueListPath), creating the folders. Returns the number of files written.
int writePriceAndIndicatorFiles(TPair pair, TTimeStep step, const std::vector<THistoricalRecord>& bars,
                                const TFileCallback& onFile = {});
// (Re)computes the indicator files of an existing price file. Returns the number written.
int writeIndicatorFiles(const TPriceFile& file, const TFileCallback& onFile = {});

}  // namespace candora::data
