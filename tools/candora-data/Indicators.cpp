#include "Indicators.h"

#include <cmath>
#include <memory>

#include "untIDateTime.h"
#include "untMyMath.h"

namespace candora::data {

namespace {

__extension__ using Int128 = __int128;

constexpr int kBarPeriods = 6;

// The bars that hold data, packed, with the slot each came from.
struct TPacked {
  std::vector<int32_t> slot, time, close, high, low;
};

TPacked pack(const TPriceSeries& series) {
  TPacked p;
  const int32_t minutes = series.step.getMinute();
  for (auto* v : {&p.slot, &p.time, &p.close, &p.high, &p.low}) v->reserve(series.slots.size());
  for (std::size_t s = 0; s < series.slots.size(); ++s) {
    const THistoricalRecord& r = series.slots[s];
    if (!isValidValue(r.close) || !isValidValue(r.high) || !isValidValue(r.low)) continue;
    p.slot.push_back(static_cast<int32_t>(s));
    p.time.push_back(series.firstTime + static_cast<int32_t>(s) * minutes);
    p.close.push_back(r.close);
    p.high.push_back(r.high);
    p.low.push_back(r.low);
  }
  return p;
}

// A queue of packed indices whose values decrease (for maxima) or increase (for minima) from the
// front; every index enters and leaves once, so a whole pass costs O(bars). Its storage is kept
// from pass to pass: clearing it for each of the 22 windows would cost more than the pass.
class TMonotonicQueue {
public:
  explicit TMonotonicQueue(std::size_t capacity) : items_(new TItem[capacity]) {}
  void clear() { head_ = tail_ = 0; }
  // The value travels with its index, so the comparisons never wait for a second memory load.
  template <class Better>
  void push(int32_t index, int32_t value, Better better) {
    while (tail_ > head_ && !better(items_[tail_ - 1].value, value)) --tail_;
    items_[tail_++] = {value, index};
  }
  void dropBefore(int32_t firstIndex) {
    while (items_[head_].index < firstIndex) ++head_;
  }
  int32_t frontValue() const { return items_[head_].value; }

private:
  struct TItem {
    int32_t value, index;
  };
  std::unique_ptr<TItem[]> items_;
  std::size_t head_ = 0, tail_ = 0;
};

void closes(const TPacked& p, std::vector<float>& out) {
  for (std::size_t j = 0; j < p.slot.size(); ++j) out[static_cast<std::size_t>(p.slot[j])] = static_cast<float>(p.close[j]);
}

void averageAndDeviation(const TPacked& p, int32_t n, std::vector<float>& minusAverage, std::vector<float>& deviation) {
  int64_t sum = 0;
  Int128 sumOfSquares = 0;
  const std::size_t count = p.slot.size();
  for (std::size_t j = 0; j < count; ++j) {
    const int64_t c = p.close[j];
    sum += c;
    sumOfSquares += static_cast<Int128>(c * c);
    if (j >= static_cast<std::size_t>(n)) {
      const int64_t old = p.close[j - static_cast<std::size_t>(n)];
      sum -= old;
      sumOfSquares -= static_cast<Int128>(old * old);
    }
    const auto s = static_cast<std::size_t>(p.slot[j]);
    if (j + 1 < static_cast<std::size_t>(n)) {
      minusAverage[s] = deviation[s] = MissingFloat;
      continue;
    }
    // Sums of whole rate units are exact, so the variance never drifts over millions of bars.
    const Int128 spread = static_cast<Int128>(n) * sumOfSquares - static_cast<Int128>(sum) * sum;
    minusAverage[s] = static_cast<float>(static_cast<double>(c) - static_cast<double>(sum) / n);
    deviation[s] = static_cast<float>(std::sqrt(static_cast<double>(spread)) / n);
  }
}

// Close minus the highest high and minus the lowest low over a window that starts at the packed
// index firstOf(j) for the bar at j; firstOf returns -1 while the window is not yet full.
template <class FirstOf>
void extremes(const TPacked& p, FirstOf firstOf, TMonotonicQueue& highs, TMonotonicQueue& lows,
              std::vector<float>& minusMaximum, std::vector<float>& minusMinimum) {
  const std::size_t count = p.slot.size();
  highs.clear();
  lows.clear();
  for (std::size_t j = 0; j < count; ++j) {
    const auto index = static_cast<int32_t>(j);
    highs.push(index, p.high[j], [](int32_t kept, int32_t added) { return kept > added; });
    lows.push(index, p.low[j], [](int32_t kept, int32_t added) { return kept < added; });
    const int32_t first = firstOf(index);
    const auto s = static_cast<std::size_t>(p.slot[j]);
    if (first < 0) {
      minusMaximum[s] = minusMinimum[s] = MissingFloat;
      continue;
    }
    highs.dropBefore(first);
    lows.dropBefore(first);
    minusMaximum[s] = static_cast<float>(p.close[j] - highs.frontValue());
    minusMinimum[s] = static_cast<float>(p.close[j] - lows.frontValue());
  }
}

}  // namespace

std::vector<TIndicatorKind> indicatorKinds() {
  std::vector<TIndicatorKind> kinds;
  kinds.push_back({TCalcValueType(TCalcValueType::Close), TCalcPeriod(0)});
  for (uint8_t period = 0; period < kBarPeriods; ++period) {
    kinds.push_back({TCalcValueType(TCalcValueType::StdDev), TCalcPeriod(period)});
    kinds.push_back({TCalcValueType(TCalcValueType::CloseMinusAverage), TCalcPeriod(period)});
  }
  for (uint8_t period = 0; period < TCalcPeriod::kCount; ++period) {
    kinds.push_back({TCalcValueType(TCalcValueType::CloseMinusMaximum), TCalcPeriod(period)});
    kinds.push_back({TCalcValueType(TCalcValueType::CloseMinusMinimum), TCalcPeriod(period)});
  }
  return kinds;
}

TPriceSeries seriesFromBars(TTimeStep step, const std::vector<THistoricalRecord>& bars) {
  TPriceSeries series;
  series.step = step;
  if (bars.empty()) return series;
  const int32_t minutes = step.getMinute();
  series.firstTime = bars.front().time;
  const auto slots = static_cast<std::size_t>((bars.back().time - series.firstTime) / minutes) + 1;
  series.slots.resize(slots);
  for (std::size_t s = 0; s < slots; ++s) {
    const int32_t t = series.firstTime + static_cast<int32_t>(s) * minutes;
    series.slots[s] = {t, MissingValue, MissingValue, MissingValue, MissingValue};
  }
  for (const THistoricalRecord& bar : bars) series.slots[static_cast<std::size_t>((bar.time - series.firstTime) / minutes)] = bar;
  return series;
}

void computeIndicators(const TPriceSeries& series, const TIndicatorSink& sink) {
  const TPacked p = pack(series);
  std::vector<float> first(series.slots.size(), MissingFloat), second(series.slots.size(), MissingFloat);

  closes(p, first);
  sink({TCalcValueType(TCalcValueType::Close), TCalcPeriod(0)}, first);

  for (uint8_t ordinal = 0; ordinal < kBarPeriods; ++ordinal) {
    const TCalcPeriod period(ordinal);
    averageAndDeviation(p, period.getPeriodValue(), second, first);
    sink({TCalcValueType(TCalcValueType::StdDev), period}, first);
    sink({TCalcValueType(TCalcValueType::CloseMinusAverage), period}, second);
  }

  const int32_t minutes = series.step.getMinute();
  TMonotonicQueue highs(p.slot.size()), lows(p.slot.size());
  for (uint8_t ordinal = 0; ordinal < TCalcPeriod::kCount; ++ordinal) {
    const TCalcPeriod period(ordinal);
    const int32_t n = period.getPeriodValue();
    if (period.getIsBarPeriod()) {
      extremes(p, [n](int32_t j) { return j + 1 >= n ? j + 1 - n : -1; }, highs, lows, first, second);
    } else {
      // The window holds the slots that start after t − span; it is full once its earliest slot
      // lies at or after the first bar.
      const int32_t span = n * kMinutesPerDay;
      const int32_t slotsInWindow = (span + minutes - 1) / minutes;
      const int32_t dataStart = p.time.empty() ? 0 : p.time.front();
      int32_t windowStart = 0;
      extremes(
          p,
          [&](int32_t j) {
            const int32_t t = p.time[static_cast<std::size_t>(j)];
            while (p.time[static_cast<std::size_t>(windowStart)] <= t - span) ++windowStart;
            return t - (slotsInWindow - 1) * minutes >= dataStart ? windowStart : -1;
          },
          highs, lows, first, second);
    }
    sink({TCalcValueType(TCalcValueType::CloseMinusMaximum), period}, first);
    sink({TCalcValueType(TCalcValueType::CloseMinusMinimum), period}, second);
  }
}

}  // namespace candora::data
