#include "BarAggregator.h"

#include <utility>

namespace candora::data {

std::vector<THistoricalRecord> TBarAggregator::finish() {
  if (open_) bars_.push_back(current_);
  open_ = false;
  return std::exchange(bars_, {});
}

std::vector<THistoricalRecord> aggregateBars(const std::vector<THistoricalRecord>& bars, TTimeStep step) {
  TBarAggregator aggregator(step);
  for (const THistoricalRecord& bar : bars) aggregator.add(bar);
  return aggregator.finish();
}

}  // namespace candora::data
