#pragma once
// Bars of a longer time step from bars of a shorter one, on the grid anchored at 2007-01-01 00:00:
// the open of the first sub-bar, the highest high, the lowest low and the close of the last.

#include <algorithm>
#include <cstdint>
#include <vector>

#include "untHistoricalData.h"
#include "untMarketRecords.h"

namespace candora::data {

class TBarAggregator {
public:
  explicit TBarAggregator(TTimeStep step) : step_(step), minutes_(step.getMinute()) {}

  // Sub-bars must come in increasing time order.
  void add(const THistoricalRecord& bar) {
    int32_t offset = (bar.time - kGridOrigin) % minutes_;
    if (offset < 0) offset += minutes_;
    const int32_t slot = bar.time - offset;
    if (open_ && slot == current_.time) {
      current_.high = std::max(current_.high, bar.high);
      current_.low = std::min(current_.low, bar.low);
      current_.close = bar.close;
      return;
    }
    if (open_) bars_.push_back(current_);
    current_ = bar;
    current_.time = slot;
    open_ = true;
  }

  // The finished bars, the one still open included; the aggregator starts over.
  std::vector<THistoricalRecord> finish();
  TTimeStep step() const { return step_; }

private:
  TTimeStep step_;
  int32_t minutes_;
  bool open_ = false;
  THistoricalRecord current_;
  std::vector<THistoricalRecord> bars_;
};

std::vector<THistoricalRecord> aggregateBars(const std::vector<THistoricalRecord>& bars, TTimeStep step);

}  // namespace candora::data
