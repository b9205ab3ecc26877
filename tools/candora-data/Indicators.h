#pragma once
// The quantities of the indicator files, computed from one pair's bars at one time step:
//   close (value type 0); population standard deviation of closes (3) and close − moving average
//   of closes (4) over the six bar periods; close − highest high (5) and close − lowest low (6)
//   over all sixteen periods.
// A bar period counts the last n bars that hold data, skipping empty slots such as weekends; a day
// period covers the bars that start within the last N × 1440 minutes. A value is missing where
// the slot is empty or the window is not yet full. Every series takes one pass with running sums
// and monotonic queues, so the cost grows with the number of bars, not bars × period.

#include <cstdint>
#include <functional>
#include <vector>

#include "untHistoricalData.h"
#include "untMarketRecords.h"

namespace candora::data {

struct TIndicatorKind {
  TCalcValueType valueType;
  TCalcPeriod period;  // ordinal 0 for the close, which takes none
};

// The 45 kinds written for every price file, in the order computeIndicators delivers them.
std::vector<TIndicatorKind> indicatorKinds();

// One record per grid slot of `step` from firstTime on; empty slots hold the marker.
struct TPriceSeries {
  TTimeStep step;
  int32_t firstTime = 0;
  std::vector<THistoricalRecord> slots;
};

// Places bars (in time order, on the grid) into their slots.
TPriceSeries seriesFromBars(TTimeStep step, const std::vector<THistoricalRecord>& bars);

// Receives each kind's values, one per slot; the buffer is reused after the call returns.
using TIndicatorSink = std::function<void(const TIndicatorKind& kind, const std::vector<float>& values)>;

void computeIndicators(const TPriceSeries& series, const TIndicatorSink& sink);

}  // namespace candora::data
